#include "viewer/save_name.h"

#include <cstring>

namespace viewer {

namespace {

bool IsBmpExtension(const char* ext) {
  static const char kBmp[] = "bmp";
  for (std::size_t i = 0; i < 3; ++i) {
    char c = ext[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != kBmp[i]) return false;
  }
  return ext[3] == '\0';
}

}  // namespace

std::size_t FileNameOffset(const char* path) {
  const char* slash = std::strrchr(path, '\\');
  return slash ? static_cast<std::size_t>(slash - path) + 1 : 0;
}

SaveNameResult ApplyBmpExtension(char* path, std::size_t capacity) {
  const char* name = path + FileNameOffset(path);
  const char* dot = std::strrchr(name, '.');
  if (dot) return IsBmpExtension(dot + 1) ? SaveNameResult::kKept : SaveNameResult::kWrongExtension;
  static const char kExt[] = ".bmp";
  std::size_t length = std::strlen(path);
  if (capacity == 0 || length + sizeof kExt > capacity) return SaveNameResult::kTooLong;
  std::memcpy(path + length, kExt, sizeof kExt);
  return SaveNameResult::kExtended;
}

}  // namespace viewer
