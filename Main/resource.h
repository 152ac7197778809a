// Identifiers of the program's resources (tes.rc), shared by the resource
// script, the program's classes and its tests. The options pages and the
// tray menu have theirs in OptionsTrayResource.h.
#pragma once

// Controls without an identifier of their own.
#ifndef IDC_STATIC
#define IDC_STATIC              (-1)
#endif

// Dialogs.
#define IDD_ABOUTBOX            100
#define IDD_TESSALY_DIALOG      102

// Strings.
#define IDS_ABOUTBOX            101

// Program icon, main menu and its accelerator table.
#define IDR_MAINFRAME           128
// Hand cursor over the preview.
#define IDC_CURSOR_HAND         133
// About-box banner (120 x 60, 8 bits per pixel).
#define IDB_ABOUT               136
// Placeholder picture of the preview (450 x 320, 24 bits per pixel).
#define IDB_DEFAULT_PREVIEW     139

// Controls of the main dialog.
#define IDC_SNAP_TYPE           1004
#define IDC_PREVIEW             1005
#define IDC_GRAYSCALE           1006
#define IDC_NEGATE              1007
#define IDC_FLIP_HORZ           1010
#define IDC_FLIP_VERT           1011
#define IDC_ROTATE              1012
#define IDC_SCALE               1013
#define IDC_SHEAR_ACROSS        1016
#define IDC_SHEAR_DOWN          1017
#define IDC_BLUR                1018
#define IDC_SHARPEN             1019

// Link controls of the about box.
#define IDC_LINK_HOME           1040
#define IDC_LINK_IM             1041
#define IDC_LINK_MAIL           1042

// Commands of the program (menus, buttons, accelerators).
#define ID_SNAP_FULLSCREEN      32795
#define ID_SNAP_NEW             32796
#define ID_SHOW_HIDE            32799
#define ID_FILE_SAVE_THUMB      32800
#define ID_EDIT_COPY_THUMB      32801
#define ID_EDIT_EXTERNAL        32804
#define ID_EFFECT_GRAYSCALE     32810
#define ID_EFFECT_NEGATE        32811
#define ID_EFFECT_FLIP_HORZ     32822
#define ID_EFFECT_FLIP_VERT     32823
#define ID_EFFECT_ROTATE        32824
#define ID_EFFECT_SCALE         32825
#define ID_EFFECT_SHEAR_ACROSS  32826
#define ID_EFFECT_SHEAR_DOWN    32827
#define ID_EFFECT_BLUR          32828
#define ID_EFFECT_SHARPEN       32829
#define ID_OPTIONS              32830
#define ID_AUTO_COPY            32844
#define ID_SNAP_SELECT_RECT     32845
#define ID_SNAP_ACTIVE_WIN      32846
#define ID_SNAP_CURRENT_WIN     32847
#define ID_SNAP_WIN_CLIENT      32848
#define ID_SNAP_WIN_OBJ         32850
#define ID_HELP_HOMEPAGE        32862
#define ID_HELP_UPDATE          32865

// The framework's standard command numbers that the program uses.
#define ID_FILE_OPEN            0xE101   // 57601
#define ID_FILE_SAVE            0xE103   // 57603
#define ID_FILE_SAVE_AS         0xE104   // 57604
#define ID_FILE_PAGE_SETUP      0xE105   // 57605
#define ID_FILE_PRINT           0xE107   // 57607
#define ID_EDIT_CLEAR           0xE120   // 57632
#define ID_EDIT_COPY            0xE122   // 57634
#define ID_EDIT_PASTE           0xE125   // 57637
#define ID_APP_ABOUT            0xE140   // 57664
#define ID_HELP_TOPICS          0xE146   // 57670
#ifndef ID_APP_EXIT
#define ID_APP_EXIT             0xE141   // 57665
#endif

// The system menu's about item.
#define IDM_ABOUTBOX            0x0010
