// The programs' entry point is the framework's: it runs the one application object.
#include "framework/app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE prev, LPSTR cmdLine, int show) {
  return AfxWinMain(instance, prev, cmdLine, show);
}
