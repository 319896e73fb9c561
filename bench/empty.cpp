// The references for start-up time: a Win32 program that does nothing, and
// (with the argument "window") one that only shows a window captioned
// "Snap" until it is closed, which is what a viewer does at the least.
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int) {
  if (!cmdLine || std::strstr(cmdLine, "window") == nullptr) return 0;
  HWND wnd = CreateWindowExA(0, "#32770", "Snap", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                             CW_USEDEFAULT, CW_USEDEFAULT, 320, 240, nullptr, nullptr, instance,
                             nullptr);
  MSG msg;
  while (IsWindow(wnd) && GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.hwnd == wnd && msg.message == WM_CLOSE) break;
    DispatchMessageA(&msg);
  }
  return 0;
}
