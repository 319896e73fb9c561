#include "platform/bounded_format.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(FormatBounded, FitsExactlyAtCapacityMinusOne) {
  char buf[8];
  EXPECT_TRUE(platform::FormatBounded(buf, sizeof buf, "%s\\%s", "abc", "def"));  // 7 chars
  EXPECT_STREQ("abc\\def", buf);
}

TEST(FormatBounded, OneOverTheLimitIsRefusedAndLeavesEmpty) {
  char buf[8];
  std::memset(buf, 'x', sizeof buf);
  EXPECT_FALSE(platform::FormatBounded(buf, sizeof buf, "%s\\%s", "abcd", "def"));  // 8 chars
  EXPECT_STREQ("", buf);
}

TEST(FormatBounded, FarPastTheLimitWritesNothingBeyondTheBuffer) {
  char guard[32];
  std::memset(guard, 'G', sizeof guard);
  char* buf = guard + 8;
  std::string longText(500, 'p');
  EXPECT_FALSE(platform::FormatBounded(buf, 8, "%s", longText.c_str()));
  for (int i = 0; i < 8; ++i) EXPECT_EQ('G', guard[i]);
  for (int i = 16; i < 32; ++i) EXPECT_EQ('G', guard[i]);
}

TEST(FormatBounded, ZeroCapacityIsRefused) {
  char c = 'z';
  EXPECT_FALSE(platform::FormatBounded(&c, 0, "%s", ""));
  EXPECT_EQ('z', c);
}

TEST(CopyBoundedAndTruncated, Table) {
  struct Case {
    const char* src;
    size_t cap;
    bool fits;
    const char* bounded;
    const char* truncated;
  } cases[] = {
      {"", 1, true, "", ""},
      {"abc", 4, true, "abc", "abc"},
      {"abcd", 4, false, "", "abc"},
      {"abcdefgh", 2, false, "", "a"},
  };
  for (const auto& c : cases) {
    char a[16], b[16];
    EXPECT_EQ(c.fits, platform::CopyBounded(a, c.cap, c.src)) << c.src;
    EXPECT_STREQ(c.bounded, a) << c.src;
    platform::CopyTruncated(b, c.cap, c.src);
    EXPECT_STREQ(c.truncated, b) << c.src;
  }
}

}  // namespace
