#include "platform/profile.h"

#include <windows.h>

#include <cstring>

#include "platform/bounded_format.h"

namespace platform {

namespace {

DWORD ClampSize(std::size_t size) {
  return size > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<DWORD>(size);
}

}  // namespace

void ReadProfileString(const char* section, const char* key, const char* def, char* buf,
                       std::size_t size) {
  if (buf == nullptr || size == 0) return;
  buf[0] = '\0';
  GetProfileStringA(section, key, def ? def : "", buf, ClampSize(size));
  buf[size - 1] = '\0';
}

void ReadPrivateProfileString(const char* section, const char* key, const char* def, char* buf,
                              std::size_t size, const char* file) {
  if (buf == nullptr || size == 0) return;
  buf[0] = '\0';
  GetPrivateProfileStringA(section, key, def ? def : "", buf, ClampSize(size), file);
  buf[size - 1] = '\0';
}

int ReadPrivateProfileInt(const char* section, const char* key, int def, const char* file) {
  return static_cast<int>(GetPrivateProfileIntA(section, key, def, file));
}

bool GetWindowsDir(char* buf, std::size_t size) {
  if (buf == nullptr || size == 0) return false;
  char full[MAX_PATH + 1];
  UINT len = GetWindowsDirectoryA(full, sizeof full);
  if (len == 0 || len >= sizeof full) {
    buf[0] = '\0';
    return false;
  }
  // a Windows folder at a drive's root comes back as "C:\"
  while (len > 0 && full[len - 1] == '\\') full[--len] = '\0';
  return CopyBounded(buf, size, full);
}

bool GetModulePath(void* module, char* buf, std::size_t size) {
  if (buf == nullptr || size == 0) return false;
  char full[MAX_PATH + 1];
  DWORD len = GetModuleFileNameA(static_cast<HMODULE>(module), full, sizeof full);
  if (len == 0 || len >= sizeof full) {
    buf[0] = '\0';
    return false;
  }
  full[len] = '\0';
  return CopyBounded(buf, size, full);
}

}  // namespace platform
