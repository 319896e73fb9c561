#include "uninstaller/removal_plan.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/wnd.h"
#include "platform/bounded_format.h"
#include "platform/handles.h"
#include "platform/profile.h"
#include "uninstaller/device_removal.h"
#include "uninstaller/plan_names.h"
#include "uninstaller/registry_tree.h"

namespace {

constexpr std::size_t kValueChars = platform::kUninstallerValueChars;
constexpr int kDefaultTreeCount = 5;

// A plan value in a buffer of kValueChars. A value too long for it is
// reported instead of being used cut: a cut hardware ID would match more
// devices, a cut registry path would name another key. One character of
// room beyond the buffer tells the two apart.
bool ReadPlanValue(const char* section, const char* key, const char* plan,
                   char (&value)[kValueChars]) {
  char wide[kValueChars + 1];
  platform::ReadPrivateProfileString(section, key, "", wide, sizeof wide, plan);
  return platform::CopyBounded(value, sizeof value, wide);
}

bool PlanCanBeRead(const char* plan) {
  platform::UniqueFile file(CreateFileA(plan, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
  return static_cast<bool>(file);
}

void CarryOut(const char* plan) {
  char devNo[kValueChars];
  if (!ReadPlanValue("CurrentDev", "DevNo", plan, devNo)) return;
  char pidvidSection[kPlanNameChars];
  char keySection[kPlanNameChars];
  if (!FormatPlanSections(devNo, pidvidSection, keySection)) return;

  char first[kValueChars];
  char second[kValueChars];
  if (!ReadPlanValue(pidvidSection, "Num1", plan, first)) first[0] = '\0';
  if (!ReadPlanValue(pidvidSection, "Num2", plan, second)) second[0] = '\0';
  RemoveMatchingDevices(first, second);

  const int count = platform::ReadPrivateProfileInt(keySection, "Num", kDefaultTreeCount, plan);
  // counted wide so that a count of INT_MAX ends
  for (long long number = 1; number <= count; ++number) {
    char entry[kPlanNameChars];
    if (!FormatEntryName(entry, static_cast<int>(number))) continue;
    char path[kRegistryPathChars];
    static_assert(sizeof path == kValueChars, "a registry entry is read into the working path");
    if (!ReadPlanValue(keySection, entry, plan, path) || path[0] == '\0') continue;
    DeleteRegistryTree(path);
  }
}

}  // namespace

void RunRemovalPlan(CWnd* frame) {
  char windowsDir[platform::kUninstallerWinDirChars];
  char plan[kPlanNameChars];
  bool located = platform::GetWindowsDir(windowsDir, sizeof windowsDir) &&
                 FormatPlanPath(plan, windowsDir) && PlanCanBeRead(plan);
  if (located) {
    CarryOut(plan);
  } else {
    MessageBoxA(frame ? frame->GetSafeHwnd() : nullptr,
                "Can't locate at file remove907.ini,uninstall failed!", "",
                MB_OK | MB_ICONINFORMATION);
  }
  // The C run time's own exit: the trace reaches standard output and exit
  // handlers run; the framework's shutdown does not.
  std::fflush(stdout);
  std::exit(0);
}
