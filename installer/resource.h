// Resource identifiers of Drvprep.
#pragma once

#define IDS_APP_TITLE 103
#define IDI_DRVPREP 107
#define IDI_SMALL 108
#define IDC_DRVPREP 109
#define IDR_MAINMENU 109
#define IDM_EXIT 105
