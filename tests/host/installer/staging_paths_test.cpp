#include "installer/staging_paths.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using drvprep::BuildConfigPath;
using drvprep::BuildStorePaths;
using drvprep::KitFolderFromModulePath;
using drvprep::PnfNameFromStagedName;
using drvprep::StorePaths;

// A path of exactly n characters that starts with prefix and ends with tail.
std::string PathOfLength(std::size_t n, const std::string& prefix, const std::string& tail) {
  std::string s = prefix;
  s.append(n - prefix.size() - tail.size(), 'a');
  return s + tail;
}

// ---- kit folder ------------------------------------------------------------------

struct KitCase {
  const char* name;
  std::string modulePath;
  bool ok;
  std::string folder;
};

TEST(KitFolder, IsTheModulePathUpToItsLastBackslash) {
  const std::string longest = PathOfLength(99, "C:\\", "\\Drvprep.exe");
  const KitCase cases[] = {
      {"usual", "C:\\KIT\\Drvprep.exe", true, "C:\\KIT"},
      {"spaces", "C:\\Program Files\\My Kit\\Drvprep.exe", true, "C:\\Program Files\\My Kit"},
      {"longer exe name", "C:\\KIT\\Setup Driver.exe", true, "C:\\KIT"},
      {"shorter exe name", "C:\\KIT\\d.exe", true, "C:\\KIT"},
      {"exe name shorter than 12", "C:\\a.exe", true, "C:"},
      {"drive root", "C:\\Drvprep.exe", true, "C:"},
      {"network share", "\\\\srv\\share\\Drvprep.exe", true, "\\\\srv\\share"},
      {"dots in folder", "C:\\kit.v2\\Drvprep.exe", true, "C:\\kit.v2"},
      {"longest module path", longest, true, longest.substr(0, 99 - 12)},
      {"no backslash", "Drvprep.exe", false, ""},
      {"empty", "", false, ""},
  };
  for (const KitCase& c : cases) {
    SCOPED_TRACE(c.name);
    char folder[drvprep::kKitFolderChars] = "junk";
    EXPECT_EQ(c.ok, KitFolderFromModulePath(c.modulePath.c_str(), folder, sizeof folder));
    EXPECT_EQ(c.folder, folder);
  }
}

TEST(KitFolder, ThatDoesNotFitIsRefusedNotCut) {
  // folder of 9 characters: fits in 10, not in 9
  const char* path = "C:\\abcdef\\Drvprep.exe";
  char folder[10];
  EXPECT_TRUE(KitFolderFromModulePath(path, folder, 10));
  EXPECT_STREQ("C:\\abcdef", folder);
  char small[9] = "junk";
  EXPECT_FALSE(KitFolderFromModulePath(path, small, sizeof small));
  EXPECT_STREQ("", small);
}

// ---- PNF name ----------------------------------------------------------------------

TEST(PnfName, ReplacesTheFirstTwoLettersOfTheExtension) {
  const struct {
    const char* staged;
    const char* pnf;  // nullptr: no PNF name
  } cases[] = {
      {"C:\\WINDOWS\\inf\\oem3.inf", "C:\\WINDOWS\\inf\\oem3.pnf"},
      {"C:\\WINDOWS\\inf\\oem123.inf", "C:\\WINDOWS\\inf\\oem123.pnf"},
      {"C:\\windows\\inf\\vidsen.inf", "C:\\windows\\inf\\vidsen.pnf"},
      {"C:\\WINDOWS\\INF\\OEM3.INF", "C:\\WINDOWS\\INF\\OEM3.pnF"},
      {"oem3.inf", "oem3.pnf"},
      {"C:\\inf\\.inf", "C:\\inf\\.pnf"},
      {"C:\\my.inf.d\\oem3.inf", "C:\\my.inf.d\\oem3.pnf"},
      // no three-letter extension in the file name itself
      {"C:\\my.inf\\oem3", nullptr},
      {"C:\\inf\\oem3.in", nullptr},
      {"C:\\inf\\oem3.info", nullptr},
      {"C:\\inf\\oem3.", nullptr},
      {"inf", nullptr},
      {"", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.staged);
    char pnf[drvprep::kStagedNameChars] = "junk";
    EXPECT_EQ(c.pnf != nullptr, PnfNameFromStagedName(c.staged, pnf, sizeof pnf));
    EXPECT_STREQ(c.pnf ? c.pnf : "", pnf);
  }
}

TEST(PnfName, OfAStagedNameAtItsLimit) {
  const std::string staged = PathOfLength(79, "C:\\", "\\oem3.inf");
  char pnf[drvprep::kStagedNameChars];
  ASSERT_TRUE(PnfNameFromStagedName(staged.c_str(), pnf, sizeof pnf));
  EXPECT_EQ(staged.substr(0, 75) + ".pnf", pnf);
  const std::string tooLong = PathOfLength(80, "C:\\", "\\oem3.inf");
  EXPECT_FALSE(PnfNameFromStagedName(tooLong.c_str(), pnf, sizeof pnf));
  EXPECT_STREQ("", pnf);
}

// ---- base name ---------------------------------------------------------------------

TEST(BaseName, MustNameAFileInTheStore) {
  const struct {
    const char* name;
    bool plain;
  } cases[] = {
      {"vidsen", true},           {"my cam", true},    {"cam.v2", true},   {"", false},
      {"..\\system32\\x", false}, {"sub\\cam", false}, {"sub/cam", false}, {"C:cam", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.plain, drvprep::IsPlainBaseName(c.name));
  }
}

// ---- paths ---------------------------------------------------------------------------

TEST(ConfigPath, IsInTheWindowsDirectoryAndBounded) {
  char path[drvprep::kConfigPathChars];
  ASSERT_TRUE(BuildConfigPath("C:\\WINDOWS", path));
  EXPECT_STREQ("C:\\WINDOWS\\Drvconf.ini", path);

  // "\Drvconf.ini" is 12 characters: 87 + 12 = 99 fits, 88 + 12 does not
  const std::string fits = PathOfLength(87, "C:\\", "");
  ASSERT_TRUE(BuildConfigPath(fits.c_str(), path));
  EXPECT_EQ(fits + "\\Drvconf.ini", path);
  const std::string tooLong = PathOfLength(88, "C:\\", "");
  EXPECT_FALSE(BuildConfigPath(tooLong.c_str(), path));
  EXPECT_STREQ("", path);

  EXPECT_FALSE(BuildConfigPath("", path));
  EXPECT_STREQ("", path);
}

TEST(StorePaths, UsualRun) {
  StorePaths p = BuildStorePaths("C:\\WINDOWS", "C:\\KIT", "vidsen");
  EXPECT_STREQ("C:\\WINDOWS\\inf\\vidsen.inf", p.staleInf);
  EXPECT_STREQ("C:\\WINDOWS\\inf\\vidsen.pnf", p.stalePnf);
  EXPECT_STREQ("C:\\KIT\\vidsen.inf", p.sourceInf);
  EXPECT_STREQ("C:\\WINDOWS\\inf\\vidsen.inf", p.fixedInf);
  EXPECT_STREQ("C:\\WINDOWS\\inf\\vidsen.pnf", p.fixedPnf);
}

struct LimitCase {
  const char* name;
  std::string windowsDir;
  std::string kitFolder;
  std::string baseName;
  bool stale;   // both stale paths built
  bool source;  // source INF path built
  bool fixed;   // both fixed names built
};

TEST(StorePaths, AtAndPastTheirLimits) {
  // store paths add "\inf\" and ".inf" (9 characters) to windows dir + base:
  // 99 for the stale paths, 79 for the fixed names
  const std::string base29(29, 'b');
  const std::string dir41 = PathOfLength(41, "C:\\", "");
  const std::string dir42 = PathOfLength(42, "C:\\", "");
  const std::string dir61 = PathOfLength(61, "C:\\", "");
  const std::string dir62 = PathOfLength(62, "C:\\", "");
  const std::string dir79 = PathOfLength(79, "C:\\", "");
  // the source INF adds "\" and ".inf": kit folder 68 + 11 = 79 with "vidsen"
  const std::string kit68 = PathOfLength(68, "C:\\", "");
  const std::string kit69 = PathOfLength(69, "C:\\", "");
  const std::string kit99 = PathOfLength(99, "C:\\", "");
  const LimitCase cases[] = {
      {"fixed names at 79", dir41, "C:\\KIT", base29, true, true, true},
      {"fixed names at 80", dir42, "C:\\KIT", base29, true, true, false},
      {"stale paths at 99", dir61, "C:\\KIT", base29, true, true, false},
      {"stale paths at 100", dir62, "C:\\KIT", base29, false, true, false},
      {"longest windows dir", dir79, "C:\\KIT", std::string(11, 'b'), true, true, false},
      {"longest windows dir, longer name", dir79, "C:\\KIT", std::string(12, 'b'), false, true,
       false},
      {"source at 79", "C:\\WINDOWS", kit68, "vidsen", true, true, true},
      {"source at 80", "C:\\WINDOWS", kit69, "vidsen", true, false, true},
      {"longest kit folder", "C:\\WINDOWS", kit99, "vidsen", true, false, true},
      {"unknown windows dir", "", "C:\\KIT", "vidsen", false, true, false},
      {"unknown kit folder", "C:\\WINDOWS", "", "vidsen", true, false, true},
      {"empty base name", "C:\\WINDOWS", "C:\\KIT", "", false, false, false},
      {"base name with a path", "C:\\WINDOWS", "C:\\KIT", "..\\x", false, false, false},
  };
  for (const LimitCase& c : cases) {
    SCOPED_TRACE(c.name);
    StorePaths p = BuildStorePaths(c.windowsDir.c_str(), c.kitFolder.c_str(), c.baseName.c_str());
    const std::string store = c.windowsDir + "\\inf\\" + c.baseName;
    EXPECT_EQ(c.stale ? store + ".inf" : "", p.staleInf);
    EXPECT_EQ(c.stale ? store + ".pnf" : "", p.stalePnf);
    EXPECT_EQ(c.source ? c.kitFolder + "\\" + c.baseName + ".inf" : "", p.sourceInf);
    EXPECT_EQ(c.fixed ? store + ".inf" : "", p.fixedInf);
    EXPECT_EQ(c.fixed ? store + ".pnf" : "", p.fixedPnf);
  }
}

}  // namespace
