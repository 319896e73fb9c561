// Every shipped program carries its version data and a manifest with the
// rights it needs: the installer and the uninstaller write to the INF store,
// HKEY_LOCAL_MACHINE and the device tree; the viewer does not, and asks for
// the current common controls and DPI awareness instead.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/win/support/support.h"

namespace {

struct ProgramCase {
  const char* file;
  const char* description;
  const char* level;
  bool modernUi;
};

const ProgramCase kPrograms[] = {
    {"Pixlook.exe", "Snapshot viewer", "asInvoker", true},
    {"Drvprep.exe", "Driver INF installer", "requireAdministrator", false},
    {"test.exe", "Capture device uninstaller", "requireAdministrator", false},
};

std::string Manifest(const std::string& path) {
  HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return "";
  std::string text;
  HRSRC res = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  if (HGLOBAL data = res ? LoadResource(module, res) : nullptr) {
    text.assign(static_cast<const char*>(LockResource(data)), SizeofResource(module, res));
  }
  FreeLibrary(module);
  return text;
}

std::string VersionString(const std::string& path, const char* name) {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) return "";
  std::vector<char> block(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return "";
  std::string query = std::string("\\StringFileInfo\\040904b0\\") + name;
  char* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) ||
      !value) {
    return "";
  }
  return std::string(value);
}

TEST(ProgramInfo, VersionDataAndManifests) {
  for (const ProgramCase& c : kPrograms) {
    SCOPED_TRACE(c.file);
    std::string path = testsupport::ProgramPath(c.file);
    EXPECT_EQ(c.file, VersionString(path, "OriginalFilename"));
    EXPECT_EQ(c.description, VersionString(path, "FileDescription"));
    EXPECT_EQ(CAPKIT_VERSION, VersionString(path, "ProductVersion"));
    EXPECT_EQ(CAPKIT_VERSION, VersionString(path, "FileVersion"));

    std::string manifest = Manifest(path);
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(std::string::npos,
              manifest.find(std::string("requestedExecutionLevel level=\"") + c.level + "\""));
    EXPECT_EQ(c.modernUi, manifest.find("Microsoft.Windows.Common-Controls") != std::string::npos);
    EXPECT_EQ(c.modernUi, manifest.find(">true</dpiAware>") != std::string::npos);
  }
}

}  // namespace
