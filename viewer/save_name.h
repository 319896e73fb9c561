// The Save command's rules for the destination path, kept apart from the
// dialogs so they can be tested on the host. No <windows.h> here.
#pragma once

#include <cstddef>

namespace viewer {

// Offset of the file-name part of a path: the text after its last
// backslash (the whole path when it has none).
std::size_t FileNameOffset(const char* path);

enum class SaveNameResult {
  kKept,            // the name ends in ".bmp" in any mix of letter cases
  kExtended,        // the name had no dot; ".bmp" was appended
  kWrongExtension,  // the name ends in another extension; the path is unchanged
  kTooLong,         // ".bmp" would not fit in the buffer; the path is unchanged
};

// Applies the extension rule to the file-name part of path, which lives in a
// buffer of `capacity` characters. A dot in a folder name does not count.
SaveNameResult ApplyBmpExtension(char* path, std::size_t capacity);

}  // namespace viewer
