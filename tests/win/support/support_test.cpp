// The end-to-end helpers, checked against a stand-in program: a helper that
// silently does nothing would make every test built on it pass for nothing.
#include "tests/win/support/support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace ts = testsupport;

namespace {

constexpr DWORD kTimeoutMs = 30000;

std::string Child() { return ts::ProgramPath("support_child.exe"); }

const ts::DeviceInfo* FindDevice(const std::vector<ts::DeviceInfo>& devices,
                                 const std::string& instanceId) {
  for (const ts::DeviceInfo& device : devices)
    if (_stricmp(device.instanceId.c_str(), instanceId.c_str()) == 0) return &device;
  return nullptr;
}

bool IsFolder(const std::string& path) {
  DWORD attrs = GetFileAttributesA(path.c_str());
  return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

// ---- programs ----------------------------------------------------------------

TEST(RunProgram, ReportsTheExitCode) {
  for (DWORD code : {0u, 1u, 77u, 259u}) {
    SCOPED_TRACE(code);
    ts::RunResult run = ts::RunProgram(Child(), "exit " + std::to_string(code));
    ASSERT_TRUE(run.started);
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(code, run.exitCode);
  }
}

TEST(RunProgram, CapturesStandardOutputAndError) {
  ts::RunResult run = ts::RunProgram(Child(), "print hello");
  ASSERT_TRUE(run.started);
  EXPECT_EQ(0u, run.exitCode);
  EXPECT_NE(std::string::npos, run.output.find("out:hello")) << run.output;
  EXPECT_NE(std::string::npos, run.output.find("err:hello")) << run.output;
}

TEST(RunProgram, TakesOutputLargerThanThePipeHolds) {
  ts::RunResult run = ts::RunProgram(Child(), "flood 2048");
  ASSERT_TRUE(run.started);
  EXPECT_FALSE(run.timedOut);
  EXPECT_EQ(0u, run.exitCode);
  EXPECT_EQ(2048u * 1024u, run.output.size());
}

TEST(RunProgram, KillsAProgramThatOutlivesTheTimeout) {
  ts::RunResult run = ts::RunProgram(Child(), "hang", "", 500);
  ASSERT_TRUE(run.started);
  EXPECT_TRUE(run.timedOut);
}

TEST(RunProgram, StartsInTheGivenFolder) {
  ts::TempFolder folder;
  ASSERT_FALSE(folder.Path().empty());
  ts::RunResult run = ts::RunProgram(Child(), "cwd", folder.Path());
  ASSERT_TRUE(run.started);
  EXPECT_EQ(0, _stricmp(folder.Path().c_str(), run.output.c_str())) << run.output;
}

TEST(RunProgram, ReportsAProgramThatDoesNotExist) {
  ts::RunResult run = ts::RunProgram(ts::ProgramPath("no_such_program.exe"));
  EXPECT_FALSE(run.started);
}

TEST(Process, KillEndsTheProgram) {
  ts::Process process;
  ASSERT_TRUE(process.Start(Child(), "hang"));
  EXPECT_FALSE(process.Wait(100));
  EXPECT_TRUE(process.Running());
  process.Kill();
  EXPECT_FALSE(process.Running());
  EXPECT_FALSE(process.Start(Child(), "hang")) << "one program per object";
}

// ---- windows -----------------------------------------------------------------

TEST(Windows, FindsReadsAndAnswersAMessageBox) {
  for (int answer : {IDYES, IDNO}) {
    SCOPED_TRACE(answer);
    ts::Process process;
    ASSERT_TRUE(process.Start(Child(), "ask Capkit-Question \"Replace the file?\""));
    HWND box = ts::WaitForWindow("Capkit-Question", process.Pid(), kTimeoutMs, "#32770");
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("Replace the file?", ts::MessageBoxText(box));
    EXPECT_FALSE(ts::PressButton(box, IDOK)) << "a Yes/No box has no OK button";
    ASSERT_TRUE(ts::PressButton(box, answer));
    DWORD code = 0;
    ASSERT_TRUE(process.Wait(kTimeoutMs, &code));
    EXPECT_EQ(static_cast<DWORD>(answer), code);
    EXPECT_TRUE(ts::WaitForWindowGone(box, kTimeoutMs));
  }
}

TEST(Windows, WaitForWindowMatchesOnlyTheGivenProcessClassAndCaption) {
  ts::Process process;
  ASSERT_TRUE(process.Start(Child(), "ask Capkit-Filter text"));
  ASSERT_NE(nullptr, ts::WaitForWindow("Capkit-Filter", process.Pid(), kTimeoutMs));
  EXPECT_EQ(nullptr, ts::WaitForWindow("Capkit-Filter", GetCurrentProcessId(), 200));
  EXPECT_EQ(nullptr, ts::WaitForWindow("Capkit-Filter", process.Pid(), 200, "Button"));
  EXPECT_EQ(nullptr, ts::WaitForWindow("Capkit-Filt", process.Pid(), 200));
  // the destructor ends the program that still shows its box
}

// ---- files -------------------------------------------------------------------

TEST(Files, WriteAndReadKeepEveryByte) {
  ts::TempFolder folder;
  const std::string path = folder.Path() + "\\data.bin";
  const std::string bytes("BM\0\r\n\xff\x1a tail", 11);
  ASSERT_TRUE(ts::WriteFileBytes(path, bytes));
  EXPECT_TRUE(ts::FileExists(path));
  EXPECT_EQ(bytes, ts::ReadFileBytes(path).value_or("<none>"));
  ASSERT_TRUE(ts::WriteFileBytes(path, "short"));
  EXPECT_EQ("short", ts::ReadFileBytes(path).value_or("<none>")) << "rewritten, not appended";
  EXPECT_TRUE(ts::RemoveFile(path));
  EXPECT_FALSE(ts::FileExists(path));
  EXPECT_FALSE(ts::ReadFileBytes(path).has_value());
  EXPECT_TRUE(ts::RemoveFile(path)) << "already gone";
}

TEST(Files, FoldersAreMadeAndRemovedWithTheirContents) {
  std::string root;
  {
    ts::TempFolder folder;
    root = folder.Path();
    const std::string deep = root + "\\a\\b/c";
    ASSERT_TRUE(ts::MakeDirs(deep));
    EXPECT_TRUE(IsFolder(root + "\\a\\b\\c"));
    EXPECT_FALSE(ts::FileExists(root + "\\a")) << "a folder is not a file";
    ASSERT_TRUE(ts::WriteFileBytes(root + "\\a\\b\\c\\f.txt", "x"));
    ASSERT_TRUE(ts::WriteFileBytes(root + "\\a\\g.txt", "y"));
    SetFileAttributesA((root + "\\a\\g.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(ts::MakeDirs(deep)) << "existing levels are fine";

    EXPECT_TRUE(ts::RemoveTree(root + "\\a"));
    EXPECT_FALSE(IsFolder(root + "\\a"));
    EXPECT_TRUE(ts::RemoveTree(root + "\\a")) << "already gone";
    ASSERT_TRUE(ts::MakeDirs(root + "\\left"));
  }
  EXPECT_FALSE(IsFolder(root)) << "TempFolder removes what it made";
  EXPECT_NE(ts::TempDir(), ts::TempDir());
}

TEST(Files, WindowsDirIsTheSystemFolderWithoutABackslash) {
  const std::string dir = ts::WindowsDir();
  ASSERT_FALSE(dir.empty());
  EXPECT_NE('\\', dir.back());
  EXPECT_TRUE(IsFolder(dir + "\\system32"));
}

// ---- initialization files ------------------------------------------------------

TEST(Ini, WriteIniSetsAndDeletesKeysAndSections) {
  ts::TempFolder folder;
  const std::string file = folder.Path() + "\\plan.ini";
  ASSERT_TRUE(ts::WriteIni(file, "CurrentDev", "DevNo", "A1"));
  ASSERT_TRUE(ts::WriteIni(file, "CurrentDev", "Other", "keep"));
  std::string text = ts::ReadFileBytes(file).value_or("");
  EXPECT_NE(std::string::npos, text.find("[CurrentDev]")) << text;
  EXPECT_NE(std::string::npos, text.find("DevNo=A1")) << text;

  ASSERT_TRUE(ts::WriteIni(file, "CurrentDev", "DevNo", nullptr));
  text = ts::ReadFileBytes(file).value_or("");
  EXPECT_EQ(std::string::npos, text.find("DevNo")) << text;
  EXPECT_NE(std::string::npos, text.find("Other=keep")) << text;

  ASSERT_TRUE(ts::WriteIni(file, "CurrentDev", nullptr, nullptr));
  text = ts::ReadFileBytes(file).value_or("");
  EXPECT_EQ(std::string::npos, text.find("CurrentDev")) << text;
}

TEST(Ini, WinIniValueIsSeenByAProgramStartedAfterwards) {
  const char* kSection = "CapkitSupportTest";
  ASSERT_TRUE(ts::SetWinIni(kSection, "SnapBMP", "C:\\pics\\one.bmp"));
  EXPECT_EQ("[C:\\pics\\one.bmp]",
            ts::RunProgram(Child(), "profile CapkitSupportTest SnapBMP").output);
  ASSERT_TRUE(ts::SetWinIni(kSection, "SnapBMP", nullptr));
  EXPECT_EQ("[<missing>]", ts::RunProgram(Child(), "profile CapkitSupportTest SnapBMP").output);
  ts::SetWinIni(kSection, nullptr, nullptr);
}

// ---- registry ----------------------------------------------------------------

TEST(Registry, KeyTreesAreMadeListedAndDeletedWhole) {
  const std::string base = "Software\\CapkitSupportTest";
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    SCOPED_TRACE(root == HKEY_CURRENT_USER ? "HKCU" : "HKLM");
    ASSERT_TRUE(ts::CreateKeyTree(root, base + "\\a\\b\\c"));
    ASSERT_TRUE(ts::CreateKeyTree(root, base + "\\d"));
    EXPECT_TRUE(ts::KeyExists(root, base + "\\a\\b"));
    EXPECT_FALSE(ts::KeyExists(root, base + "\\x"));
    std::vector<std::string> names = ts::SubkeyNames(root, base);
    std::sort(names.begin(), names.end());
    EXPECT_EQ((std::vector<std::string>{"a", "d"}), names);
    EXPECT_TRUE(ts::SubkeyNames(root, base + "\\x").empty());

    HKEY withValue = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegOpenKeyExA(root, (base + "\\a\\b").c_str(), 0, KEY_SET_VALUE, &withValue));
    RegSetValueExA(withValue, "v", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2);
    RegCloseKey(withValue);

    EXPECT_TRUE(ts::DeleteKeyTree(root, base));
    EXPECT_FALSE(ts::KeyExists(root, base));
    EXPECT_TRUE(ts::KeyExists(root, "Software")) << "only the named tree goes";
    EXPECT_TRUE(ts::DeleteKeyTree(root, base)) << "already gone";
  }
}

// ---- devices -------------------------------------------------------------------

class Devices : public ::testing::Test {
 protected:
  void TearDown() override {
    for (const std::string& id : made_) ts::RemoveDevice(id);
  }
  std::string Make(const std::vector<std::string>& ids) {
    std::string id = ts::CreateDevice(ids);
    if (!id.empty()) made_.push_back(id);
    return id;
  }
  std::vector<std::string> made_;
};

TEST_F(Devices, CreatedDeviceIsListedWithItsHardwareIdsAndCanBeRemoved) {
  const std::vector<std::string> hardwareIds = {"USB\\VID_1234&PID_5678&REV_0100", "USB\\VID_1234"};
  const std::string id = Make(hardwareIds);
  ASSERT_FALSE(id.empty());
  const std::string other = Make({"USB\\VID_1234"});
  ASSERT_FALSE(other.empty());
  EXPECT_NE(id, other);

  std::vector<ts::DeviceInfo> devices = ts::ListDevices();
  const ts::DeviceInfo* device = FindDevice(devices, id);
  ASSERT_NE(nullptr, device);
  EXPECT_EQ(hardwareIds, device->hardwareIds);
  EXPECT_TRUE(ts::DeviceExists(id));

  EXPECT_TRUE(ts::RemoveDevice(id));
  EXPECT_FALSE(ts::DeviceExists(id));
  EXPECT_TRUE(ts::DeviceExists(other)) << "only the named device goes";
}

TEST_F(Devices, DeviceWithoutHardwareIdsIsListedWithNone) {
  const std::string id = Make({});
  ASSERT_FALSE(id.empty());
  std::vector<ts::DeviceInfo> devices = ts::ListDevices();
  const ts::DeviceInfo* device = FindDevice(devices, id);
  ASSERT_NE(nullptr, device);
  EXPECT_TRUE(device->hardwareIds.empty());
}

}  // namespace
