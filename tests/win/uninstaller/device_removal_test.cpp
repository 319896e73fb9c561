// Device removal against setup services of our own, for what Wine cannot
// produce: a failed allocation, a hardware-ID list without its terminator,
// an enumeration that ends without an error code. The end-to-end tests
// cover the real services.
#include "uninstaller/device_removal.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct FakeDevice {
  std::string ids;            // the property's bytes
  DWORD reportedSize = 0;     // the size the services report for it
  bool noIds = false;         // the property is missing
  bool idsGoOnRetry = false;  // the property is gone when asked again
};

// A device list ending in `\0\0`, reported at its full size.
FakeDevice WithIds(std::initializer_list<const char*> ids) {
  FakeDevice d;
  for (const char* id : ids) d.ids.append(id).push_back('\0');
  d.ids.push_back('\0');
  d.reportedSize = static_cast<DWORD>(d.ids.size());
  return d;
}

struct Query {
  bool withBuffer;
  DWORD size;
  bool operator==(const Query& o) const { return withBuffer == o.withBuffer && size == o.size; }
};

class FakeDevices : public DeviceOps {
 public:
  std::vector<FakeDevice> devices;
  bool setAvailable = true;
  DWORD endError = ERROR_NO_MORE_ITEMS;  // what the enumeration leaves at its end
  int allocationsToFail = 0;

  std::vector<std::string> traces;
  std::vector<DWORD> removed;
  std::vector<std::string> messages;
  std::vector<Query> queries;
  std::vector<DWORD> recordSizes;
  int setsDestroyed = 0;
  int liveBlocks = 0;

  HDEVINFO GetAllDevices() override {
    return setAvailable ? reinterpret_cast<HDEVINFO>(static_cast<UINT_PTR>(0x5E7))
                        : INVALID_HANDLE_VALUE;
  }
  BOOL EnumDevice(HDEVINFO, DWORD index, SP_DEVINFO_DATA* device) override {
    recordSizes.push_back(device->cbSize);
    if (index >= devices.size()) {
      SetLastError(endError);
      return FALSE;
    }
    device->DevInst = index;
    return TRUE;
  }
  BOOL GetHardwareIds(HDEVINFO, SP_DEVINFO_DATA* device, BYTE* buffer, DWORD size,
                      DWORD* requiredSize) override {
    const bool retry = !buffer && size != 0;
    queries.push_back({buffer != nullptr, size});
    FakeDevice& d = devices.at(device->DevInst);
    if (d.noIds || (retry && d.idsGoOnRetry)) {
      SetLastError(ERROR_INVALID_DATA);
      return FALSE;
    }
    if (requiredSize) *requiredSize = d.reportedSize;
    if (!buffer || size < d.reportedSize) {
      SetLastError(retry ? ERROR_INVALID_PARAMETER : ERROR_INSUFFICIENT_BUFFER);
      return FALSE;
    }
    std::memcpy(buffer, d.ids.data(), std::min<std::size_t>(d.ids.size(), d.reportedSize));
    return TRUE;
  }
  BOOL RemoveDevice(HDEVINFO, SP_DEVINFO_DATA* device) override {
    removed.push_back(device->DevInst);
    return TRUE;
  }
  void DestroySet(HDEVINFO) override { ++setsDestroyed; }
  void* AllocZeroed(std::size_t size) override {
    if (allocationsToFail > 0) {
      --allocationsToFail;
      return nullptr;
    }
    ++liveBlocks;
    return std::calloc(size ? size : 1, 1);
  }
  void Free(void* block) override {
    --liveBlocks;
    std::free(block);
  }
  void ShowMessage(const char* text) override { messages.push_back(text); }
  void TraceCompare(const char* id, std::size_t length) override {
    traces.emplace_back(id, length);
  }
};

using Strings = std::vector<std::string>;
using Indexes = std::vector<DWORD>;

TEST(RemoveMatchingDevicesTest, ComparesUntilTheFirstMatchAndRemovesOnce) {
  FakeDevices fake;
  fake.devices = {
      [] {
        FakeDevice d;
        d.noIds = true;
        return d;
      }(),                                                    // skipped silently
      WithIds({"OTHER\\1", "CAPKIT\\B&REV_01", "AFTER\\B"}),  // second entry matches
      WithIds({"CAPKIT\\A", "CAPKIT\\B"}),                    // matches both IDs
      WithIds({"capkit\\a&rev_01"}),                          // case differs
      WithIds({"CAPKIT\\AX"}),                                // prefix of nothing given
  };
  EXPECT_EQ(RemoveMatchingDevices("CAPKIT\\A", "CAPKIT\\B", fake), 1);

  EXPECT_EQ(fake.traces, (Strings{"OTHER\\1", "CAPKIT\\B&REV_01", "CAPKIT\\A", "capkit\\a&rev_01",
                                  "CAPKIT\\AX"}));
  EXPECT_EQ(fake.removed, (Indexes{1, 2, 4}));
  EXPECT_TRUE(fake.messages.empty());
  EXPECT_EQ(fake.setsDestroyed, 1);
  EXPECT_EQ(fake.liveBlocks, 0);
  for (DWORD size : fake.recordSizes) EXPECT_EQ(size, sizeof(SP_DEVINFO_DATA));
}

TEST(RemoveMatchingDevicesTest, EmptyIdsOnlyTrace) {
  FakeDevices fake;
  fake.devices = {WithIds({"ROOT\\1", "ROOT\\2"}), WithIds({"PCI\\3"})};
  RemoveMatchingDevices("", "", fake);
  EXPECT_EQ(fake.traces, (Strings{"ROOT\\1", "ROOT\\2", "PCI\\3"}));
  EXPECT_TRUE(fake.removed.empty());
}

TEST(RemoveMatchingDevicesTest, ListWithoutTerminatorEndsAtTheReportedSize) {
  FakeDevices fake;
  FakeDevice cut;
  cut.ids = "CAPKIT\\CUT_IDXXXXXXXX";  // more bytes than reported, none of them zero
  cut.reportedSize = 12;
  fake.devices = {cut};
  RemoveMatchingDevices("CAPKIT\\CUT_ID", "", fake);
  EXPECT_EQ(fake.traces, Strings{"CAPKIT\\CUT_I"});
  EXPECT_TRUE(fake.removed.empty());
  EXPECT_EQ(fake.liveBlocks, 0);
}

struct AllocationCase {
  int failures;
  bool idsGoOnRetry;
  Strings messages;
  Indexes removed;
};

class AllocationFailureTest : public testing::TestWithParam<AllocationCase> {};

TEST_P(AllocationFailureTest, ShowsErrorOncePerFailureAndAsksAgain) {
  const AllocationCase& c = GetParam();
  FakeDevices fake;
  FakeDevice device = WithIds({"CAPKIT\\ALLOC"});
  device.idsGoOnRetry = c.idsGoOnRetry;
  fake.devices = {device, WithIds({"CAPKIT\\NEXT"})};
  fake.allocationsToFail = c.failures;
  const DWORD size = device.reportedSize;

  RemoveMatchingDevices("CAPKIT\\ALLOC", "", fake);

  EXPECT_EQ(fake.messages, c.messages);
  EXPECT_EQ(fake.removed, c.removed);
  // Every failure is followed by a size request carrying the size reported last.
  std::vector<Query> expected = {{false, 0}};
  for (int i = 0; i < c.failures; ++i) {
    expected.push_back({false, size});
    if (c.idsGoOnRetry) break;
  }
  if (!c.idsGoOnRetry) expected.push_back({true, size});
  expected.push_back({false, 0});  // the next device
  expected.push_back({true, fake.devices[1].reportedSize});
  EXPECT_EQ(fake.queries, expected);
  EXPECT_EQ(fake.liveBlocks, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AllocationFailureTest,
    testing::Values(AllocationCase{1, false, Strings{"error"}, Indexes{0}},
                    AllocationCase{3, false, Strings{"error", "error", "error"}, Indexes{0}},
                    // the device lost its IDs meanwhile: it is skipped, the walk goes on
                    AllocationCase{1, true, Strings{"error"}, Indexes{}}));

struct ResultCase {
  bool setAvailable;
  DWORD endError;
  int result;
  int setsDestroyed;
};

class ResultTest : public testing::TestWithParam<ResultCase> {};

TEST_P(ResultTest, FollowsTheLastErrorOfTheWalk) {
  FakeDevices fake;
  fake.devices = {WithIds({"CAPKIT\\R"})};
  fake.setAvailable = GetParam().setAvailable;
  fake.endError = GetParam().endError;
  EXPECT_EQ(RemoveMatchingDevices("CAPKIT\\R", "", fake), GetParam().result);
  EXPECT_EQ(fake.setsDestroyed, GetParam().setsDestroyed);
  if (!GetParam().setAvailable) {
    EXPECT_TRUE(fake.queries.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Table, ResultTest,
                         testing::Values(ResultCase{false, ERROR_NO_MORE_ITEMS, 1, 0},
                                         ResultCase{true, ERROR_NO_MORE_ITEMS, 1, 1},
                                         ResultCase{true, ERROR_SUCCESS, 0, 1}));

}  // namespace
