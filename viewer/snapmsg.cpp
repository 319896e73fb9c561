// snapmsg: plays the snapshot-taking software's part towards a running
// viewer, for demonstrations and manual checks.
//
//   snapmsg setpath PATH   set "SnapBMP" in [tavik] of WIN.INI ("" removes it)
//   snapmsg reread         send WM_SNAP_REREAD_PATH to the window "Snap"
//   snapmsg reload         send WM_SNAP_RELOAD to the window "Snap"
//   snapmsg show PATH      setpath, reread and reload in that order
//   snapmsg close          close the viewer (as its close box does)
//
// Exit code 0 when done, 1 when no viewer answered, 2 on a usage error.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "viewer/snap_messages.h"

namespace {

constexpr DWORD kAnswerMs = 10000;

HWND FindViewer() { return FindWindowA("#32770", "Snap"); }

bool Send(UINT msg) {
  HWND viewer = FindViewer();
  if (!viewer) {
    std::fprintf(stderr, "snapmsg: no window captioned \"Snap\"\n");
    return false;
  }
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(viewer, msg, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &result) ||
      result != 1) {
    std::fprintf(stderr, "snapmsg: the viewer did not answer\n");
    return false;
  }
  return true;
}

bool SetPath(const char* path) {
  if (!WriteProfileStringA("tavik", "SnapBMP", *path ? path : nullptr)) return false;
  WriteProfileStringA(nullptr, nullptr, nullptr);  // flush, so the viewer reads it at once
  return true;
}

int Usage() {
  std::fprintf(stderr, "usage: snapmsg setpath PATH | reread | reload | show PATH | close\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const char* command = argv[1];
  if (std::strcmp(command, "reread") == 0 && argc == 2) return Send(WM_SNAP_REREAD_PATH) ? 0 : 1;
  if (std::strcmp(command, "reload") == 0 && argc == 2) return Send(WM_SNAP_RELOAD) ? 0 : 1;
  if (std::strcmp(command, "setpath") == 0 && argc == 3) return SetPath(argv[2]) ? 0 : 1;
  if (std::strcmp(command, "show") == 0 && argc == 3) {
    if (!SetPath(argv[2])) return 1;
    return Send(WM_SNAP_REREAD_PATH) && Send(WM_SNAP_RELOAD) ? 0 : 1;
  }
  if (std::strcmp(command, "close") == 0 && argc == 2) {
    HWND viewer = FindViewer();
    if (!viewer) return 1;
    PostMessageA(viewer, WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
  }
  return Usage();
}
