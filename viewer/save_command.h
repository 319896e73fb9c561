// The Save command: copy the snapshot to a BMP file the user chooses.
#pragma once

#include <windows.h>

constexpr int kSavePathChars = 256;

// The destination of the last Save, seeding the next prompt. Starts as
// "c:\Snap.bmp"; keeps a refused name so the user can correct it.
extern char g_szSavePath[kSavePathChars];

// Runs the Save As dialog seeded from buffer (a full path: folder and file
// name). On confirmation stores the chosen path in buffer and returns true.
// False on Cancel, and also when the chosen path does not fit in `capacity`
// characters; then *tooLong (when given) is set and buffer is unchanged.
bool PromptSavePath(HWND owner, char* buffer, int capacity, bool* tooLong = nullptr);
