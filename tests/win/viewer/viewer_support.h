// What the viewer's end-to-end tests share: BMP files made to measure, the
// running viewer, and reading what it shows on screen.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/win/support/support.h"

namespace viewertest {

// The viewer's private messages, as the snapshot software sends them.
constexpr UINT kSnapReload = WM_USER + 101;
constexpr UINT kSnapRereadPath = WM_USER + 102;

constexpr char kSnapCaption[] = "Snap";
constexpr char kDialogClass[] = "#32770";
constexpr DWORD kWaitMs = 20000;

// An image of four solid quadrants (top-left, top-right, bottom-left,
// bottom-right), so both the colours and the row order can be checked.
struct QuadImage {
  int width;
  int height;                 // negative: rows stored top-down
  int bitCount;               // 1, 4, 8, 16 (5-5-5), 24 or 32
  std::uint32_t clrUsed = 0;  // for 1, 4 and 8 bits: 0 means a full table
  COLORREF quad[4];           // pure colours survive every format
};

// A complete BMP file for the image.
std::string MakeBmp(const QuadImage& image);

// The file header and info header of a BMP, with raw fields, followed by
// `tail` (colour table and pixels as the case needs).
std::string RawBmp(std::uint32_t bfSize, std::uint32_t biSize, std::int32_t width,
                   std::int32_t height, std::uint16_t bitCount, std::uint32_t compression,
                   std::uint32_t clrUsed, const std::string& tail);

// Where a client point is shown and the colour expected there.
struct Sample {
  POINT at;
  COLORREF color;
};
// Points well inside each quadrant of a width x height client area and away
// from the Save button in the top-left corner (about 51 x 23 pixels), for
// images of at least 144 x 90.
std::vector<Sample> QuadSamples(const QuadImage& image);
// The same points, all expected to show the dialog's blank background.
std::vector<Sample> BlankSamples(int width, int height);

// Colours on screen at the samples' client points of hwnd, read once the
// window shows them all or after timeoutMs (whichever comes first).
std::vector<COLORREF> WaitForColors(HWND hwnd, const std::vector<Sample>& samples,
                                    DWORD timeoutMs = 5000);
std::vector<COLORREF> Expected(const std::vector<Sample>& samples);

SIZE ClientSize(HWND hwnd);
// Where the window would be if centred on the primary screen.
POINT CentredOrigin(HWND hwnd);
POINT WindowOrigin(HWND hwnd);

// Sends a message with a timeout; the result, or -1 when the window did not answer.
LRESULT SendWithTimeout(HWND hwnd, UINT msg, DWORD timeoutMs = 10000);

// One run of Pixlook.exe whose window is captioned "Snap". The process is
// killed when the object goes if it is still running.
class Viewer {
 public:
  // Starts the viewer and waits for its window; Window() is nullptr if it
  // did not appear.
  bool Start();
  HWND Window() const { return window_; }
  testsupport::Process& Process() { return process_; }
  // Waits for the process to end; true with its exit code when it did.
  bool WaitExit(DWORD* code, DWORD timeoutMs = kWaitMs) { return process_.Wait(timeoutMs, code); }

 private:
  testsupport::Process process_;
  HWND window_ = nullptr;
};

// Sets "SnapBMP" in section "tavik" of WIN.INI and removes it again when the
// object goes.
class SnapSetting {
 public:
  explicit SnapSetting(const std::string& path);
  ~SnapSetting();
  SnapSetting(const SnapSetting&) = delete;
  SnapSetting& operator=(const SnapSetting&) = delete;
  void Change(const std::string& path);
};

}  // namespace viewertest
