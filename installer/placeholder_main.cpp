// Starts and ends; the program's real behaviour replaces this file.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 1; }
