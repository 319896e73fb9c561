// What the viewer shows: the window's size, place, caption and pixels for
// the snapshot named in WIN.INI; the two private messages; files that are
// not images or are broken; and how the window ends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win/support/support.h"
#include "tests/win/viewer/viewer_support.h"

namespace ts = testsupport;
using namespace viewertest;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kCyan = RGB(0, 255, 255);

class ViewerTest : public ::testing::Test {
 protected:
  std::string SnapPath(const char* name = "snap.bmp") const { return folder_.Path() + "\\" + name; }

  // Starts the viewer on whatever "SnapBMP" names now.
  void StartViewer() {
    ASSERT_FALSE(folder_.Path().empty());
    ASSERT_TRUE(viewer_.Start()) << "no window captioned \"Snap\"";
    hwnd_ = viewer_.Window();
  }

  void ExpectSizeAndCentred(int width, int height) {
    SIZE client = ClientSize(hwnd_);
    EXPECT_EQ(client.cx, width);
    EXPECT_EQ(client.cy, height);
    POINT at = WindowOrigin(hwnd_);
    POINT centred = CentredOrigin(hwnd_);
    EXPECT_EQ(at.x, centred.x);
    EXPECT_EQ(at.y, centred.y);
  }

  void ExpectShows(const std::vector<Sample>& samples) {
    EXPECT_EQ(WaitForColors(hwnd_, samples), Expected(samples));
  }

  ts::TempFolder folder_;
  Viewer viewer_;
  HWND hwnd_ = nullptr;
};

TEST_F(ViewerTest, WithoutSettingShowsBlankDefaultWindow) {
  ts::SetWinIni("tavik", "SnapBMP", nullptr);
  StartViewer();
  char caption[64] = "";
  GetWindowTextA(hwnd_, caption, sizeof caption);
  EXPECT_STREQ(caption, "Snap");
  ExpectSizeAndCentred(320, 240);
  ExpectShows(BlankSamples(320, 240));
}

// Every pixel format the viewer draws, with its colours in the right places.
struct DrawCase {
  const char* name;
  QuadImage image;
};

const DrawCase kDrawCases[] = {
    {"24 bpp", {200, 160, 24, 0, {kRed, kGreen, kBlue, kYellow}}},
    {"8 bpp, full colour table", {180, 120, 8, 0, {kMagenta, kCyan, kYellow, kBlue}}},
    {"8 bpp, 16-entry table", {180, 120, 8, 16, {kGreen, kRed, kWhite, kBlue}}},
    {"4 bpp", {150, 100, 4, 0, {kBlue, kYellow, kRed, kGreen}}},
    {"1 bpp", {144, 90, 1, 0, {kWhite, kBlack, kBlack, kWhite}}},
    {"16 bpp", {160, 140, 16, 0, {kCyan, kRed, kGreen, kMagenta}}},
    {"32 bpp", {260, 100, 32, 0, {kYellow, kBlue, kRed, kWhite}}},
};

TEST_F(ViewerTest, DrawsImageAtItsSizeCentred) {
  for (const DrawCase& c : kDrawCases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(ts::WriteFileBytes(SnapPath(), MakeBmp(c.image)));
    SnapSetting setting(SnapPath());
    Viewer viewer;
    ASSERT_TRUE(viewer.Start());
    hwnd_ = viewer.Window();
    ExpectSizeAndCentred(c.image.width, c.image.height);
    ExpectShows(QuadSamples(c.image));
  }
}

// The window takes its size from bytes 18 to 25 of any file, drawn or not,
// by absolute value.
std::string NotABitmap(std::int32_t width, std::int32_t height) {
  std::string bytes = "NOT A BITMAP FILE!" + std::string(8, '\0') + "...and more text after it";
  for (int i = 0; i < 4; ++i) {
    bytes[18 + i] = static_cast<char>((static_cast<std::uint32_t>(width) >> (8 * i)) & 0xFF);
    bytes[22 + i] = static_cast<char>((static_cast<std::uint32_t>(height) >> (8 * i)) & 0xFF);
  }
  return bytes;
}

TEST_F(ViewerTest, SizesWindowFromFileHeaderBytes) {
  const QuadImage topDown{240, -180, 24, 0, {kRed, kGreen, kBlue, kYellow}};
  struct {
    const char* name;
    std::string bytes;
    int width, height;
    bool blank;  // nothing may be drawn
  } cases[] = {
      {"not a BMP, 26 bytes and more", NotABitmap(300, 200), 300, 200, true},
      {"not a BMP, negative size", NotABitmap(-250, -150), 250, 150, true},
      {"25 bytes", NotABitmap(300, 200).substr(0, 25), 320, 240, true},
      {"empty file", std::string(), 320, 240, true},
      {"BMP with a negative width",
       RawBmp(54 + 4096, 40, -300, 200, 24, 0, 0, std::string(4096, 'x')), 300, 200, true},
      // rows stored top-down: the drawing facility decides whether it draws them
      {"top-down 24 bpp", MakeBmp(topDown), 240, 180, false},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(ts::WriteFileBytes(SnapPath(), c.bytes));
    SnapSetting setting(SnapPath());
    Viewer viewer;
    ASSERT_TRUE(viewer.Start());
    hwnd_ = viewer.Window();
    ExpectSizeAndCentred(c.width, c.height);
    if (c.blank) ExpectShows(BlankSamples(c.width, c.height));
  }
}

// ---- the two private messages -------------------------------------------------

TEST_F(ViewerTest, ReloadShowsTheFileAsItIsNow) {
  const QuadImage small{160, 120, 24, 0, {kRed, kGreen, kBlue, kYellow}};
  const QuadImage large{400, 300, 8, 0, {kCyan, kMagenta, kWhite, kBlue}};
  ASSERT_TRUE(ts::WriteFileBytes(SnapPath(), MakeBmp(small)));
  SnapSetting setting(SnapPath());
  StartViewer();
  ExpectShows(QuadSamples(small));

  // the snapshot software writes a larger image to the same file
  ASSERT_TRUE(ts::WriteFileBytes(SnapPath(), MakeBmp(large)));
  EXPECT_EQ(SendWithTimeout(hwnd_, kSnapReload), 1);
  ExpectSizeAndCentred(400, 300);
  ExpectShows(QuadSamples(large));
}

// A reload that finds nothing to draw clears the picture, also when the
// window keeps its size.
TEST_F(ViewerTest, ReloadAfterTheFileWentGoesBlank) {
  const QuadImage image{320, 240, 24, 0, {kRed, kGreen, kBlue, kYellow}};
  ASSERT_TRUE(ts::WriteFileBytes(SnapPath(), MakeBmp(image)));
  SnapSetting setting(SnapPath());
  StartViewer();
  ExpectShows(QuadSamples(image));

  ASSERT_TRUE(ts::RemoveFile(SnapPath()));
  EXPECT_EQ(SendWithTimeout(hwnd_, kSnapReload), 1);
  ExpectSizeAndCentred(320, 240);
  ExpectShows(BlankSamples(320, 240));
}

TEST_F(ViewerTest, NewPathTakesEffectAtTheReloadAfterReread) {
  const QuadImage first{200, 150, 24, 0, {kRed, kGreen, kBlue, kYellow}};
  const QuadImage second{300, 220, 24, 0, {kWhite, kBlue, kMagenta, kGreen}};
  ASSERT_TRUE(ts::WriteFileBytes(SnapPath("first.bmp"), MakeBmp(first)));
  ASSERT_TRUE(ts::WriteFileBytes(SnapPath("second.bmp"), MakeBmp(second)));
  SnapSetting setting(SnapPath("first.bmp"));
  StartViewer();
  ExpectShows(QuadSamples(first));

  setting.Change(SnapPath("second.bmp"));
  EXPECT_EQ(SendWithTimeout(hwnd_, kSnapRereadPath), 1);
  ExpectSizeAndCentred(200, 150);
  ExpectShows(QuadSamples(first));

  EXPECT_EQ(SendWithTimeout(hwnd_, kSnapReload), 1);
  ExpectSizeAndCentred(300, 220);
  ExpectShows(QuadSamples(second));
}

// A reload alone keeps the path read at startup.
TEST_F(ViewerTest, ReloadWithoutRereadKeepsTheOldPath) {
  const QuadImage first{200, 150, 24, 0, {kRed, kGreen, kBlue, kYellow}};
  const QuadImage second{300, 220, 24, 0, {kWhite, kBlue, kMagenta, kGreen}};
  ASSERT_TRUE(ts::WriteFileBytes(SnapPath("first.bmp"), MakeBmp(first)));
  ASSERT_TRUE(ts::WriteFileBytes(SnapPath("second.bmp"), MakeBmp(second)));
  SnapSetting setting(SnapPath("first.bmp"));
  StartViewer();
  setting.Change(SnapPath("second.bmp"));
  EXPECT_EQ(SendWithTimeout(hwnd_, kSnapReload), 1);
  ExpectSizeAndCentred(200, 150);
  ExpectShows(QuadSamples(first));
}

// While its writer holds the file open the image does not load, but the
// window still takes the size from its header.
TEST_F(ViewerTest, FileHeldOpenIsSizedButNotDrawn) {
  const QuadImage image{220, 180, 24, 0, {kRed, kGreen, kBlue, kYellow}};
  ASSERT_TRUE(ts::WriteFileBytes(SnapPath(), MakeBmp(image)));
  SnapSetting setting(SnapPath());
  HANDLE held = CreateFileA(SnapPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  StartViewer();
  ExpectSizeAndCentred(220, 180);
  ExpectShows(BlankSamples(220, 180));

  CloseHandle(held);
  EXPECT_EQ(SendWithTimeout(hwnd_, kSnapReload), 1);
  ExpectShows(QuadSamples(image));
}

// ---- broken files ---------------------------------------------------------------

std::string Pad(std::size_t n, char c = '\x5a') { return std::string(n, c); }

TEST_F(ViewerTest, BrokenFilesNeverStopTheViewer) {
  struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"only BM", "BM"},
      {"file header only", RawBmp(14, 40, 1, 1, 24, 0, 0, "").substr(0, 14)},
      {"bfSize below 14", RawBmp(3, 40, 10, 10, 24, 0, 0, Pad(300))},
      {"bfSize far past the file", RawBmp(0xFFFFFFF0u, 40, 10, 10, 24, 0, 0, Pad(300))},
      {"bfSize cuts the rows", RawBmp(54 + 100, 40, 10, 10, 24, 0, 0, Pad(400))},
      {"info header cut short", RawBmp(30, 40, 10, 10, 24, 0, 0, Pad(400))},
      {"biSize past the block", RawBmp(54 + 400, 0x7FFFFFFF, 10, 10, 24, 0, 0, Pad(400))},
      {"biSize 0", RawBmp(54 + 400, 0, 10, 10, 24, 0, 0, Pad(400))},
      {"core header", RawBmp(54 + 400, 12, 10, 10, 24, 0, 0, Pad(400))},
      {"biClrUsed past the block", RawBmp(54 + 400, 40, 10, 10, 8, 0, 0x10000000, Pad(400))},
      {"biClrUsed wrapping 32 bits", RawBmp(54 + 400, 40, 10, 10, 8, 0, 0x40000001, Pad(400))},
      {"8 bpp table without rows", RawBmp(54 + 1024, 40, 10, 10, 8, 0, 0, Pad(1024))},
      {"16 bpp claiming a 2^16 table", RawBmp(54 + 400, 40, 10, 10, 16, 0, 0, Pad(400))},
      {"bit fields without masks", RawBmp(54 + 8, 40, 2, 2, 32, 3, 0, Pad(8))},
      {"bit fields complete", RawBmp(54 + 12 + 16, 40, 2, 2, 32, 3, 0,
                                     std::string("\0\0\xff\0\0\xff\0\0\xff\0\0\0", 12) + Pad(16))},
      {"run-length data", RawBmp(54 + 1024 + 64, 40, 10, 10, 8, 1, 0, Pad(1024 + 64, '\xff'))},
      {"bit count 0", RawBmp(54 + 400, 40, 10, 10, 0, 0, 0, Pad(400))},
      {"bit count 64", RawBmp(54 + 400, 40, 10, 10, 64, 0, 0, Pad(400))},
      {"huge width", RawBmp(54 + 400, 40, 0x7FFFFFFF, 1, 32, 0, 0, Pad(400))},
      {"huge height", RawBmp(54 + 400, 40, 1, 0x7FFFFFFF, 24, 0, 0, Pad(400))},
      {"most negative height", RawBmp(54 + 400, 40, 4, INT32_MIN, 24, 0, 0, Pad(400))},
      {"zero width and height", RawBmp(54 + 400, 40, 0, 0, 24, 0, 0, Pad(400))},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(ts::WriteFileBytes(SnapPath(), c.bytes));
    SnapSetting setting(SnapPath());
    Viewer viewer;
    ASSERT_TRUE(viewer.Start());
    // painted, then reloaded and painted again: still there and answering
    EXPECT_EQ(SendWithTimeout(viewer.Window(), kSnapReload), 1);
    UpdateWindow(viewer.Window());
    EXPECT_EQ(SendWithTimeout(viewer.Window(), kSnapReload), 1);
    EXPECT_TRUE(viewer.Process().Running());
    EXPECT_TRUE(IsWindow(viewer.Window()));
  }
}

// ---- ending -------------------------------------------------------------------

TEST_F(ViewerTest, EscAndCloseBoxEndTheViewer) {
  struct {
    const char* name;
    UINT msg;
    WPARAM wParam;
  } cases[] = {
      {"Esc", WM_KEYDOWN, VK_ESCAPE},
      {"close box", WM_SYSCOMMAND, SC_CLOSE},
      {"WM_CLOSE", WM_CLOSE, 0},
  };
  ts::SetWinIni("tavik", "SnapBMP", nullptr);
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    Viewer viewer;
    ASSERT_TRUE(viewer.Start());
    // the Esc key goes to the control that has the focus
    HWND target = c.msg == WM_KEYDOWN ? GetDlgItem(viewer.Window(), 1002) : viewer.Window();
    ASSERT_NE(target, nullptr);
    PostMessageA(target, c.msg, c.wParam, 0);
    DWORD code = 0xFFFF;
    ASSERT_TRUE(viewer.WaitExit(&code));
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(IsWindow(viewer.Window()));
  }
}

}  // namespace
