// The viewer's private window messages, sent by the snapshot-taking
// software to the window captioned "Snap".
#pragma once

#include <windows.h>

constexpr UINT WM_SNAP_RELOAD = WM_USER + 101;       // reload the image from the held path
constexpr UINT WM_SNAP_REREAD_PATH = WM_USER + 102;  // re-read "SnapBMP" only
