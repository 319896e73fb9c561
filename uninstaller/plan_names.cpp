#include "uninstaller/plan_names.h"

#include "platform/bounded_format.h"

namespace {
constexpr const char kPlanPrefix[] = "Remove";
constexpr const char kModelCode[] = "907";
}  // namespace

bool FormatPlanPath(char (&path)[kPlanNameChars], const char* windowsDir) {
  return platform::FormatBounded(path, sizeof path, "%s\\Drvprep\\%s%s.ini", windowsDir,
                                 kPlanPrefix, kModelCode);
}

bool FormatPlanSections(const char* devNo, char (&pidvidSection)[kPlanNameChars],
                        char (&keySection)[kPlanNameChars]) {
  if (platform::FormatBounded(pidvidSection, sizeof pidvidSection, "%sPIDVID", devNo) &&
      platform::FormatBounded(keySection, sizeof keySection, "%sKEY", devNo))
    return true;
  pidvidSection[0] = '\0';
  keySection[0] = '\0';
  return false;
}

bool FormatEntryName(char (&name)[kPlanNameChars], int number) {
  return platform::FormatBounded(name, sizeof name, "Num%d", number);
}
