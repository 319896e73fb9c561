// Drvprep: stages the kit's driver INF into the INF store and ends with
// exit code 1. All the work happens while the main window is created.
#include <windows.h>

#include "installer/inf_staging.h"
#include "installer/main_window.h"
#include "installer/resource.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showState) {
  LoadStringA(instance, IDS_APP_TITLE, g_szTitle, kLoadStringChars);
  LoadStringA(instance, IDC_DRVPREP, g_szWindowClass, kLoadStringChars);
  RegisterMainClass(instance);
  if (!CreateMainWindow(instance, showState)) return 0;
  // Not reached in practice; the installer ends with 1 on every path.
  return static_cast<int>(drvprep::kInstallerExitCode);
}
