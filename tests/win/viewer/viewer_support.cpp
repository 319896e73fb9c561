#include "tests/win/viewer/viewer_support.h"

#include <cstring>
#include <map>

namespace ts = testsupport;

namespace viewertest {

namespace {

void PutLe(std::string& b, std::size_t at, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

int Quadrant(const QuadImage& image, int x, int topRow) {
  int rows = image.height < 0 ? -image.height : image.height;
  return (topRow < rows / 2 ? 0 : 2) + (x < image.width / 2 ? 0 : 1);
}

}  // namespace

std::string RawBmp(std::uint32_t bfSize, std::uint32_t biSize, std::int32_t width,
                   std::int32_t height, std::uint16_t bitCount, std::uint32_t compression,
                   std::uint32_t clrUsed, const std::string& tail) {
  std::string b(14 + 40, '\0');
  b[0] = 'B';
  b[1] = 'M';
  PutLe(b, 2, bfSize, 4);
  PutLe(b, 10, 54, 4);
  PutLe(b, 14, biSize, 4);
  PutLe(b, 18, static_cast<std::uint32_t>(width), 4);
  PutLe(b, 22, static_cast<std::uint32_t>(height), 4);
  PutLe(b, 26, 1, 2);
  PutLe(b, 28, bitCount, 2);
  PutLe(b, 30, compression, 4);
  PutLe(b, 46, clrUsed, 4);
  return b + tail;
}

std::string MakeBmp(const QuadImage& image) {
  const int bpp = image.bitCount;
  const int rows = image.height < 0 ? -image.height : image.height;
  const bool indexed = bpp <= 8;

  // The palette: the distinct quadrant colours, then black up to its size.
  std::vector<COLORREF> palette;
  std::map<COLORREF, int> index;
  if (indexed) {
    for (COLORREF c : image.quad) {
      if (!index.count(c)) {
        index[c] = static_cast<int>(palette.size());
        palette.push_back(c);
      }
    }
    std::size_t entries = image.clrUsed ? image.clrUsed : (std::size_t{1} << bpp);
    palette.resize(entries, RGB(0, 0, 0));
  }
  std::string table;
  for (COLORREF c : palette) {
    table += static_cast<char>(GetBValue(c));
    table += static_cast<char>(GetGValue(c));
    table += static_cast<char>(GetRValue(c));
    table += '\0';
  }

  const std::size_t stride = ((static_cast<std::size_t>(image.width) * bpp + 31) / 32) * 4;
  std::string pixels(stride * rows, '\0');
  for (int stored = 0; stored < rows; ++stored) {
    int topRow = image.height < 0 ? stored : rows - 1 - stored;  // bottom-up unless negative
    char* row = &pixels[stored * stride];
    for (int x = 0; x < image.width; ++x) {
      COLORREF c = image.quad[Quadrant(image, x, topRow)];
      unsigned char r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
      switch (bpp) {
        case 1:
        case 4:
        case 8: {
          int v = index[c];
          int bitPos = x * bpp;
          int shift = 8 - bpp - (bitPos % 8);
          row[bitPos / 8] = static_cast<char>(row[bitPos / 8] | (v << shift));
          break;
        }
        case 16: {
          unsigned v = ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
          row[2 * x] = static_cast<char>(v & 0xFF);
          row[2 * x + 1] = static_cast<char>(v >> 8);
          break;
        }
        case 24:
          row[3 * x] = static_cast<char>(b);
          row[3 * x + 1] = static_cast<char>(g);
          row[3 * x + 2] = static_cast<char>(r);
          break;
        case 32:
          row[4 * x] = static_cast<char>(b);
          row[4 * x + 1] = static_cast<char>(g);
          row[4 * x + 2] = static_cast<char>(r);
          break;
      }
    }
  }
  std::string body = table + pixels;
  std::string file =
      RawBmp(static_cast<std::uint32_t>(54 + body.size()), 40, image.width, image.height,
             static_cast<std::uint16_t>(bpp), 0, indexed ? image.clrUsed : 0, body);
  PutLe(file, 10, static_cast<std::uint32_t>(54 + table.size()), 4);
  return file;
}

std::vector<Sample> QuadSamples(const QuadImage& image) {
  int w = image.width;
  int h = image.height < 0 ? -image.height : image.height;
  // Below and right of the Save button in the top-left quadrant; elsewhere
  // mid-quadrant.
  return {{{w * 3 / 8, h * 3 / 8}, image.quad[0]},
          {{w * 3 / 4, h / 4}, image.quad[1]},
          {{w / 4, h * 3 / 4}, image.quad[2]},
          {{w * 3 / 4, h * 3 / 4}, image.quad[3]}};
}

std::vector<Sample> BlankSamples(int width, int height) {
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  QuadImage shape{width, height, 24, 0, {face, face, face, face}};
  return QuadSamples(shape);
}

std::vector<COLORREF> Expected(const std::vector<Sample>& samples) {
  std::vector<COLORREF> colors;
  for (const Sample& s : samples) colors.push_back(s.color);
  return colors;
}

std::vector<COLORREF> WaitForColors(HWND hwnd, const std::vector<Sample>& samples,
                                    DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  std::vector<COLORREF> seen;
  for (;;) {
    seen.clear();
    HDC screen = GetDC(nullptr);
    for (const Sample& s : samples) {
      POINT pt = s.at;
      ClientToScreen(hwnd, &pt);
      seen.push_back(GetPixel(screen, pt.x, pt.y));
    }
    ReleaseDC(nullptr, screen);
    if (seen == Expected(samples) || GetTickCount64() >= deadline) return seen;
    Sleep(50);
  }
}

SIZE ClientSize(HWND hwnd) {
  RECT r = {};
  GetClientRect(hwnd, &r);
  return {r.right - r.left, r.bottom - r.top};
}

POINT WindowOrigin(HWND hwnd) {
  RECT r = {};
  GetWindowRect(hwnd, &r);
  return {r.left, r.top};
}

POINT CentredOrigin(HWND hwnd) {
  RECT r = {};
  GetWindowRect(hwnd, &r);
  return {(GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2,
          (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2};
}

LRESULT SendWithTimeout(HWND hwnd, UINT msg, DWORD timeoutMs) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(hwnd, msg, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result)) return -1;
  return static_cast<LRESULT>(result);
}

bool Viewer::Start() {
  if (!process_.Start(ts::ProgramPath("Pixlook.exe"))) return false;
  window_ = ts::WaitForWindow(kSnapCaption, process_.Pid(), kWaitMs, kDialogClass);
  return window_ != nullptr;
}

SnapSetting::SnapSetting(const std::string& path) { Change(path); }
SnapSetting::~SnapSetting() { ts::SetWinIni("tavik", "SnapBMP", nullptr); }
void SnapSetting::Change(const std::string& path) {
  ts::SetWinIni("tavik", "SnapBMP", path.c_str());
}

}  // namespace viewertest
