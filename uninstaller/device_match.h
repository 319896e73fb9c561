// Which devices the uninstaller removes: hardware-ID prefix matching and the
// walk over a device's hardware-ID list. No <windows.h> here, so the host
// tests can run these under the sanitizers.
#pragma once

#include <cstddef>
#include <string_view>

// True when `id` is not empty and `candidate` begins with it, byte for byte
// (letter case counts).
bool HasIdPrefix(std::string_view id, std::string_view candidate);

// One step of the walk over a multi-string held in data[0, size): a run of
// terminated strings that ends with an empty one. Reads the entry that starts
// at *offset into *entry and moves *offset past it. False once the list ends:
// at the first empty string or at the end of `size`, whichever comes first.
// An entry whose terminator lies beyond `size` ends at `size`; nothing past
// `size` is ever read, since the property's reported size is all we own.
bool NextMultiStringEntry(const char* data, std::size_t size, std::size_t* offset,
                          std::string_view* entry);
