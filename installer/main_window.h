// Drvprep's window shell. The main window exists only to carry the
// installation: its creation stages the INF and ends the process, so the
// window is never shown and no message loop runs.
#pragma once

#include <windows.h>

extern HINSTANCE g_hInstance;

// Window title (string 103) and class name (string 109), loaded by WinMain.
constexpr int kLoadStringChars = 100;
extern char g_szTitle[kLoadStringChars];
extern char g_szWindowClass[kLoadStringChars];

ATOM RegisterMainClass(HINSTANCE instance);
// True when the window was created (it never is: the staging ends the
// process during the creation).
bool CreateMainWindow(HINSTANCE instance, int showState);
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
