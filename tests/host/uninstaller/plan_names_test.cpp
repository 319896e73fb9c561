// The names the removal plan is found and read by, at the edge of their
// 260-character buffers: a name that does not fit is refused whole.
#include "uninstaller/plan_names.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PlanNamesTest, PlanLivesInTheDrvprepFolder) {
  char path[kPlanNameChars];
  ASSERT_TRUE(FormatPlanPath(path, "C:\\windows"));
  EXPECT_STREQ(path, "C:\\windows\\Drvprep\\Remove907.ini");
}

TEST(PlanNamesTest, PlanPathThatDoesNotFitIsRefused) {
  // "\Drvprep\Remove907.ini" adds 22 characters.
  char path[kPlanNameChars];
  EXPECT_TRUE(FormatPlanPath(path, std::string(259 - 22, 'w').c_str()));
  EXPECT_FALSE(FormatPlanPath(path, std::string(259 - 21, 'w').c_str()));
  EXPECT_STREQ(path, "");
}

struct SectionCase {
  std::size_t devNoLength;
  bool fits;
};

class PlanSectionsTest : public testing::TestWithParam<SectionCase> {};

TEST_P(PlanSectionsTest, BothSectionsOrNone) {
  const std::string devNo(GetParam().devNoLength, 'D');
  char pidvid[kPlanNameChars] = "stale";
  char key[kPlanNameChars] = "stale";
  ASSERT_EQ(FormatPlanSections(devNo.c_str(), pidvid, key), GetParam().fits);
  if (GetParam().fits) {
    EXPECT_EQ(std::string(pidvid), devNo + "PIDVID");
    EXPECT_EQ(std::string(key), devNo + "KEY");
  } else {
    EXPECT_STREQ(pidvid, "");
    EXPECT_STREQ(key, "");
  }
}

// "PIDVID" is the longer suffix: 253 characters of DevNo are the most that fit.
INSTANTIATE_TEST_SUITE_P(Table, PlanSectionsTest,
                         testing::Values(SectionCase{0, true}, SectionCase{3, true},
                                         SectionCase{253, true}, SectionCase{254, false},
                                         SectionCase{256, false}, SectionCase{259, false}));

TEST(PlanNamesTest, EntriesCountFromOne) {
  char name[kPlanNameChars];
  ASSERT_TRUE(FormatEntryName(name, 1));
  EXPECT_STREQ(name, "Num1");
  ASSERT_TRUE(FormatEntryName(name, 2147483647));
  EXPECT_STREQ(name, "Num2147483647");
}

}  // namespace
