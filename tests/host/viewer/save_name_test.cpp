// The Save command's extension rule on the chosen path.
#include "viewer/save_name.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using viewer::SaveNameResult;

TEST(ApplyBmpExtension, FollowsTheFileNameOnly) {
  struct {
    const char* path;
    SaveNameResult result;
    const char* after;
  } cases[] = {
      {"C:\\pics\\shot", SaveNameResult::kExtended, "C:\\pics\\shot.bmp"},
      {"C:\\pics\\shot.bmp", SaveNameResult::kKept, "C:\\pics\\shot.bmp"},
      {"C:\\pics\\shot.BMP", SaveNameResult::kKept, "C:\\pics\\shot.BMP"},
      {"C:\\pics\\shot.Bmp", SaveNameResult::kKept, "C:\\pics\\shot.Bmp"},
      {"C:\\pics\\shot.jpg", SaveNameResult::kWrongExtension, "C:\\pics\\shot.jpg"},
      {"C:\\pics\\shot.bmp.jpg", SaveNameResult::kWrongExtension, "C:\\pics\\shot.bmp.jpg"},
      {"C:\\pics\\shot.jpg.bmp", SaveNameResult::kKept, "C:\\pics\\shot.jpg.bmp"},
      {"C:\\pics\\shot.bm", SaveNameResult::kWrongExtension, "C:\\pics\\shot.bm"},
      {"C:\\pics\\shot.bmpx", SaveNameResult::kWrongExtension, "C:\\pics\\shot.bmpx"},
      {"C:\\pics\\shot.", SaveNameResult::kWrongExtension, "C:\\pics\\shot."},
      {"C:\\pics.old\\shot", SaveNameResult::kExtended, "C:\\pics.old\\shot.bmp"},
      {"C:\\pics.bmp\\shot.jpg", SaveNameResult::kWrongExtension, "C:\\pics.bmp\\shot.jpg"},
      {"shot", SaveNameResult::kExtended, "shot.bmp"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    char buf[256];
    std::snprintf(buf, sizeof buf, "%s", c.path);
    EXPECT_EQ(viewer::ApplyBmpExtension(buf, sizeof buf), c.result);
    EXPECT_STREQ(buf, c.after);
  }
}

// ".bmp" needs four characters more than the name; a path that would not fit
// is left as it was rather than cut.
TEST(ApplyBmpExtension, RefusesWhatWouldNotFit) {
  for (std::size_t length : {250u, 251u, 252u, 255u}) {
    SCOPED_TRACE(length);
    std::string path = "C:\\" + std::string(length - 3, 'a');
    char buf[256 + 8];
    std::snprintf(buf, sizeof buf, "%s", path.c_str());
    buf[256 + 4] = '#';
    SaveNameResult r = viewer::ApplyBmpExtension(buf, 256);
    if (length + 4 <= 255) {
      EXPECT_EQ(r, SaveNameResult::kExtended);
      EXPECT_EQ(std::string(buf), path + ".bmp");
    } else {
      EXPECT_EQ(r, SaveNameResult::kTooLong);
      EXPECT_EQ(std::string(buf), path);
    }
    EXPECT_EQ(buf[256 + 4], '#');
  }
}

TEST(FileNameOffset, IsAfterTheLastBackslash) {
  EXPECT_EQ(viewer::FileNameOffset("c:\\Snap.bmp"), 3u);
  EXPECT_EQ(viewer::FileNameOffset("c:\\a\\b\\"), 7u);
  EXPECT_EQ(viewer::FileNameOffset("Snap.bmp"), 0u);
}

}  // namespace
