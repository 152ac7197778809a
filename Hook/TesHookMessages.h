// The messages the mouse-hook library posts to the capture engine's hidden
// window during an object pick. Both parameters are unused.
#pragma once

#include <windows.h>

// The mouse moved (anywhere on the screen).
const UINT WM_ES_MOUSEMOVE = WM_USER + 1007;
// The left button went down: capture the window under the cursor.
const UINT WM_ES_LBUTTONDOWN = WM_USER + 1001;
// The right button went down: end the pick without a capture.
const UINT WM_ES_RBUTTONDOWN = WM_USER + 1004;

// The engine's hidden window: a child window, not visible, with this
// identifier. While a pick runs it holds the mouse capture of its thread.
const int TES_CORE_WINDOW_ID = 100;
