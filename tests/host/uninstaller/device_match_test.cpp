// Which hardware IDs count as a match, and which strings of a device's
// hardware-ID list are looked at.
#include "uninstaller/device_match.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct PrefixCase {
  const char* name;
  std::string id;
  std::string candidate;
  bool matches;
};

class HasIdPrefixTest : public testing::TestWithParam<PrefixCase> {};

TEST_P(HasIdPrefixTest, Decides) {
  const PrefixCase& c = GetParam();
  EXPECT_EQ(HasIdPrefix(c.id, c.candidate), c.matches)
      << "id [" << c.id << "] candidate [" << c.candidate << "]";
}

INSTANTIATE_TEST_SUITE_P(
    Table, HasIdPrefixTest,
    testing::Values(
        PrefixCase{"EmptyIdMatchesNothing", "", "USB\\VID_1234", false},
        PrefixCase{"EmptyIdAgainstEmptyCandidate", "", "", false},
        PrefixCase{"CandidateShorterThanId", "USB\\VID_1234&PID_5678", "USB\\VID_1234", false},
        PrefixCase{"ExactId", "USB\\VID_1234", "USB\\VID_1234", true},
        PrefixCase{"IdIsPrefix", "USB\\VID_1234", "USB\\VID_1234&PID_5678&REV_0100", true},
        PrefixCase{"CaseDiffers", "usb\\vid_1234", "USB\\VID_1234&PID_5678", false},
        PrefixCase{"LastCharacterDiffers", "USB\\VID_1235", "USB\\VID_1234&PID_5678", false},
        PrefixCase{"FirstCharacterDiffers", "XSB\\VID_1234", "USB\\VID_1234", false},
        PrefixCase{"IdInsideButNotAtStart", "VID_1234", "USB\\VID_1234", false},
        PrefixCase{"HighBytesCompareAsBytes", "PCI\\\xC4", "PCI\\\xC4\xE8", true}),
    [](const testing::TestParamInfo<PrefixCase>& c) { return c.param.name; });

TEST(HasIdPrefixTest, ComparesOnlyTheCandidatesBytes) {
  // A candidate that is a view into a larger buffer ends where the view ends.
  const std::string buffer = "USB\\VID_1234&PID_5678";
  EXPECT_FALSE(HasIdPrefix("USB\\VID_1234&", std::string_view(buffer.data(), 12)));
  EXPECT_TRUE(HasIdPrefix("USB\\VID_1234", std::string_view(buffer.data(), 12)));
}

// Every entry the walk yields, from a private heap copy of exactly `size`
// bytes so the sanitizer catches a read past the reported size.
std::vector<std::string> Walk(const std::string& bytes, std::size_t size) {
  std::unique_ptr<char[]> block(new char[size ? size : 1]);
  std::copy(bytes.data(), bytes.data() + std::min(size, bytes.size()), block.get());
  std::vector<std::string> entries;
  std::size_t offset = 0;
  std::string_view entry;
  while (NextMultiStringEntry(block.get(), size, &offset, &entry)) {
    entries.emplace_back(entry);
    if (entries.size() > size + 1) break;  // a walk that does not end
  }
  return entries;
}

struct WalkCase {
  const char* name;
  std::string bytes;  // what the property holds
  std::size_t size;   // the size reported for it
  std::vector<std::string> entries;
};

class MultiStringWalkTest : public testing::TestWithParam<WalkCase> {};

TEST_P(MultiStringWalkTest, YieldsTheEntries) {
  const WalkCase& c = GetParam();
  EXPECT_EQ(Walk(c.bytes, c.size), c.entries);
}

using Strings = std::vector<std::string>;
const std::string kTwo("PCI\\VEN_1\0PCI\\VEN_2\0\0", 21);

INSTANTIATE_TEST_SUITE_P(
    Table, MultiStringWalkTest,
    testing::Values(
        WalkCase{"TwoEntries", kTwo, kTwo.size(), Strings{"PCI\\VEN_1", "PCI\\VEN_2"}},
        WalkCase{"EmptyFirstStringEndsTheList", std::string("\0PCI\\VEN_1\0\0", 12), 12, Strings{}},
        WalkCase{"StopsAtTheFirstEmptyString", std::string("A\0\0B\0\0", 6), 6, Strings{"A"}},
        WalkCase{"SizeZeroHasNothing", kTwo, 0, Strings{}},
        WalkCase{"NoTerminatorWithinSizeEndsAtSize", std::string("PCI\\VEN_1", 9), 9,
                 Strings{"PCI\\VEN_1"}},
        WalkCase{"SizeCutsTheSecondEntry", kTwo, 14, Strings{"PCI\\VEN_1", "PCI\\"}},
        WalkCase{"SizeEndsRightAfterATerminator", kTwo, 10, Strings{"PCI\\VEN_1"}},
        WalkCase{"OddSizeOneByte", std::string("X", 1), 1, Strings{"X"}},
        WalkCase{"OddSizeSingleTerminatedEntry", std::string("ABC\0", 4), 3, Strings{"ABC"}},
        WalkCase{"OddSizeMissingFinalTerminator", std::string("AB\0CD\0", 6), 5,
                 Strings{"AB", "CD"}}),
    [](const testing::TestParamInfo<WalkCase>& c) { return c.param.name; });

TEST(MultiStringWalkTest, NoDataIsAnEmptyList) {
  std::size_t offset = 0;
  std::string_view entry;
  EXPECT_FALSE(NextMultiStringEntry(nullptr, 10, &offset, &entry));
}

}  // namespace
