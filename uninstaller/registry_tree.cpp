#include "uninstaller/registry_tree.h"

#include <cstdlib>
#include <cstring>

namespace {

// Registry key names are at most 255 characters; the larger buffer also
// takes whatever a stand-in registry hands back.
constexpr DWORD kNameChars = 512;

class SystemRegistryOps : public RegistryOps {
 public:
  LONG OpenKey(const char* path, HKEY* key) override {
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, key);
  }
  LONG QuerySubkeyCount(HKEY key, DWORD* count) override {
    return RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, count, nullptr, nullptr, nullptr,
                            nullptr, nullptr, nullptr, nullptr);
  }
  LONG EnumSubkey(HKEY key, DWORD index, char* name, DWORD* nameChars) override {
    FILETIME written;
    return RegEnumKeyExA(key, index, name, nameChars, nullptr, nullptr, nullptr, &written);
  }
  void CloseKey(HKEY key) override { RegCloseKey(key); }
  LONG DeleteKey(const char* path) override { return RegDeleteKeyA(HKEY_LOCAL_MACHINE, path); }
};

// An open key of the stand-in-able registry, closed when it goes.
class OpenKey {
 public:
  explicit OpenKey(RegistryOps& ops) : ops_(ops) {}
  ~OpenKey() { Close(); }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  HKEY* put() { return &key_; }
  HKEY get() const { return key_; }
  void Close() {
    if (key_) ops_.CloseKey(key_);
    key_ = nullptr;
  }

 private:
  RegistryOps& ops_;
  HKEY key_ = nullptr;
};

// The subkey names of one level, one after another with their terminators,
// on the heap: a key may have any number of subkeys.
class NameList {
 public:
  NameList() = default;
  ~NameList() { std::free(data_); }
  NameList(const NameList&) = delete;
  NameList& operator=(const NameList&) = delete;

  bool Add(const char* name, std::size_t length) {
    std::size_t need = used_ + length + 1;
    if (need > capacity_) {
      std::size_t grown = capacity_ ? capacity_ * 2 : 1024;
      while (grown < need) grown *= 2;
      void* bigger = std::realloc(data_, grown);
      if (!bigger) return false;
      data_ = static_cast<char*>(bigger);
      capacity_ = grown;
    }
    std::memcpy(data_ + used_, name, length);
    data_[used_ + length] = '\0';
    used_ = need;
    return true;
  }
  // The name after `at` (nullptr: the first), or nullptr after the last.
  const char* Next(const char* at) const {
    if (!data_ || used_ == 0) return nullptr;
    if (!at) return data_;
    const char* next = at + std::strlen(at) + 1;
    return next < data_ + used_ ? next : nullptr;
  }

 private:
  char* data_ = nullptr;
  std::size_t used_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace

RegistryOps& SystemRegistry() {
  static SystemRegistryOps ops;
  return ops;
}

void DeleteRegistryTree(char (&path)[kRegistryPathChars], RegistryOps& ops) {
  OpenKey key(ops);
  if (ops.OpenKey(path, key.put()) != ERROR_SUCCESS) return;
  DWORD count = 0;
  if (ops.QuerySubkeyCount(key.get(), &count) != ERROR_SUCCESS) return;
  if (count == 0) {
    key.Close();
    ops.DeleteKey(path);
    return;
  }

  // All names are read before any is deleted: deleting shifts the indexes.
  NameList names;
  for (DWORD index = 0; index < count; ++index) {
    char name[kNameChars];
    DWORD nameChars = kNameChars;
    if (ops.EnumSubkey(key.get(), index, name, &nameChars) != ERROR_SUCCESS) return;
    // an empty name would address this key again
    if (nameChars == 0 || nameChars >= kNameChars) return;
    if (!names.Add(name, nameChars)) return;
  }
  key.Close();

  const std::size_t ownLength = std::strlen(path);
  for (const char* name = names.Next(nullptr); name; name = names.Next(name)) {
    std::size_t nameLength = std::strlen(name);
    // The subkey would not fit the working path: it stays, and so does this key.
    if (ownLength + 1 + nameLength >= kRegistryPathChars) continue;
    path[ownLength] = '\\';
    std::memcpy(path + ownLength + 1, name, nameLength + 1);
    DeleteRegistryTree(path, ops);
    path[ownLength] = '\0';
  }
  ops.DeleteKey(path);
}
