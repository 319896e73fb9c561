// The window shell in this process: the installer's WinMain and resources
// are linked into this test so it can watch the path where the main window
// cannot be created.
#include <gtest/gtest.h>
#include <windows.h>

#include "installer/main_window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);

namespace {

LRESULT CALLBACK RefuseCreation(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) return -1;
  return DefWindowProcA(window, message, wParam, lParam);
}

// With "DRVPREP" already taken by a class that refuses its windows, the
// installer's own registration fails and so does the creation. Had the
// staging run, it would have ended this process with exit code 1.
TEST(Shell, WinMainReturns0WhenTheWindowCannotBeCreated) {
  HINSTANCE self = GetModuleHandleA(nullptr);
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = RefuseCreation;
  wc.hInstance = self;
  wc.lpszClassName = "DRVPREP";
  ASSERT_NE(0, RegisterClassExA(&wc));

  EXPECT_EQ(0, WinMain(self, nullptr, GetCommandLineA(), SW_HIDE));
  EXPECT_STREQ("Drvprep", g_szTitle);
  EXPECT_STREQ("DRVPREP", g_szWindowClass);
  EXPECT_EQ(self, g_hInstance);
  EXPECT_EQ(0, RegisterMainClass(self)) << "the name was taken, so registration must fail";

  UnregisterClassA("DRVPREP", self);
}

}  // namespace
