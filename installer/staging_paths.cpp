#include "installer/staging_paths.h"

#include <cstring>

#include "platform/bounded_format.h"

namespace drvprep {

namespace {

bool Empty(const char* s) { return s == nullptr || s[0] == '\0'; }

void Clear(char* buf, std::size_t size) {
  if (buf != nullptr && size > 0) buf[0] = '\0';
}

}  // namespace

bool KitFolderFromModulePath(const char* modulePath, char* folder, std::size_t size) {
  Clear(folder, size);
  if (Empty(modulePath) || folder == nullptr || size == 0) return false;
  const char* slash = std::strrchr(modulePath, '\\');
  if (slash == nullptr) return false;
  std::size_t len = static_cast<std::size_t>(slash - modulePath);
  if (len >= size) return false;
  std::memcpy(folder, modulePath, len);
  folder[len] = '\0';
  return true;
}

bool PnfNameFromStagedName(const char* staged, char* pnf, std::size_t size) {
  Clear(pnf, size);
  if (Empty(staged) || pnf == nullptr || size == 0) return false;
  const char* slash = std::strrchr(staged, '\\');
  const char* fileName = slash ? slash + 1 : staged;
  const char* dot = std::strrchr(fileName, '.');
  if (dot == nullptr || std::strlen(dot + 1) != 3) return false;
  if (!platform::CopyBounded(pnf, size, staged)) return false;
  std::size_t ext = static_cast<std::size_t>(dot + 1 - staged);
  pnf[ext] = 'p';
  pnf[ext + 1] = 'n';
  return true;
}

bool IsPlainBaseName(const char* baseName) {
  if (Empty(baseName)) return false;
  return std::strpbrk(baseName, "\\/:") == nullptr;
}

bool BuildConfigPath(const char* windowsDir, char (&path)[kConfigPathChars]) {
  path[0] = '\0';
  if (Empty(windowsDir)) return false;
  return platform::FormatBounded(path, sizeof path, "%s\\Drvconf.ini", windowsDir);
}

StorePaths BuildStorePaths(const char* windowsDir, const char* kitFolder, const char* baseName) {
  StorePaths p{};
  if (!IsPlainBaseName(baseName)) return p;
  if (!Empty(windowsDir)) {
    platform::FormatBounded(p.staleInf, sizeof p.staleInf, "%s\\inf\\%s.inf", windowsDir, baseName);
    platform::FormatBounded(p.stalePnf, sizeof p.stalePnf, "%s\\inf\\%s.pnf", windowsDir, baseName);
    platform::FormatBounded(p.fixedInf, sizeof p.fixedInf, "%s\\inf\\%s.inf", windowsDir, baseName);
    platform::FormatBounded(p.fixedPnf, sizeof p.fixedPnf, "%s\\inf\\%s.pnf", windowsDir, baseName);
  }
  if (!Empty(kitFolder))
    platform::FormatBounded(p.sourceInf, sizeof p.sourceInf, "%s\\%s.inf", kitFolder, baseName);
  return p;
}

}  // namespace drvprep
