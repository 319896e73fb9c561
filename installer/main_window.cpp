#include "installer/main_window.h"

#include "installer/inf_staging.h"
#include "installer/resource.h"

HINSTANCE g_hInstance = nullptr;

char g_szTitle[kLoadStringChars];
char g_szWindowClass[kLoadStringChars];

ATOM RegisterMainClass(HINSTANCE instance) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = MainWndProc;
  wc.cbClsExtra = 0;
  wc.cbWndExtra = 0;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_DRVPREP));
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
  wc.lpszMenuName = MAKEINTRESOURCEA(IDR_MAINMENU);
  wc.lpszClassName = g_szWindowClass;
  wc.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_SMALL));
  return RegisterClassExA(&wc);
}

bool CreateMainWindow(HINSTANCE instance, int showState) {
  // The staging, which runs inside this creation, finds the kit through it.
  g_hInstance = instance;
  HWND window = CreateWindowExA(0, g_szWindowClass, g_szTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                0, CW_USEDEFAULT, 0, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return false;
  ShowWindow(window, showState);
  UpdateWindow(window);
  return true;
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) StageDriverInf();
  return DefWindowProcA(window, message, wParam, lParam);
}
