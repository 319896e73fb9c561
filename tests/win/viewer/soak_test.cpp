// A long run of the viewer: 1,000 alternating reload and re-read messages
// while the snapshot switches between a valid image, a truncated one and no
// file at all. The viewer must answer every message and its memory must not
// keep growing; the figures are printed for the record.
#include <gtest/gtest.h>
#include <windows.h>
// psapi.h needs windows.h first
#include <psapi.h>

#include <algorithm>
#include <cstdio>

#include "tests/win/viewer/viewer_support.h"

namespace {

using namespace viewertest;
namespace ts = testsupport;

SIZE_T WorkingSet(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) return 0;
  return counters.WorkingSetSize;
}

unsigned long long KiB(SIZE_T bytes) { return static_cast<unsigned long long>(bytes) / 1024; }

TEST(ViewerSoak, ThousandMessagesWhileTheFileChanges) {
  ts::TempFolder folder;
  ASSERT_FALSE(folder.Path().empty());
  const std::string snap = folder.Path() + "\\soak.bmp";
  QuadImage small{
      200, 120, 24, 0, {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0)}};
  QuadImage large{
      640, 360, 8, 0, {RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 0, 255), RGB(0, 255, 255)}};
  const std::string valid[2] = {MakeBmp(small), MakeBmp(large)};
  const std::string truncated = valid[1].substr(0, valid[1].size() / 3);

  ASSERT_TRUE(ts::WriteFileBytes(snap, valid[0]));
  SnapSetting setting(snap);
  Viewer viewer;
  ASSERT_TRUE(viewer.Start());
  HWND wnd = viewer.Window();
  ASSERT_NE(nullptr, wnd);

  const int kMessages = 1000;
  SIZE_T start = WorkingSet(viewer.Process().Handle());
  SIZE_T peak = start;
  SIZE_T afterWarmUp = 0;
  int unanswered = 0;
  for (int i = 0; i < kMessages; ++i) {
    if (i % 2 == 0) {
      // a new state of the snapshot file, then a reload
      switch ((i / 2) % 4) {
        case 0:
          ts::WriteFileBytes(snap, valid[0]);
          break;
        case 1:
          ts::WriteFileBytes(snap, truncated);
          break;
        case 2:
          ts::RemoveFile(snap);
          break;
        case 3:
          ts::WriteFileBytes(snap, valid[1]);
          break;
      }
      if (SendWithTimeout(wnd, kSnapReload) != 1) ++unanswered;
    } else {
      if (SendWithTimeout(wnd, kSnapRereadPath) != 1) ++unanswered;
    }
    SIZE_T now = WorkingSet(viewer.Process().Handle());
    peak = std::max(peak, now);
    if (i == 99) afterWarmUp = now;
  }
  // the last state shown is the large image; the window must still paint it
  ts::WriteFileBytes(snap, valid[1]);
  ASSERT_EQ(1, SendWithTimeout(wnd, kSnapReload));
  auto samples = QuadSamples(large);
  EXPECT_EQ(Expected(samples), WaitForColors(wnd, samples));
  SIZE_T final = WorkingSet(viewer.Process().Handle());

  std::printf(
      "viewer working set: start %llu KiB, after 100 messages %llu KiB, peak %llu KiB, "
      "final %llu KiB\n",
      KiB(start), KiB(afterWarmUp), KiB(peak), KiB(final));
  EXPECT_EQ(0, unanswered);
  EXPECT_TRUE(viewer.Process().Running());
  ASSERT_GT(afterWarmUp, 0u);
  // Stable: the last 900 messages add no more than a few pages of heap.
  // A leaked image block (up to 700 KB each here) would add hundreds of MB.
  EXPECT_LT(final, afterWarmUp + 8 * 1024 * 1024);

  PostMessageA(wnd, WM_CLOSE, 0, 0);
  DWORD code = 1;
  EXPECT_TRUE(viewer.WaitExit(&code));
  EXPECT_EQ(0u, code);
}

}  // namespace
