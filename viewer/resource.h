// Resource identifiers of Pixlook.
#pragma once

#define IDD_PIXLOOK_DIALOG 102
#define IDR_MAINFRAME 128
#define IDC_SAVE 1002
