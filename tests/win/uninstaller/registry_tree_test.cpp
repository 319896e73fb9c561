// Registry tree deletion against a registry of our own, for the cases Wine's
// registry cannot produce: a key that refuses deletion, thousands of
// subkeys, a failing enumeration. The end-to-end tests cover the real one.
#include "uninstaller/registry_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// Keys by full path; a key's subkeys are the paths one level below it.
class FakeRegistry : public RegistryOps {
 public:
  void Add(const std::string& path) {
    std::string sofar;
    std::size_t start = 0;
    while (start <= path.size()) {
      std::size_t end = path.find('\\', start);
      if (end == std::string::npos) end = path.size();
      sofar = path.substr(0, end);
      keys_.insert(sofar);
      start = end + 1;
    }
  }
  bool Has(const std::string& path) const { return keys_.count(path) != 0; }
  std::size_t Count() const { return keys_.size(); }

  std::set<std::string> protectedKeys;   // DeleteKey fails with access denied
  std::set<std::string> unlistableKeys;  // EnumSubkey fails
  std::vector<std::string> deletions;    // successful deletions, in order
  std::vector<std::string> opened;       // every OpenKey, in order
  int openHandles = 0;

  LONG OpenKey(const char* path, HKEY* key) override {
    opened.push_back(path);
    if (!Has(path)) return ERROR_FILE_NOT_FOUND;
    handles_.push_back(path);
    *key = reinterpret_cast<HKEY>(static_cast<UINT_PTR>(handles_.size()));
    ++openHandles;
    return ERROR_SUCCESS;
  }
  LONG QuerySubkeyCount(HKEY key, DWORD* count) override {
    *count = static_cast<DWORD>(Children(PathOf(key)).size());
    return ERROR_SUCCESS;
  }
  LONG EnumSubkey(HKEY key, DWORD index, char* name, DWORD* nameChars) override {
    const std::string& parent = PathOf(key);
    if (unlistableKeys.count(parent)) return ERROR_ACCESS_DENIED;
    std::vector<std::string> children = Children(parent);
    if (index >= children.size()) return ERROR_NO_MORE_ITEMS;
    const std::string& child = children[index];
    if (child.size() >= *nameChars) return ERROR_MORE_DATA;
    std::memcpy(name, child.c_str(), child.size() + 1);
    *nameChars = static_cast<DWORD>(child.size());
    return ERROR_SUCCESS;
  }
  void CloseKey(HKEY) override { --openHandles; }
  LONG DeleteKey(const char* path) override {
    if (!Has(path)) return ERROR_FILE_NOT_FOUND;
    if (protectedKeys.count(path)) return ERROR_ACCESS_DENIED;
    if (!Children(path).empty()) return ERROR_ACCESS_DENIED;
    keys_.erase(path);
    deletions.push_back(path);
    return ERROR_SUCCESS;
  }

 private:
  const std::string& PathOf(HKEY key) const {
    return handles_.at(reinterpret_cast<UINT_PTR>(key) - 1);
  }
  std::vector<std::string> Children(const std::string& parent) const {
    std::vector<std::string> names;
    const std::string prefix = parent + "\\";
    for (auto it = keys_.lower_bound(prefix); it != keys_.end() && it->rfind(prefix, 0) == 0;
         ++it) {
      std::string rest = it->substr(prefix.size());
      if (rest.find('\\') == std::string::npos) names.push_back(rest);
    }
    return names;
  }

  std::set<std::string> keys_;
  std::vector<std::string> handles_;
};

// The caller's working buffer, with a guard right behind it.
struct WorkingPath {
  explicit WorkingPath(const std::string& text) {
    std::memset(guard, '#', sizeof guard);
    std::memcpy(path, text.c_str(), text.size() + 1);
  }
  bool GuardIntact() const {
    return std::all_of(guard, guard + sizeof guard, [](char c) { return c == '#'; });
  }
  char path[kRegistryPathChars];
  char guard[16];
};

TEST(DeleteRegistryTreeTest, NestedTreeGoesDepthFirstAndThePathComesBack) {
  FakeRegistry reg;
  reg.Add("SOFTWARE\\Vendor\\Tree\\A\\A1\\A11");
  reg.Add("SOFTWARE\\Vendor\\Tree\\A\\A2");
  reg.Add("SOFTWARE\\Vendor\\Tree\\B");
  reg.Add("SOFTWARE\\Vendor\\Other");
  WorkingPath work("SOFTWARE\\Vendor\\Tree");

  DeleteRegistryTree(work.path, reg);

  EXPECT_EQ(reg.deletions, (std::vector<std::string>{
                               "SOFTWARE\\Vendor\\Tree\\A\\A1\\A11",
                               "SOFTWARE\\Vendor\\Tree\\A\\A1",
                               "SOFTWARE\\Vendor\\Tree\\A\\A2",
                               "SOFTWARE\\Vendor\\Tree\\A",
                               "SOFTWARE\\Vendor\\Tree\\B",
                               "SOFTWARE\\Vendor\\Tree",
                           }));
  EXPECT_TRUE(reg.Has("SOFTWARE\\Vendor\\Other"));
  EXPECT_STREQ(work.path, "SOFTWARE\\Vendor\\Tree");
  EXPECT_TRUE(work.GuardIntact());
  EXPECT_EQ(reg.openHandles, 0);
}

TEST(DeleteRegistryTreeTest, ProtectedSubkeyKeepsItselfAndItsParentWhileSiblingsGo) {
  FakeRegistry reg;
  reg.Add("SOFTWARE\\Tree\\A");
  reg.Add("SOFTWARE\\Tree\\Locked\\Inner");
  reg.Add("SOFTWARE\\Tree\\Z");
  reg.protectedKeys.insert("SOFTWARE\\Tree\\Locked");
  WorkingPath work("SOFTWARE\\Tree");

  DeleteRegistryTree(work.path, reg);

  EXPECT_FALSE(reg.Has("SOFTWARE\\Tree\\A"));
  EXPECT_FALSE(reg.Has("SOFTWARE\\Tree\\Z"));
  EXPECT_FALSE(reg.Has("SOFTWARE\\Tree\\Locked\\Inner"));
  EXPECT_TRUE(reg.Has("SOFTWARE\\Tree\\Locked"));
  EXPECT_TRUE(reg.Has("SOFTWARE\\Tree"));
  EXPECT_STREQ(work.path, "SOFTWARE\\Tree");
  EXPECT_EQ(reg.openHandles, 0);
}

TEST(DeleteRegistryTreeTest, EverySubkeyGoesBeyondAThousand) {
  FakeRegistry reg;
  const int kSubkeys = 2500;
  for (int i = 0; i < kSubkeys; ++i) reg.Add("SOFTWARE\\Wide\\Key" + std::to_string(i));
  WorkingPath work("SOFTWARE\\Wide");

  DeleteRegistryTree(work.path, reg);

  EXPECT_EQ(reg.deletions.size(), static_cast<std::size_t>(kSubkeys + 1));
  EXPECT_FALSE(reg.Has("SOFTWARE\\Wide"));
  EXPECT_TRUE(reg.Has("SOFTWARE"));
}

TEST(DeleteRegistryTreeTest, SubtreeWhosePathWouldPass259CharactersIsLeftAlone) {
  // "SOFTWARE\Deep\" is 14 characters: a 245-character name makes a
  // 259-character path, which fits; one more character does not.
  const std::string base = "SOFTWARE\\Deep";
  const std::string fits = base + "\\" + std::string(245, 'f');
  const std::string tooLong = base + "\\" + std::string(246, 'l');
  const std::string below = base + "\\short\\" + std::string(240, 'x');  // 260 characters
  FakeRegistry reg;
  reg.Add(fits);
  reg.Add(tooLong);
  reg.Add(below);
  reg.Add(base + "\\sibling");
  WorkingPath work(base);

  DeleteRegistryTree(work.path, reg);

  EXPECT_FALSE(reg.Has(fits));
  EXPECT_FALSE(reg.Has(base + "\\sibling"));
  EXPECT_TRUE(reg.Has(tooLong));
  EXPECT_TRUE(reg.Has(below));
  EXPECT_TRUE(reg.Has(base + "\\short"));
  EXPECT_TRUE(reg.Has(base));
  for (const std::string& path : reg.opened) EXPECT_LT(path.size(), kRegistryPathChars);
  EXPECT_STREQ(work.path, base.c_str());
  EXPECT_TRUE(work.GuardIntact());
}

TEST(DeleteRegistryTreeTest, MissingKeyChangesNothing) {
  FakeRegistry reg;
  reg.Add("SOFTWARE\\Present\\Child");
  const std::size_t before = reg.Count();
  WorkingPath work("SOFTWARE\\Present\\Missing\\Deeper");

  DeleteRegistryTree(work.path, reg);

  EXPECT_EQ(reg.Count(), before);
  EXPECT_TRUE(reg.deletions.empty());
  EXPECT_STREQ(work.path, "SOFTWARE\\Present\\Missing\\Deeper");
}

TEST(DeleteRegistryTreeTest, KeyWhoseSubkeysCannotBeListedIsKeptWhole) {
  FakeRegistry reg;
  reg.Add("SOFTWARE\\Tree\\Unlistable\\X");
  reg.Add("SOFTWARE\\Tree\\Plain");
  reg.unlistableKeys.insert("SOFTWARE\\Tree\\Unlistable");
  WorkingPath work("SOFTWARE\\Tree");

  DeleteRegistryTree(work.path, reg);

  EXPECT_EQ(reg.deletions, std::vector<std::string>{"SOFTWARE\\Tree\\Plain"});
  EXPECT_TRUE(reg.Has("SOFTWARE\\Tree\\Unlistable\\X"));
  EXPECT_EQ(reg.openHandles, 0);
}

}  // namespace
