// Prints a table of figures for the kit, each measured against a reference
// in the same run on the same machine:
//   - DeleteRegistryTree against RegDeleteTreeA on identical 10,000-leaf trees
//   - the viewer's reload of a 1920 x 1080 snapshot, message to painted
//     window, against reading the file and drawing it once with StretchDIBits
//   - each program's start-to-exit time against an empty Win32 program
//   - the size of each program file
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tests/win/support/support.h"
#include "tests/win/viewer/viewer_support.h"
#include "uninstaller/registry_tree.h"
#include "viewer/snap_messages.h"

namespace ts = testsupport;

namespace {

constexpr int kRepeats = 5;

double NowMs() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Runs fn kRepeats times after setup each time; returns the median time of fn.
double Measure(const std::function<void()>& setup, const std::function<void()>& fn) {
  std::vector<double> times;
  for (int i = 0; i < kRepeats; ++i) {
    setup();
    double t0 = NowMs();
    fn();
    times.push_back(NowMs() - t0);
  }
  return Median(times);
}

struct Row {
  std::string what;
  double ours;
  double reference;
  std::string unit;
};

void PrintTable(const std::vector<Row>& rows) {
  std::printf("\n%-48s %14s %14s %8s\n", "measure", "kit", "reference", "ratio");
  std::printf("%s\n", std::string(87, '-').c_str());
  for (const Row& r : rows) {
    std::printf("%-48s %11.2f %-2s %11.2f %-2s %7.2fx\n", r.what.c_str(), r.ours, r.unit.c_str(),
                r.reference, r.unit.c_str(), r.reference > 0 ? r.ours / r.reference : 0.0);
  }
}

// 10 wide, 4 deep: 10,000 leaves below 1,110 inner keys.
void BuildTree(const std::string& root) {
  HKEY base;
  RegCreateKeyExA(HKEY_LOCAL_MACHINE, root.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &base,
                  nullptr);
  std::function<void(HKEY, int)> grow = [&](HKEY parent, int depth) {
    if (depth == 0) return;
    for (int i = 0; i < 10; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "k%d", i);
      HKEY child;
      if (RegCreateKeyExA(parent, name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr) ==
          ERROR_SUCCESS) {
        grow(child, depth - 1);
        RegCloseKey(child);
      }
    }
  };
  grow(base, 4);
  RegCloseKey(base);
}

Row RegistryRow() {
  const std::string ours = "Software\\CapkitBench\\Ours";
  const std::string ref = "Software\\CapkitBench\\Reference";
  double a = Measure([&] { BuildTree(ours); },
                     [&] {
                       char path[kRegistryPathChars];
                       lstrcpynA(path, ours.c_str(), sizeof path);
                       DeleteRegistryTree(path);
                     });
  double b =
      Measure([&] { BuildTree(ref); }, [&] { RegDeleteTreeA(HKEY_LOCAL_MACHINE, ref.c_str()); });
  bool gone = !ts::KeyExists(HKEY_LOCAL_MACHINE, ours) && !ts::KeyExists(HKEY_LOCAL_MACHINE, ref);
  ts::DeleteKeyTree(HKEY_LOCAL_MACHINE, "Software\\CapkitBench");
  return {gone ? "delete 10,000-key tree (RegDeleteTreeA)" : "delete tree: NOT ALL DELETED", a, b,
          "ms"};
}

LRESULT CALLBACK PlainProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  return DefWindowProcA(h, m, w, l);
}

// Reading the file and drawing it once with StretchDIBits into a window of
// the same size: the least any viewer has to do.
double ReferenceDraw(const std::string& path, int w, int h) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = PlainProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "CapkitBenchRef";
  RegisterClassA(&wc);
  HWND wnd = CreateWindowExA(0, wc.lpszClassName, "ref", WS_POPUP | WS_VISIBLE, 0, 0, w, h, nullptr,
                             nullptr, wc.hInstance, nullptr);
  double t =
      Measure([] {},
              [&] {
                auto bytes = ts::ReadFileBytes(path);
                if (!bytes || bytes->size() < 54) return;
                const char* data = bytes->data();
                const BITMAPINFO* info = reinterpret_cast<const BITMAPINFO*>(data + 14);
                HDC dc = GetDC(wnd);
                StretchDIBits(dc, 0, 0, w, h, 0, 0, w, h, data + 54, info, DIB_RGB_COLORS, SRCCOPY);
                GdiFlush();
                ReleaseDC(wnd, dc);
              });
  DestroyWindow(wnd);
  return t;
}

Row ReloadRow() {
  const int w = 1920, h = 1080;
  std::string dir = ts::TempDir();
  std::string snap = dir + "\\bench_snap.bmp";
  const viewertest::QuadImage image{
      w, h, 24, 0, {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0)}};
  ts::WriteFileBytes(snap, viewertest::MakeBmp(image));
  ts::SetWinIni("tavik", "SnapBMP", snap.c_str());
  double ours = -1;
  ts::Process viewer;
  if (viewer.Start(ts::ProgramPath("Pixlook.exe"))) {
    HWND wnd = ts::WaitForWindow("Snap", viewer.Pid(), 20000);
    if (wnd) {
      ours = Measure([] {},
                     [&] {
                       DWORD_PTR result = 0;
                       SendMessageTimeoutA(wnd, WM_SNAP_RELOAD, 0, 0, SMTO_BLOCK, 30000, &result);
                       // the repaint the reload asked for, done before we go on
                       RedrawWindow(wnd, nullptr, nullptr, RDW_UPDATENOW);
                     });
      PostMessageA(wnd, WM_CLOSE, 0, 0);
    }
    viewer.Wait(10000);
  }
  double ref = ReferenceDraw(snap, w, h);
  ts::SetWinIni("tavik", "SnapBMP", nullptr);
  ts::RemoveTree(dir);
  return {"reload 1920x1080 snapshot (read + StretchDIBits)", ours, ref, "ms"};
}

double StartToExit(const std::string& exe, const std::string& workDir) {
  return Measure([] {}, [&] { ts::RunProgram(exe, "", workDir, 60000); });
}

std::vector<Row> StartupRows() {
  std::vector<Row> rows;
  double empty = StartToExit(ts::ProgramPath("bench_empty.exe"), "");

  // Drvprep in a kit folder of its own, with nothing to stage
  std::string kit = ts::TempDir();
  CopyFileA(ts::ProgramPath("Drvprep.exe").c_str(), (kit + "\\Drvprep.exe").c_str(), FALSE);
  rows.push_back({"Drvprep start to exit (empty program)", StartToExit(kit + "\\Drvprep.exe", kit),
                  empty, "ms"});
  ts::RemoveTree(kit);

  // test.exe with a plan that removes nothing
  std::string planDir = ts::WindowsDir() + "\\Drvprep";
  std::string plan = planDir + "\\Remove907.ini";
  bool hadPlan = ts::FileExists(plan);
  if (!hadPlan) {
    ts::MakeDirs(planDir);
    ts::WriteIni(plan, "KEY", "Num", "0");
  }
  rows.push_back({"test start to exit (empty program)",
                  StartToExit(ts::ProgramPath("test.exe"), ""), empty, "ms"});
  if (!hadPlan) ts::RemoveFile(plan);

  // Pixlook against a program that only shows a window: start until the
  // window is up, then closed until the process is gone (under Wine any
  // program that had a window takes a while to end).
  auto windowed = [&](const std::string& exe, const std::string& args, double* shown,
                      double* closed) {
    std::vector<double> up, down;
    for (int i = 0; i < kRepeats; ++i) {
      ts::Process p;
      double t0 = NowMs();
      if (!p.Start(exe, args)) return;
      HWND wnd = ts::WaitForWindow("Snap", p.Pid(), 20000);
      double t1 = NowMs();
      if (wnd) PostMessageA(wnd, WM_CLOSE, 0, 0);
      p.Wait(20000);
      up.push_back(t1 - t0);
      down.push_back(NowMs() - t1);
    }
    *shown = Median(up);
    *closed = Median(down);
  };
  double ourShown = 0, ourClosed = 0, refShown = 0, refClosed = 0;
  windowed(ts::ProgramPath("Pixlook.exe"), "", &ourShown, &ourClosed);
  windowed(ts::ProgramPath("bench_empty.exe"), "window", &refShown, &refClosed);
  rows.push_back({"Pixlook start to window shown (window only)", ourShown, refShown, "ms"});
  rows.push_back({"Pixlook close to exit (window only)", ourClosed, refClosed, "ms"});
  return rows;
}

void PrintSizes() {
  std::printf("\n%-16s %12s\n", "program", "bytes");
  for (const char* name : {"Pixlook.exe", "Drvprep.exe", "test.exe", "bench_empty.exe"}) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    unsigned long long size = 0;
    if (GetFileAttributesExA(ts::ProgramPath(name).c_str(), GetFileExInfoStandard, &data)) {
      size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
    std::printf("%-16s %12llu\n", name, size);
  }
}

}  // namespace

int main() {
  std::printf("capkit benchmarks: median of %d runs each (%d-bit build)\n", kRepeats,
              static_cast<int>(sizeof(void*) * 8));
  std::vector<Row> rows;
  rows.push_back(RegistryRow());
  rows.push_back(ReloadRow());
  for (const Row& r : StartupRows()) rows.push_back(r);
  PrintTable(rows);
  PrintSizes();
  return 0;
}
