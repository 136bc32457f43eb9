// Resource and command identifiers shared by the resource script, the dialogs and the capture
// logic. Plain #defines only, so that code which must not see windows.h can include it.
#pragma once

#define IDR_MAINFRAME 128
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_MAIN 102

#define IDM_ABOUTBOX 0x0010
// The output list's context menu; TrackPopupMenu returns them, no WM_COMMAND carries them.
#define IDM_COPY 32771
#define IDM_COPYALL 32772

#define IDC_PORT 1000
#define IDC_BAUD 1001
#define IDC_PARITY 1002
#define IDC_DATABITS 1004
#define IDC_STOPBITS 1005
#define IDC_CONNECT 1006
#define IDC_DEFAULT 1009
#define IDC_FLUSH 1012
#define IDC_LIST 1013
#define IDC_COUNT 1016
#define IDC_DELETE 1017
