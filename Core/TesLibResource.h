// Identifiers of TesLib's own resources (TesLib.rc), shared by the resource
// script and the classes that load them.
#pragma once

// Window chooser dialog (CDlgActiveWin) and its list of windows.
#define IDD_ACTIVE_WIN      4004
#define IDC_WINDOW_LIST     4000

// Taken by the other selection windows' resources: 135 region selection
// dialog, 4002 tip window background bitmap, 4003 region selection cursor,
// 4005 object-pick tip dialog.
