// test.exe from the outside: the plan it finds in C:\windows\Drvprep, the
// devices and registry trees it removes, the trace it writes, its message
// box and its exit code. Each test makes its own devices and keys and takes
// them away again.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/win/support/support.h"

namespace ts = testsupport;

namespace {

constexpr DWORD kRunMs = 60000;
const char kTestRoot[] = "Software\\CapkitUninstallerTest";
const char kMissingPlan[] = "Can't locate at file remove907.ini,uninstall failed!";

std::string Under(const std::string& rest) { return std::string(kTestRoot) + "\\" + rest; }

std::string PlanFolder() { return ts::WindowsDir() + "\\Drvprep"; }
std::string PlanPath() { return PlanFolder() + "\\Remove907.ini"; }

// How often the trace line for `id` appears in the output (the C run time
// may end its lines with "\r\n").
int TraceCount(const std::string& output, const std::string& id) {
  const std::string line = "Compare device ID: [" + id + "]";
  int count = 0;
  for (std::size_t at = output.find(line); at != std::string::npos;
       at = output.find(line, at + line.size())) {
    std::size_t end = at + line.size();
    if (end < output.size() && (output[end] == '\n' || output[end] == '\r')) ++count;
  }
  return count;
}

class UninstallerTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ts::MakeDirs(PlanFolder()));
    ts::RemoveFile(PlanPath());
    ts::DeleteKeyTree(HKEY_LOCAL_MACHINE, kTestRoot);
    ASSERT_TRUE(ts::CreateKeyTree(HKEY_LOCAL_MACHINE, kTestRoot));
  }
  void TearDown() override {
    for (const std::string& device : devices_) EXPECT_TRUE(ts::RemoveDevice(device));
    EXPECT_TRUE(ts::DeleteKeyTree(HKEY_LOCAL_MACHINE, kTestRoot));
    EXPECT_TRUE(ts::RemoveFile(PlanPath()));
  }

  std::string Device(const std::vector<std::string>& hardwareIds) {
    std::string id = ts::CreateDevice(hardwareIds);
    EXPECT_FALSE(id.empty()) << "device " << hardwareIds.front();
    if (!id.empty()) devices_.push_back(id);
    return id;
  }
  void Key(const std::string& path) {
    EXPECT_TRUE(ts::CreateKeyTree(HKEY_LOCAL_MACHINE, path)) << path;
  }
  static bool HasKey(const std::string& path) { return ts::KeyExists(HKEY_LOCAL_MACHINE, path); }
  void Plan(const char* section, const char* key, const std::string& value) {
    ASSERT_TRUE(ts::WriteIni(PlanPath(), section, key, value.c_str()));
  }

  // Runs test.exe (or a build of it) to its end and checks the exit code.
  ts::RunResult Run(const char* program = "test.exe") {
    ts::RunResult result = ts::RunProgram(ts::ProgramPath(program), "", "", kRunMs);
    EXPECT_TRUE(result.started) << program;
    EXPECT_FALSE(result.timedOut) << program << " did not end; output:\n" << result.output;
    EXPECT_EQ(result.exitCode, 0u);
    return result;
  }

  std::vector<std::string> devices_;
};

TEST_F(UninstallerTest, MissingPlanIsReportedOnceAndNothingChanges) {
  std::string device = Device({"CAPKIT\\MISSING_PLAN"});
  Key(Under("Kept"));

  ts::Process program;
  ASSERT_TRUE(program.Start(ts::ProgramPath("test.exe"), "", "", true));
  HWND box = ts::WaitForWindow("", program.Pid(), kRunMs, "#32770");
  ASSERT_NE(box, nullptr) << "no message box";
  EXPECT_EQ(ts::MessageBoxText(box), kMissingPlan);
  char ownerClass[64] = "";
  GetClassNameA(GetWindow(box, GW_OWNER), ownerClass, sizeof ownerClass);
  EXPECT_STREQ(ownerClass, "CapkitFrame") << "the box belongs to the main frame";
  ASSERT_TRUE(ts::PressButton(box, IDOK));

  DWORD code = 1;
  ASSERT_TRUE(program.Wait(kRunMs, &code)) << "test.exe did not end after OK";
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(program.Output().find("Compare device ID"), std::string::npos);
  EXPECT_TRUE(ts::DeviceExists(device));
  EXPECT_TRUE(HasKey(Under("Kept")));
}

TEST_F(UninstallerTest, DevicesMatchingEitherIdGoAndTheOthersStay) {
  const std::string byFirst = Device({"CAPKIT\\DEV_A&REV_01"});
  const std::string bySecondId =
      Device({"CAPKIT\\OTHER_1", "CAPKIT\\DEV_B&REV_02", "CAPKIT\\AFTER"});
  const std::string byBoth = Device({"CAPKIT\\DEV_A", "CAPKIT\\DEV_B"});
  const std::string lowerCase = Device({"capkit\\dev_a&rev_01"});
  const std::string unrelated = Device({"CAPKIT\\KEEP_ME"});
  const std::string alsoByFirst = Device({"CAPKIT\\DEV_A&REV_03"});
  Plan("CurrentDev", "DevNo", "907");
  Plan("907PIDVID", "Num1", "CAPKIT\\DEV_A");
  Plan("907PIDVID", "Num2", "CAPKIT\\DEV_B");
  Plan("907KEY", "Num", "0");

  const std::string out = Run().output;

  EXPECT_FALSE(ts::DeviceExists(byFirst));
  EXPECT_FALSE(ts::DeviceExists(bySecondId));
  EXPECT_FALSE(ts::DeviceExists(byBoth));
  EXPECT_FALSE(ts::DeviceExists(alsoByFirst));
  EXPECT_TRUE(ts::DeviceExists(lowerCase));
  EXPECT_TRUE(ts::DeviceExists(unrelated));

  // Each device's IDs are compared up to its first match, once.
  EXPECT_EQ(TraceCount(out, "CAPKIT\\DEV_A&REV_01"), 1) << out;
  EXPECT_EQ(TraceCount(out, "CAPKIT\\OTHER_1"), 1) << out;
  EXPECT_EQ(TraceCount(out, "CAPKIT\\DEV_B&REV_02"), 1) << out;
  EXPECT_EQ(TraceCount(out, "CAPKIT\\AFTER"), 0) << out;
  EXPECT_EQ(TraceCount(out, "CAPKIT\\DEV_A"), 1) << out;
  EXPECT_EQ(TraceCount(out, "CAPKIT\\DEV_B"), 0) << out;
  EXPECT_EQ(TraceCount(out, "capkit\\dev_a&rev_01"), 1) << out;
  EXPECT_EQ(TraceCount(out, "CAPKIT\\KEEP_ME"), 1) << out;
  EXPECT_EQ(TraceCount(out, "CAPKIT\\DEV_A&REV_03"), 1) << out;

  // The framework's profile key is the application's own.
  EXPECT_TRUE(
      ts::KeyExists(HKEY_CURRENT_USER, "Software\\Local AppWizard-Generated Applications\\test"));
}

TEST_F(UninstallerTest, TreesInTheListGoCompletelyAndEmptyEntriesAreSkipped) {
  Key(Under("One\\Sub\\Deeper"));
  Key(Under("One\\Sub2"));
  Key(Under("Two"));
  Key(Under("Four\\X"));
  Key(Under("Five"));
  Key(Under("Six"));
  Plan("CurrentDev", "DevNo", "M1");
  Plan("M1KEY", "Num1", Under("One"));
  Plan("M1KEY", "Num2", Under("Two"));
  Plan("M1KEY", "Num3", "");
  Plan("M1KEY", "Num4", Under("Four"));
  Plan("M1KEY", "Num5", Under("Five"));
  Plan("M1KEY", "Num6", Under("Six"));  // beyond the default count of 5

  Run();

  EXPECT_FALSE(HasKey(Under("One")));
  EXPECT_FALSE(HasKey(Under("Two")));
  EXPECT_FALSE(HasKey(Under("Four")));
  EXPECT_FALSE(HasKey(Under("Five")));
  EXPECT_TRUE(HasKey(Under("Six")));
  EXPECT_EQ(ts::SubkeyNames(HKEY_LOCAL_MACHINE, kTestRoot), std::vector<std::string>{"Six"});
}

struct CountCase {
  const char* name;
  const char* count;  // nullptr: no "Num" in the plan
  int treesDeleted;   // of Num1..Num3
};

class TreeCountTest : public UninstallerTest, public testing::WithParamInterface<CountCase> {};

TEST_P(TreeCountTest, CountDecidesHowManyEntriesAreRead) {
  const std::string device = Device({"CAPKIT\\COUNTED"});
  for (const char* name : {"T1", "T2", "T3"}) Key(Under(name));
  Plan("CurrentDev", "DevNo", "C");
  Plan("CPIDVID", "Num1", "CAPKIT\\COUNTED");
  if (GetParam().count) Plan("CKEY", "Num", GetParam().count);
  Plan("CKEY", "Num1", Under("T1"));
  Plan("CKEY", "Num2", Under("T2"));
  Plan("CKEY", "Num3", Under("T3"));

  Run();

  EXPECT_FALSE(ts::DeviceExists(device)) << "devices are removed whatever the count";
  const char* names[] = {"T1", "T2", "T3"};
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(HasKey(Under(names[i])), i >= GetParam().treesDeleted) << names[i];
}

INSTANTIATE_TEST_SUITE_P(Table, TreeCountTest,
                         testing::Values(CountCase{"MissingMeansFive", nullptr, 3},
                                         CountCase{"Zero", "0", 0}, CountCase{"Negative", "-2", 0},
                                         CountCase{"Two", "2", 2}),
                         [](const testing::TestParamInfo<CountCase>& c) { return c.param.name; });

TEST_F(UninstallerTest, PlanWithoutDevNoReadsTheUnprefixedSections) {
  const std::string device = Device({"CAPKIT\\NO_DEVNO"});
  const std::string decoy = Device({"CAPKIT\\DECOY"});
  Key(Under("Plain"));
  Key(Under("Decoy"));
  Plan("PIDVID", "Num1", "CAPKIT\\NO_DEVNO");
  Plan("KEY", "Num", "1");
  Plan("KEY", "Num1", Under("Plain"));
  Plan("XPIDVID", "Num1", "CAPKIT\\DECOY");
  Plan("XKEY", "Num1", Under("Decoy"));

  Run();

  EXPECT_FALSE(ts::DeviceExists(device));
  EXPECT_FALSE(HasKey(Under("Plain")));
  EXPECT_TRUE(ts::DeviceExists(decoy));
  EXPECT_TRUE(HasKey(Under("Decoy")));
}

TEST_F(UninstallerTest, MissingKeysLeaveNothingBehind) {
  Key(Under("Parent\\Existing"));
  Plan("CurrentDev", "DevNo", "G");
  Plan("GKEY", "Num", "2");
  Plan("GKEY", "Num1", Under("Parent\\Absent"));
  Plan("GKEY", "Num2", Under("NoParent\\Child"));

  Run();

  EXPECT_EQ(ts::SubkeyNames(HKEY_LOCAL_MACHINE, Under("Parent")),
            std::vector<std::string>{"Existing"});
  EXPECT_FALSE(HasKey(Under("Parent\\Absent")));
  EXPECT_FALSE(HasKey(Under("NoParent")));
}

TEST_F(UninstallerTest, DevicesGoBeforeRegistryTrees) {
  // Deleting the device's own registry key first would hide it from the
  // device walk: it would be neither compared nor removed.
  const std::string device = Device({"CAPKIT\\ORDERED"});
  Plan("CurrentDev", "DevNo", "O");
  Plan("OPIDVID", "Num1", "CAPKIT\\ORDERED");
  Plan("OKEY", "Num", "1");
  Plan("OKEY", "Num1", "System\\CurrentControlSet\\Enum\\" + device);

  const std::string out = Run().output;

  EXPECT_EQ(TraceCount(out, "CAPKIT\\ORDERED"), 1) << out;
  EXPECT_FALSE(ts::DeviceExists(device));
}

TEST_F(UninstallerTest, DevNoTooLongForASectionNameRemovesNothing) {
  // "<DevNo>PIDVID" does not fit 259 characters, "<DevNo>KEY" just does:
  // the plan is not carried out from a cut section name.
  const std::string devNo(256, 'D');
  const std::string device = Device({"CAPKIT\\LONG_DEVNO"});
  Key(Under("LongDevNo"));
  Plan("CurrentDev", "DevNo", devNo);
  Plan((devNo + "PIDVID").c_str(), "Num1", "CAPKIT\\LONG_DEVNO");
  Plan((devNo + "PID").c_str(), "Num1", "CAPKIT\\LONG_DEVNO");  // the name cut to 259
  Plan((devNo + "KEY").c_str(), "Num", "1");
  Plan((devNo + "KEY").c_str(), "Num1", Under("LongDevNo"));

  const std::string out = Run().output;

  EXPECT_TRUE(ts::DeviceExists(device));
  EXPECT_TRUE(HasKey(Under("LongDevNo")));
  EXPECT_EQ(out.find("Compare device ID"), std::string::npos) << out;
}

TEST_F(UninstallerTest, RegistryEntryTooLongForItsBufferIsNotCut) {
  // The first 259 characters of the entry name an existing key; cut there,
  // the entry would delete it.
  const std::string prefix = Under("");
  const std::string target = prefix + std::string(259 - prefix.size(), 'k');
  Key(target);
  Key(Under("Short"));
  Plan("CurrentDev", "DevNo", "L");
  Plan("LKEY", "Num", "2");
  Plan("LKEY", "Num1", target + "\\Beyond");
  Plan("LKEY", "Num2", Under("Short"));

  Run();

  EXPECT_TRUE(HasKey(target));
  EXPECT_FALSE(HasKey(Under("Short")));
}

TEST_F(UninstallerTest, FileNameOnTheCommandLineStillRunsThePlan) {
  // Opening a document makes the frame first, and the frame runs the plan.
  const std::string device = Device({"CAPKIT\\OPENED"});
  Plan("CurrentDev", "DevNo", "F");
  Plan("FPIDVID", "Num1", "CAPKIT\\OPENED");

  ts::RunResult result =
      ts::RunProgram(ts::ProgramPath("test.exe"), "C:\\no-such-document.tst", "", kRunMs);
  ASSERT_TRUE(result.started);
  EXPECT_FALSE(result.timedOut);
  EXPECT_EQ(result.exitCode, 0u);
  EXPECT_FALSE(ts::DeviceExists(device));
}

TEST_F(UninstallerTest, WithoutToolBarResourceTheFrameIsNotMadeAndNothingGoes) {
  const std::string device = Device({"CAPKIT\\NO_TOOLBAR"});
  Key(Under("NoToolbar"));
  Plan("CurrentDev", "DevNo", "N");
  Plan("NPIDVID", "Num1", "CAPKIT\\NO_TOOLBAR");
  Plan("NKEY", "Num1", Under("NoToolbar"));

  const std::string out = Run("test_notoolbar.exe").output;

  EXPECT_TRUE(ts::DeviceExists(device));
  EXPECT_TRUE(HasKey(Under("NoToolbar")));
  EXPECT_EQ(out.find("Compare device ID"), std::string::npos) << out;
}

}  // namespace
