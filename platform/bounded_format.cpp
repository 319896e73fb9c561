#include "platform/bounded_format.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace platform {

bool FormatBounded(char* buf, std::size_t capacity, const char* format, ...) {
  if (buf == nullptr || capacity == 0) return false;
  va_list args;
  va_start(args, format);
  int needed = std::vsnprintf(buf, capacity, format, args);
  va_end(args);
  if (needed < 0 || static_cast<std::size_t>(needed) >= capacity) {
    buf[0] = '\0';
    return false;
  }
  return true;
}

bool CopyBounded(char* buf, std::size_t capacity, const char* src) {
  if (buf == nullptr || capacity == 0) return false;
  std::size_t len = src ? std::strlen(src) : 0;
  if (len >= capacity) {
    buf[0] = '\0';
    return false;
  }
  if (len) std::memcpy(buf, src, len);
  buf[len] = '\0';
  return true;
}

void CopyTruncated(char* buf, std::size_t capacity, const char* src) {
  if (buf == nullptr || capacity == 0) return;
  std::size_t len = src ? std::strlen(src) : 0;
  if (len > capacity - 1) len = capacity - 1;
  if (len) std::memcpy(buf, src, len);
  buf[len] = '\0';
}

}  // namespace platform
