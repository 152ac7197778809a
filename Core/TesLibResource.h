// Identifiers of TesLib's own resources (TesLib.rc), shared by the resource
// script and the classes that load them.
#pragma once

// Region selection overlay (CDlgSnapRectHelper): its dialog, the tip edit on
// it and its cursor.
#define IDD_SNAP_RECT        135
#define IDC_SNAP_RECT_TIP    1031
#define IDC_SNAP_RECT_CURSOR 4003

// Window chooser dialog (CDlgActiveWin) and its list of windows.
#define IDD_ACTIVE_WIN      4004
#define IDC_WINDOW_LIST     4000

// Tip control background (CSnapTipEdit) and the object-pick tip dialog
// (CDlgSnapObjHelper) with its tip edit.
#define IDB_SNAP_TIP_BACKGROUND 4002
#define IDD_SNAP_OBJ_HELPER     4005
#define IDC_SNAP_TIP            4002
