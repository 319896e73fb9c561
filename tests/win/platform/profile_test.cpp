#include "platform/profile.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowsDir, HasNoTrailingBackslash) {
  char dir[platform::kUninstallerWinDirChars];
  ASSERT_TRUE(platform::GetWindowsDir(dir, sizeof dir));
  ASSERT_GT(strlen(dir), 2u);
  EXPECT_NE('\\', dir[strlen(dir) - 1]);
}

}  // namespace
