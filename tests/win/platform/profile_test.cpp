// What the three programs rely on when they read their settings: defaults for
// anything missing, values cut to the caller's buffer and always terminated,
// nothing written past the buffer, decimal integers, and a Windows directory
// without a trailing backslash.
#include "platform/profile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "tests/win/support/support.h"

namespace ts = testsupport;

namespace {

constexpr char kGuard = '#';
constexpr std::size_t kGuardBytes = 16;

// A value whose every character differs from its neighbours, so a cut one
// character too early or too late shows.
std::string Pattern(std::size_t length) {
  static const char kChars[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  std::string value;
  for (std::size_t i = 0; i < length; ++i) value += kChars[i % (sizeof kChars - 1)];
  return value;
}

// A caller's buffer of `size` characters with guard bytes behind it. Its
// contents start as garbage so a read that leaves them alone shows too.
class GuardedBuffer {
 public:
  explicit GuardedBuffer(std::size_t size) : size_(size), bytes_(size + kGuardBytes, kGuard) {}
  char* data() { return &bytes_[0]; }
  std::size_t size() const { return size_; }
  std::string Text() const { return std::string(bytes_.c_str(), strnlen(bytes_.c_str(), size_)); }
  bool Terminated() const { return size_ == 0 || std::memchr(bytes_.data(), '\0', size_); }
  bool GuardIntact() const { return bytes_.find_first_not_of(kGuard, size_) == std::string::npos; }

 private:
  std::size_t size_;
  std::string bytes_;
};

// Both string reads follow the same rules; each case runs against both.
struct Source {
  const char* name;
  // Stores value (nullptr: removes the key) under section/key.
  std::function<void(const char* section, const char* key, const char* value)> set;
  std::function<void(const char* section, const char* key, const char* def, GuardedBuffer& buf)>
      read;
};

class ProfileStrings : public ::testing::Test {
 protected:
  static constexpr const char* kSection = "CapkitProfileTest";

  void SetUp() override {
    ASSERT_FALSE(folder_.Path().empty());
    file_ = folder_.Path() + "\\Drvconf.ini";
  }
  void TearDown() override { ts::SetWinIni(kSection, nullptr, nullptr); }

  std::vector<Source> Sources() {
    const std::string file = file_;
    return {
        {"private file",
         [file](const char* section, const char* key, const char* value) {
           ASSERT_TRUE(ts::WriteIni(file, section, key, value));
         },
         [file](const char* section, const char* key, const char* def, GuardedBuffer& buf) {
           platform::ReadPrivateProfileString(section, key, def, buf.data(), buf.size(),
                                              file.c_str());
         }},
        {"WIN.INI",
         [](const char* section, const char* key, const char* value) {
           ASSERT_TRUE(ts::SetWinIni(section, key, value));
         },
         [](const char* section, const char* key, const char* def, GuardedBuffer& buf) {
           platform::ReadProfileString(section, key, def, buf.data(), buf.size());
         }},
    };
  }

  ts::TempFolder folder_;
  std::string file_;
};

TEST_F(ProfileStrings, MissingFileSectionOrKeyYieldsTheDefault) {
  const char* const defaults[] = {"vidsen", "", nullptr};
  auto expectDefaults = [&](const Source& source, const char* section, const char* key) {
    for (const char* def : defaults) {
      GuardedBuffer buf(platform::kInstallerValueChars);
      source.read(section, key, def, buf);
      EXPECT_EQ(def ? def : "", buf.Text());
      EXPECT_TRUE(buf.Terminated());
    }
  };
  for (const Source& source : Sources()) {
    SCOPED_TRACE(source.name);
    {
      SCOPED_TRACE("nothing written: no private file, no WIN.INI section");
      expectDefaults(source, kSection, "Video");
    }
    source.set(kSection, "Other", "x");
    {
      SCOPED_TRACE("missing key");
      expectDefaults(source, kSection, "Video");
    }
    {
      SCOPED_TRACE("missing section");
      expectDefaults(source, "CapkitNoSuchSection", "Other");
    }
  }
}

TEST_F(ProfileStrings, ValueIsReadAsWritten) {
  for (const Source& source : Sources()) {
    SCOPED_TRACE(source.name);
    source.set(kSection, "SnapBMP", "C:\\Snap.bmp");
    GuardedBuffer buf(platform::kViewerProfileChars);
    source.read(kSection, "SnapBMP", "", buf);
    EXPECT_EQ("C:\\Snap.bmp", buf.Text());
    // a key removed again is missing again
    source.set(kSection, "SnapBMP", nullptr);
    GuardedBuffer after(platform::kViewerProfileChars);
    source.read(kSection, "SnapBMP", "none", after);
    EXPECT_EQ("none", after.Text());
  }
}

TEST_F(ProfileStrings, ValuesAndDefaultsAreCutToTheBufferAndTerminated) {
  const std::size_t sizes[] = {1, 2, platform::kInstallerValueChars, platform::kViewerProfileChars,
                               platform::kUninstallerValueChars};
  for (const Source& source : Sources()) {
    SCOPED_TRACE(source.name);
    for (std::size_t size : sizes) {
      for (std::size_t length : {size - 1, size, size + 1, size + 20}) {
        SCOPED_TRACE("buffer " + std::to_string(size) + ", value " + std::to_string(length));
        const std::string value = Pattern(length);
        const std::string expected = value.substr(0, size - 1);

        source.set(kSection, "Value", value.c_str());
        GuardedBuffer stored(size);
        source.read(kSection, "Value", "", stored);
        EXPECT_EQ(expected, stored.Text());
        EXPECT_TRUE(stored.Terminated());
        EXPECT_TRUE(stored.GuardIntact());

        GuardedBuffer byDefault(size);
        source.read(kSection, "Missing", value.c_str(), byDefault);
        EXPECT_EQ(expected, byDefault.Text());
        EXPECT_TRUE(byDefault.Terminated());
        EXPECT_TRUE(byDefault.GuardIntact());
      }
    }
  }
}

TEST_F(ProfileStrings, ZeroSizedBufferIsLeftAlone) {
  for (const Source& source : Sources()) {
    SCOPED_TRACE(source.name);
    source.set(kSection, "Value", "abc");
    GuardedBuffer buf(0);
    source.read(kSection, "Value", "def", buf);
    EXPECT_TRUE(buf.GuardIntact());
  }
}

TEST(ProfileInt, IsTheDecimalNumberWrittenOrTheDefault) {
  ts::TempFolder folder;
  const std::string file = folder.Path() + "\\Remove907.ini";
  EXPECT_EQ(5, platform::ReadPrivateProfileInt("KEY", "Num", 5, file.c_str())) << "no file";

  ASSERT_TRUE(ts::WriteFileBytes(file,
                                 "[KEY]\r\n"
                                 "Num=42\r\n"
                                 "Zero=0\r\n"
                                 "Padded=007\r\n"
                                 "Negative=-3\r\n"
                                 "Large=2147483647\r\n"));
  struct Case {
    const char* section;
    const char* key;
    int def;
    int expected;
  } const cases[] = {
      {"KEY", "Num", 5, 42},
      {"KEY", "Zero", 5, 0},
      {"KEY", "Padded", 5, 7},
      // "a count of 0 or less deletes nothing" needs a negative count to stay negative
      {"KEY", "Negative", 5, -3},
      {"KEY", "Large", 5, 2147483647},
      {"KEY", "Missing", 5, 5},
      {"KEY", "Missing", -1, -1},
      {"A1KEY", "Num", 5, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.key);
    EXPECT_EQ(c.expected, platform::ReadPrivateProfileInt(c.section, c.key, c.def, file.c_str()));
  }
}

TEST(WindowsDir, FitsTheProgramsBuffersWithoutATrailingBackslash) {
  const std::string expected = ts::WindowsDir();
  ASSERT_GT(expected.size(), 2u);
  for (std::size_t size :
       {platform::kInstallerWinDirChars, platform::kUninstallerWinDirChars, expected.size() + 1}) {
    SCOPED_TRACE(size);
    GuardedBuffer buf(size);
    ASSERT_TRUE(platform::GetWindowsDir(buf.data(), buf.size()));
    EXPECT_EQ(expected, buf.Text());
    EXPECT_NE('\\', buf.Text().back());
    EXPECT_TRUE(buf.GuardIntact());
  }
  // Callers add "\inf\..." to it: the folder named must be the real one.
  DWORD attrs = GetFileAttributesA((expected + "\\system32").c_str());
  EXPECT_TRUE(attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY));
}

TEST(WindowsDir, ThatDoesNotFitIsRefusedNotCut) {
  const std::string dir = ts::WindowsDir();
  for (std::size_t size : {dir.size(), static_cast<std::size_t>(2), static_cast<std::size_t>(1)}) {
    SCOPED_TRACE(size);
    GuardedBuffer buf(size);
    EXPECT_FALSE(platform::GetWindowsDir(buf.data(), buf.size()));
    EXPECT_EQ("", buf.Text());
    EXPECT_TRUE(buf.GuardIntact());
  }
  GuardedBuffer none(0);
  EXPECT_FALSE(platform::GetWindowsDir(none.data(), 0));
  EXPECT_TRUE(none.GuardIntact());
}

TEST(ModulePath, IsTheProgramsOwnFileAndIsRefusedNotCut) {
  char path[MAX_PATH + 1];
  ASSERT_TRUE(platform::GetModulePath(nullptr, path, sizeof path));
  std::string full(path);
  const std::string name = "\\win_platform_tests.exe";
  ASSERT_GT(full.size(), name.size());
  EXPECT_EQ(name, full.substr(full.size() - name.size()));

  // one character short of the path and its terminator, then just enough
  GuardedBuffer small(full.size());
  EXPECT_FALSE(platform::GetModulePath(nullptr, small.data(), small.size()));
  EXPECT_EQ("", small.Text());
  EXPECT_TRUE(small.GuardIntact());
  GuardedBuffer exact(full.size() + 1);
  EXPECT_TRUE(platform::GetModulePath(nullptr, exact.data(), exact.size()));
  EXPECT_EQ(full, exact.Text());
  EXPECT_TRUE(exact.GuardIntact());
}

}  // namespace
