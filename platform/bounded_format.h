// Bounded string building for fixed-size path and name buffers.
//
// The programs keep their paths in fixed buffers whose sizes are part of
// their interface. Nothing may be written past a buffer, and a path that
// does not fit must never be used in a cut form: these helpers say whether
// the whole result fit, and leave an empty string when it did not.
#pragma once

#include <cstddef>

namespace platform {

// printf-style formatting into buf[capacity]. Returns true when the whole
// result plus its terminator fit. On false buf holds "" (when capacity > 0).
bool FormatBounded(char* buf, std::size_t capacity, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;

// Copies src into buf[capacity]; the same contract as FormatBounded.
bool CopyBounded(char* buf, std::size_t capacity, const char* src);

// Copies as much of src as fits (capacity - 1 characters) and terminates:
// the "value cut to the buffer" rule of the profile reads.
void CopyTruncated(char* buf, std::size_t capacity, const char* src);

}  // namespace platform
