// Resource identifiers of the options sheet's pages and the tray menu
// (OptionsTray.rc). The command ids are those of the main window, which the
// tray menu only delivers.
#pragma once

// Options pages.
#define IDD_OPTION_BASIC                107
#define IDD_OPTION_IMAGE                108
#define IDD_OPTION_HOTKEY               109

// General page.
#define IDC_OPTION_PLAY_SNAP_SOUND      1020
#define IDC_OPTION_HIDE_MAIN_WND        1021
#define IDC_OPTION_SNAP_ON_START        1022
#define IDC_OPTION_SNAP_DELAY_TIME      1025
#define IDC_OPTION_KEEP_ON_TOP          1038

// Image page.
#define IDC_OPTION_EDIT_APP_PATH        1026
#define IDC_OPTION_ROTATE_ANGLE         1027
#define IDC_OPTION_SCALE_FACTOR         1028
#define IDC_OPTION_SHEAR_ACROSS         1029
#define IDC_OPTION_SHEAR_DOWN           1030
#define IDC_OPTION_BLUR_FACTOR          1031
#define IDC_OPTION_SHARPEN_FACTOR       1032
#define IDC_OPTION_BROWSE               1033

// Hot-key page: the eight hot-key controls.
#define IDC_HOTKEY_NEW_SNAP             1037
#define IDC_HOTKEY_FULL_SCREEN          1043
#define IDC_HOTKEY_ACTIVE_WIN           1035
#define IDC_HOTKEY_CURRENT_WIN          1038
#define IDC_HOTKEY_WIN_CLIENT           1039
#define IDC_HOTKEY_WIN_OBJ              1040
#define IDC_HOTKEY_SELECT_RECT          1041
#define IDC_HOTKEY_SHOW_HIDE            1036

// Tray menu and the main-window commands it carries.
#define IDR_TRAY_MENU                   131
#define ID_TRAY_SHOW_HIDE               32799
#define ID_TRAY_SNAP_FULL_SCREEN        32795
#define ID_TRAY_SNAP_ACTIVE_WIN         32846
#define ID_TRAY_SNAP_CURRENT_WIN        32847
#define ID_TRAY_SNAP_WIN_CLIENT         32848
#define ID_TRAY_SNAP_WIN_OBJ            32850
#define ID_TRAY_SNAP_SELECT_RECT        32845
#define ID_TRAY_OPTIONS                 32830
#define ID_TRAY_APP_EXIT                57665
