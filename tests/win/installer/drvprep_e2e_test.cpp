// The real Drvprep.exe: copied into a kit folder beside an INF that the test
// writes, run, and judged by what it leaves in the INF store of the Windows
// directory. Wine's setup services keep the INF's own name in C:\windows\inf
// and write a PNF beside it, so here the copy lands on the base name
// directly; the rename of a generated oemN.inf name is covered by the
// stand-in tests.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/win/support/support.h"

namespace {

using testsupport::FileExists;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

constexpr DWORD kRunTimeoutMs = 60000;
const char kStaleMarker[] = "stale copy left by an earlier run\r\n";

std::string Inf(const std::string& version) {
  return "[Version]\r\n"
         "Signature=\"$Windows NT$\"\r\n"
         "Class=Image\r\n"
         "ClassGUID={6bdd1fc6-810f-11d0-bec7-08002be2092f}\r\n"
         "Provider=%Maker%\r\n"
         "DriverVer=01/01/2024," +
         version +
         "\r\n"
         "\r\n"
         "[Strings]\r\n"
         "Maker=\"Capkit test\"\r\n";
}

std::string Store(const std::string& fileName) {
  return testsupport::WindowsDir() + "\\inf\\" + fileName;
}

std::string ConfigFile() { return testsupport::WindowsDir() + "\\Drvconf.ini"; }

// Other .inf files in the store with exactly this content: a copy left under
// a name that is not the base name.
std::vector<std::string> OtherCopies(const std::string& content, const std::string& baseInf) {
  std::vector<std::string> found;
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA(Store("*.inf").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return found;
  do {
    if (lstrcmpiA(data.cFileName, baseInf.c_str()) == 0) continue;
    auto bytes = ReadFileBytes(Store(data.cFileName));
    if (bytes && *bytes == content) found.push_back(data.cFileName);
  } while (FindNextFileA(search, &data));
  FindClose(search);
  return found;
}

class DrvprepRun : public ::testing::Test {
 protected:
  void SetUp() override { CleanUp(); }
  void TearDown() override { CleanUp(); }

  void CleanUp() {
    for (const char* base : {"vidsen", "mycam"}) {
      EXPECT_TRUE(testsupport::RemoveFile(Store(std::string(base) + ".inf")));
      EXPECT_TRUE(testsupport::RemoveFile(Store(std::string(base) + ".pnf")));
    }
    EXPECT_TRUE(testsupport::RemoveFile(ConfigFile()));
    for (const std::string& kit : kits_) EXPECT_TRUE(testsupport::RemoveTree(kit));
  }

  // A kit folder holding the installer under exeName; returns the program's path.
  std::string MakeKit(const std::string& folder, const std::string& exeName = "Drvprep.exe") {
    kits_.push_back(folder.substr(0, folder.find('\\', 3)));  // its top folder
    EXPECT_TRUE(testsupport::MakeDirs(folder));
    std::string exe = folder + "\\" + exeName;
    EXPECT_TRUE(CopyFileA(testsupport::ProgramPath("Drvprep.exe").c_str(), exe.c_str(), FALSE))
        << exe;
    return exe;
  }

  void PlantStale(const std::string& base) {
    ASSERT_TRUE(WriteFileBytes(Store(base + ".inf"), kStaleMarker));
    ASSERT_TRUE(WriteFileBytes(Store(base + ".pnf"), kStaleMarker));
  }

  // Runs the installer and checks the exit code every run must have.
  void Run(const std::string& exe, const std::string& workDir) {
    testsupport::RunResult r = testsupport::RunProgram(exe, "", workDir, kRunTimeoutMs);
    ASSERT_TRUE(r.started) << exe;
    ASSERT_FALSE(r.timedOut) << exe;
    EXPECT_EQ(1u, r.exitCode) << exe;
  }

  // The INF and its PNF sit in the store under base, and no other copy.
  void ExpectStaged(const std::string& base, const std::string& content) {
    EXPECT_EQ(content, ReadFileBytes(Store(base + ".inf")).value_or("<missing>"));
    auto pnf = ReadFileBytes(Store(base + ".pnf"));
    ASSERT_TRUE(pnf.has_value()) << base << ".pnf";
    EXPECT_NE(kStaleMarker, *pnf);
    EXPECT_TRUE(OtherCopies(content, base + ".inf").empty());
  }

  std::vector<std::string> kits_;
};

TEST_F(DrvprepRun, WithoutConfigurationStagesVidsenOverTheStaleCopies) {
  std::string exe = MakeKit("C:\\KIT");
  const std::string inf = Inf("1.0.0.1");
  ASSERT_TRUE(WriteFileBytes("C:\\KIT\\vidsen.inf", inf));
  PlantStale("vidsen");

  Run(exe, "C:\\KIT");
  ExpectStaged("vidsen", inf);
}

TEST_F(DrvprepRun, ConfiguredNameIsStagedAndVidsenLeftAlone) {
  std::string exe = MakeKit("C:\\KIT");
  const std::string inf = Inf("2.0.0.0");
  ASSERT_TRUE(WriteFileBytes("C:\\KIT\\mycam.inf", inf));
  ASSERT_TRUE(WriteFileBytes("C:\\KIT\\vidsen.inf", Inf("9.9.9.9")));
  ASSERT_TRUE(testsupport::WriteIni(ConfigFile(), "Drvprep", "Video", "mycam"));
  PlantStale("vidsen");
  PlantStale("mycam");

  Run(exe, "C:\\KIT");
  ExpectStaged("mycam", inf);
  EXPECT_EQ(kStaleMarker, ReadFileBytes(Store("vidsen.inf")).value_or("<missing>"));
  EXPECT_EQ(kStaleMarker, ReadFileBytes(Store("vidsen.pnf")).value_or("<missing>"));
}

TEST_F(DrvprepRun, SecondRunStagesAfresh) {
  std::string exe = MakeKit("C:\\KIT");
  ASSERT_TRUE(WriteFileBytes("C:\\KIT\\vidsen.inf", Inf("1.0.0.0")));
  Run(exe, "C:\\KIT");
  ExpectStaged("vidsen", Inf("1.0.0.0"));

  const std::string newer = Inf("1.1.0.0");
  ASSERT_TRUE(WriteFileBytes("C:\\KIT\\vidsen.inf", newer));
  Run(exe, "C:\\KIT");
  ExpectStaged("vidsen", newer);

  // the same INF once more: the copy in the store is removed first, so the
  // setup services do not refuse it as already there
  ASSERT_TRUE(testsupport::RemoveFile(Store("vidsen.pnf")));
  Run(exe, "C:\\KIT");
  ExpectStaged("vidsen", newer);
}

// Without a source the copy fails; a file the setup services reject is
// refused. Either way the stale files are gone, nothing is staged, and the
// exit code stays 1.
TEST_F(DrvprepRun, NoUsableSourceStillRemovesTheStaleFiles) {
  const struct {
    const char* name;
    const char* source;  // nullptr: no INF in the kit
  } cases[] = {{"missing INF", nullptr}, {"not an INF", "this is not an INF file\r\n"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string exe = MakeKit("C:\\KIT");
    if (c.source) {
      ASSERT_TRUE(WriteFileBytes("C:\\KIT\\vidsen.inf", c.source));
    }
    PlantStale("vidsen");

    Run(exe, "C:\\KIT");
    EXPECT_FALSE(FileExists(Store("vidsen.inf")));
    EXPECT_FALSE(FileExists(Store("vidsen.pnf")));
    CleanUp();
  }
}

// The kit folder is wherever the program sits, whatever the program file is
// called and whatever folder the program is started from.
TEST_F(DrvprepRun, KitFolderIsTheProgramsOwnFolder) {
  const struct {
    const char* folder;
    const char* exeName;
  } cases[] = {
      {"C:\\KIT", "Drvprep.exe"},
      {"C:\\Capture Kit Folder", "Setup Driver.exe"},
      {"C:\\K", "d.exe"},
      {"C:\\kit.v2\\sub dir", "Drvprep.exe"},
  };
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    std::string exe = MakeKit(c.folder, c.exeName);
    const std::string inf = Inf("3.0.0." + std::to_string(++n));
    ASSERT_TRUE(WriteFileBytes(std::string(c.folder) + "\\vidsen.inf", inf));

    Run(exe, testsupport::WindowsDir());
    ExpectStaged("vidsen", inf);
    CleanUp();
  }
}

// ---- the window -------------------------------------------------------------------

struct WindowSearch {
  DWORD pid;
  bool visible;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == search->pid && IsWindowVisible(window)) search->visible = true;
  return !search->visible;
}

// The staging ends the process while the main window is being created, so
// nothing ever appears on screen. (Wine does not report window-show events
// to another process, so the screen is watched for as long as the program
// runs instead.)
TEST_F(DrvprepRun, PutsNoWindowOnScreen) {
  std::string exe = MakeKit("C:\\KIT");
  ASSERT_TRUE(WriteFileBytes("C:\\KIT\\vidsen.inf", Inf("4.0.0.0")));

  testsupport::Process installer;
  ASSERT_TRUE(installer.Start(exe, "", "C:\\KIT"));
  WindowSearch search{installer.Pid(), false};
  DWORD exitCode = 0;
  bool ended = false;
  for (DWORD waited = 0; !ended && !search.visible && waited < kRunTimeoutMs; ++waited) {
    EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
    ended = installer.Wait(1, &exitCode);
  }
  EXPECT_FALSE(search.visible);
  ASSERT_TRUE(ended);
  EXPECT_EQ(1u, exitCode);
  ExpectStaged("vidsen", Inf("4.0.0.0"));
}

// ---- resources ----------------------------------------------------------------------

#pragma pack(push, 2)
struct GroupIconEntry {
  BYTE width, height, colors, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
struct GroupIconHeader {
  WORD reserved, type, count;
};
#pragma pack(pop)

std::vector<int> IconSizes(HMODULE module, int id) {
  std::vector<int> sizes;
  HRSRC res = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
  if (res == nullptr) return sizes;
  auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, res)));
  DWORD size = SizeofResource(module, res);
  if (data == nullptr || size < sizeof(GroupIconHeader)) return sizes;
  auto* header = reinterpret_cast<const GroupIconHeader*>(data);
  auto* entries = reinterpret_cast<const GroupIconEntry*>(data + sizeof(GroupIconHeader));
  for (WORD i = 0; i < header->count; ++i) {
    if (sizeof(GroupIconHeader) + (i + 1u) * sizeof(GroupIconEntry) > size) break;
    sizes.push_back(entries[i].width);
  }
  return sizes;
}

TEST(DrvprepResources, TitleClassIconsAndMenu) {
  HMODULE module = LoadLibraryExA(testsupport::ProgramPath("Drvprep.exe").c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(nullptr, module);
  char text[100] = "";
  EXPECT_EQ(7, LoadStringA(module, 103, text, sizeof text));
  EXPECT_STREQ("Drvprep", text);
  EXPECT_EQ(7, LoadStringA(module, 109, text, sizeof text));
  EXPECT_STREQ("DRVPREP", text);
  EXPECT_EQ((std::vector<int>{32, 16}), IconSizes(module, 107));
  EXPECT_EQ((std::vector<int>{16}), IconSizes(module, 108));
  EXPECT_NE(nullptr, FindResourceA(module, MAKEINTRESOURCEA(109), MAKEINTRESOURCEA(4)));  // RT_MENU
  FreeLibrary(module);
}

}  // namespace
