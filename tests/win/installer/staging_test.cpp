// The staging flow against a stand-in for the system: Windows gives the copy
// in the INF store a generated name, which Wine never does, and a stale file
// that cannot be deleted is hard to arrange for real.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "installer/inf_staging.h"
#include "platform/bounded_format.h"

namespace {

using Files = std::map<std::string, std::string>;  // path -> content
using Calls = std::vector<std::string>;

// A system whose files are a map and whose setup services copy as Windows
// does: under the next generated oemN.inf name, with a PNF beside it.
class FakeStaging : public drvprep::StagingSystem {
 public:
  std::string windowsDir = "C:\\WINDOWS";
  std::string modulePath = "C:\\KIT\\Drvprep.exe";
  std::map<std::string, std::string> videoByConfigFile;  // the "Video" key of a file
  Files files;
  std::set<std::string> undeletable;
  bool refuseCopy = false;
  std::string generatedName = "C:\\WINDOWS\\inf\\oem7.inf";
  Calls calls;
  int exits = 0;
  unsigned exitCode = 0;

  bool WindowsDir(char* buf, std::size_t size) override {
    return platform::CopyBounded(buf, size, windowsDir.c_str());
  }
  bool ModulePath(char* buf, std::size_t size) override {
    return platform::CopyBounded(buf, size, modulePath.c_str());
  }
  void ReadConfigValue(const char* section, const char* key, const char* def, char* buf,
                       std::size_t size, const char* file) override {
    calls.push_back(std::string("read ") + file + " [" + section + "] " + key + " (" + def + ", " +
                    std::to_string(size) + ")");
    auto it = videoByConfigFile.find(file);
    bool known = it != videoByConfigFile.end() && std::strcmp(section, "Drvprep") == 0 &&
                 std::strcmp(key, "Video") == 0;
    platform::CopyTruncated(buf, size, known ? it->second.c_str() : def);
  }
  bool CopyOemInf(const char* sourceInf, char* staged, std::size_t stagedSize) override {
    calls.push_back(std::string("copy ") + sourceInf);
    // Wine leaves the would-be name in the buffer when it refuses a copy
    platform::CopyTruncated(staged, stagedSize, generatedName.c_str());
    auto source = files.find(sourceInf);
    if (refuseCopy || source == files.end()) return false;
    if (!platform::CopyBounded(staged, stagedSize, generatedName.c_str())) return false;
    std::string pnf = generatedName.substr(0, generatedName.size() - 3) + "pnf";
    files[generatedName] = source->second;
    files[pnf] = "PNF of " + generatedName;
    return true;
  }
  bool RemoveFile(const char* path) override {
    calls.push_back(std::string("delete ") + path);
    if (undeletable.count(path)) return false;
    return files.erase(path) == 1;
  }
  bool RenameFile(const char* from, const char* to) override {
    calls.push_back(std::string("rename ") + from + " -> " + to);
    auto it = files.find(from);
    if (it == files.end() || files.count(to)) return false;
    files[to] = it->second;
    files.erase(it);
    return true;
  }
  void EndProcess(unsigned code) override {
    calls.push_back("exit " + std::to_string(code));
    ++exits;
    exitCode = code;
  }
};

const char kStaleInf[] = "C:\\WINDOWS\\inf\\vidsen.inf";
const char kStalePnf[] = "C:\\WINDOWS\\inf\\vidsen.pnf";
const char kSource[] = "C:\\KIT\\vidsen.inf";
const char kReadDefault[] = "read C:\\WINDOWS\\Drvconf.ini [Drvprep] Video (vidsen, 30)";

std::string Del(const std::string& p) { return "delete " + p; }
std::string Copy(const std::string& p) { return "copy " + p; }
std::string Ren(const std::string& a, const std::string& b) { return "rename " + a + " -> " + b; }

struct Scenario {
  const char* name;
  std::function<void(FakeStaging&)> arrange;
  Calls calls;  // every call, in order; the last is always "exit 1"
  Files files;  // the files afterwards
};

TEST(StageDriverInf, Scenarios) {
  const Files kitOnly = {{kSource, "new inf"}};
  const Files staleAndKit = {{kSource, "new inf"}, {kStaleInf, "old inf"}, {kStalePnf, "old pnf"}};
  const Scenario scenarios[] = {
      {"generated name renamed to the base name",
       [&](FakeStaging& f) { f.files = kitOnly; },
       {kReadDefault, Del(kStaleInf), Del(kStalePnf), Copy(kSource),
        Ren("C:\\WINDOWS\\inf\\oem7.inf", kStaleInf), Ren("C:\\WINDOWS\\inf\\oem7.pnf", kStalePnf),
        "exit 1"},
       {{kSource, "new inf"},
        {kStaleInf, "new inf"},
        {kStalePnf, "PNF of C:\\WINDOWS\\inf\\oem7.inf"}}},
      {"stale files removed before the copy",
       [&](FakeStaging& f) { f.files = staleAndKit; },
       {kReadDefault, Del(kStaleInf), Del(kStalePnf), Copy(kSource),
        Ren("C:\\WINDOWS\\inf\\oem7.inf", kStaleInf), Ren("C:\\WINDOWS\\inf\\oem7.pnf", kStalePnf),
        "exit 1"},
       {{kSource, "new inf"},
        {kStaleInf, "new inf"},
        {kStalePnf, "PNF of C:\\WINDOWS\\inf\\oem7.inf"}}},
      {"refused copy renames nothing",
       [&](FakeStaging& f) {
         f.files = staleAndKit;
         f.refuseCopy = true;
       },
       {kReadDefault, Del(kStaleInf), Del(kStalePnf), Copy(kSource), "exit 1"},
       kitOnly},
      {"missing source INF still removes the stale files",
       [&](FakeStaging& f) {
         f.files = {{kStaleInf, "old inf"}, {kStalePnf, "old pnf"}};
       },
       {kReadDefault, Del(kStaleInf), Del(kStalePnf), Copy(kSource), "exit 1"},
       {}},
      {"undeletable stale INF leaves the copy under its generated name",
       [&](FakeStaging& f) {
         f.files = staleAndKit;
         f.undeletable = {kStaleInf};
       },
       {kReadDefault, Del(kStaleInf), Del(kStalePnf), Copy(kSource),
        Ren("C:\\WINDOWS\\inf\\oem7.inf", kStaleInf), Ren("C:\\WINDOWS\\inf\\oem7.pnf", kStalePnf),
        "exit 1"},
       {{kSource, "new inf"},
        {kStaleInf, "old inf"},
        {"C:\\WINDOWS\\inf\\oem7.inf", "new inf"},
        {kStalePnf, "PNF of C:\\WINDOWS\\inf\\oem7.inf"}}},
      {"undeletable stale PNF leaves the PNF under its generated name",
       [&](FakeStaging& f) {
         f.files = staleAndKit;
         f.undeletable = {kStalePnf};
       },
       {kReadDefault, Del(kStaleInf), Del(kStalePnf), Copy(kSource),
        Ren("C:\\WINDOWS\\inf\\oem7.inf", kStaleInf), Ren("C:\\WINDOWS\\inf\\oem7.pnf", kStalePnf),
        "exit 1"},
       {{kSource, "new inf"},
        {kStaleInf, "new inf"},
        {kStalePnf, "old pnf"},
        {"C:\\WINDOWS\\inf\\oem7.pnf", "PNF of C:\\WINDOWS\\inf\\oem7.inf"}}},
      {"copy that keeps its own name (as on Wine) stays in place",
       [&](FakeStaging& f) {
         f.files = kitOnly;
         f.generatedName = kStaleInf;
       },
       {kReadDefault, Del(kStaleInf), Del(kStalePnf), Copy(kSource), Ren(kStaleInf, kStaleInf),
        Ren(kStalePnf, kStalePnf), "exit 1"},
       {{kSource, "new inf"},
        {kStaleInf, "new inf"},
        {kStalePnf, "PNF of " + std::string(kStaleInf)}}},
      {"configured base name",
       [&](FakeStaging& f) {
         f.videoByConfigFile["C:\\WINDOWS\\Drvconf.ini"] = "mycam";
         f.files = {{"C:\\KIT\\mycam.inf", "cam inf"}, {kStaleInf, "other inf"}};
       },
       {kReadDefault, Del("C:\\WINDOWS\\inf\\mycam.inf"), Del("C:\\WINDOWS\\inf\\mycam.pnf"),
        Copy("C:\\KIT\\mycam.inf"),
        Ren("C:\\WINDOWS\\inf\\oem7.inf", "C:\\WINDOWS\\inf\\mycam.inf"),
        Ren("C:\\WINDOWS\\inf\\oem7.pnf", "C:\\WINDOWS\\inf\\mycam.pnf"), "exit 1"},
       {{"C:\\KIT\\mycam.inf", "cam inf"},
        {kStaleInf, "other inf"},
        {"C:\\WINDOWS\\inf\\mycam.inf", "cam inf"},
        {"C:\\WINDOWS\\inf\\mycam.pnf", "PNF of C:\\WINDOWS\\inf\\oem7.inf"}}},
      {"kit folder from a longer program name with spaces",
       [&](FakeStaging& f) {
         f.modulePath = "C:\\My Kit\\Setup Driver.exe";
         f.files = {{"C:\\My Kit\\vidsen.inf", "new inf"}};
       },
       {kReadDefault, Del(kStaleInf), Del(kStalePnf), Copy("C:\\My Kit\\vidsen.inf"),
        Ren("C:\\WINDOWS\\inf\\oem7.inf", kStaleInf), Ren("C:\\WINDOWS\\inf\\oem7.pnf", kStalePnf),
        "exit 1"},
       {{"C:\\My Kit\\vidsen.inf", "new inf"},
        {kStaleInf, "new inf"},
        {kStalePnf, "PNF of C:\\WINDOWS\\inf\\oem7.inf"}}},
      {"installer at a drive's root",
       [&](FakeStaging& f) {
         f.modulePath = "D:\\Drvprep.exe";
         f.refuseCopy = true;
       },
       {kReadDefault, Del(kStaleInf), Del(kStalePnf), Copy("D:\\vidsen.inf"), "exit 1"},
       {}},
      {"empty configured name deletes nothing and copies nothing",
       [&](FakeStaging& f) {
         f.videoByConfigFile["C:\\WINDOWS\\Drvconf.ini"] = "";
         f.files = staleAndKit;
       },
       {kReadDefault, "exit 1"},
       staleAndKit},
      {"configured name with a path reaches nothing outside the store",
       [&](FakeStaging& f) {
         f.videoByConfigFile["C:\\WINDOWS\\Drvconf.ini"] = "..\\system32\\kernel32";
       },
       {kReadDefault, "exit 1"},
       {}},
  };
  for (const Scenario& s : scenarios) {
    SCOPED_TRACE(s.name);
    FakeStaging fake;
    s.arrange(fake);
    drvprep::StageDriverInf(fake);
    EXPECT_EQ(s.calls, fake.calls);
    EXPECT_EQ(s.files, fake.files);
    EXPECT_EQ(1, fake.exits);
    EXPECT_EQ(1u, fake.exitCode);
  }
}

TEST(StageDriverInf, LongConfiguredNameIsCutTo29Characters) {
  FakeStaging fake;
  const std::string name40(40, 'n');
  const std::string name29(29, 'n');
  fake.videoByConfigFile["C:\\WINDOWS\\Drvconf.ini"] = name40;
  fake.files = {{"C:\\KIT\\" + name29 + ".inf", "inf"}};
  drvprep::StageDriverInf(fake);
  EXPECT_EQ(Files({{"C:\\KIT\\" + name29 + ".inf", "inf"},
                   {"C:\\WINDOWS\\inf\\" + name29 + ".inf", "inf"},
                   {"C:\\WINDOWS\\inf\\" + name29 + ".pnf", "PNF of C:\\WINDOWS\\inf\\oem7.inf"}}),
            fake.files);
}

// Paths past their buffers: the step that needs the path is skipped, the
// rest still runs, and the exit code stays 1.
TEST(StageDriverInf, StepsWhosePathsDoNotFitAreSkipped) {
  const std::string dir79 = "C:\\" + std::string(76, 'w');
  const std::string kit69 = "C:\\" + std::string(66, 'k');
  const std::string kit68 = "C:\\" + std::string(65, 'k');
  const struct {
    const char* name;
    std::string windowsDir;
    std::string modulePath;
    Calls calls;
  } cases[] = {
      {"kit folder of 68 still copies",
       "C:\\WINDOWS",
       kit68 + "\\Drvprep.exe",
       {kReadDefault, Del(kStaleInf), Del(kStalePnf), Copy(kit68 + "\\vidsen.inf"), "exit 1"}},
      {"kit folder of 69 does not fit the source path",
       "C:\\WINDOWS",
       kit69 + "\\Drvprep.exe",
       {kReadDefault, Del(kStaleInf), Del(kStalePnf), "exit 1"}},
      {"module path of 100 characters",
       "C:\\WINDOWS",
       "C:\\" + std::string(85, 'k') + "\\Drvprep.exe",
       {kReadDefault, Del(kStaleInf), Del(kStalePnf), "exit 1"}},
      {"module path without a folder",
       "C:\\WINDOWS",
       "Drvprep.exe",
       {kReadDefault, Del(kStaleInf), Del(kStalePnf), "exit 1"}},
      // the stale paths fit in 100, the fixed names not in 80: no copy that
      // could not be renamed
      {"windows dir of 79",
       dir79,
       "C:\\KIT\\Drvprep.exe",
       {"read " + dir79 + "\\Drvconf.ini [Drvprep] Video (vidsen, 30)",
        Del(dir79 + "\\inf\\vidsen.inf"), Del(dir79 + "\\inf\\vidsen.pnf"), "exit 1"}},
      {"windows dir that does not fit", dir79 + "w", "C:\\KIT\\Drvprep.exe", {"exit 1"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeStaging fake;
    fake.windowsDir = c.windowsDir;
    fake.modulePath = c.modulePath;
    fake.refuseCopy = true;
    drvprep::StageDriverInf(fake);
    EXPECT_EQ(c.calls, fake.calls);
    EXPECT_EQ(1, fake.exits);
    EXPECT_EQ(1u, fake.exitCode);
  }
}

}  // namespace
