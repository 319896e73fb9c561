#include "uninstaller/device_match.h"

#include <cstring>

bool HasIdPrefix(std::string_view id, std::string_view candidate) {
  if (id.empty() || candidate.size() < id.size()) return false;
  return std::memcmp(candidate.data(), id.data(), id.size()) == 0;
}

bool NextMultiStringEntry(const char* data, std::size_t size, std::size_t* offset,
                          std::string_view* entry) {
  if (data == nullptr || *offset >= size) return false;
  const char* start = data + *offset;
  std::size_t room = size - *offset;
  const void* nul = std::memchr(start, '\0', room);
  std::size_t length = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - start) : room;
  if (length == 0) return false;
  *entry = std::string_view(start, length);
  *offset += nul ? length + 1 : length;
  return true;
}
