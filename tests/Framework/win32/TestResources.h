// Resource ids of the win32 framework tests (program and extension library).
#pragma once

#define IDD_DATA 100
#define IDD_COMMANDS 101
#define IDD_SIMPLE 102
#define IDD_LIBRARY_ONLY 300
#define IDD_SHARED 301
#define IDR_TEST_MENU 400

#define IDC_INT_EDIT 1001
#define IDC_UINT_EDIT 1002
#define IDC_TEXT_EDIT 1003
#define IDC_CHECK 1004
#define IDC_COMBO 1005
#define IDC_LIST 1006

#define IDC_BTN_COMMAND 2001
#define IDC_BTN_NOHANDLER 2002
#define IDC_BTN_DISABLED 2003
#define IDC_BTN_CHECKED 2004
#define IDC_BTN_AUTOCHECK 2005

#define ID_CMD_CHECK 3001
#define ID_CMD_DISABLE 3002
#define ID_CMD_RADIO 3003
#define ID_CMD_NOHANDLER 3004
#define ID_CMD_TEXT 3005
