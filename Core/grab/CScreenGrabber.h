// CScreenGrabber: copies what the screen shows of a window into a new
// picture. The one place below the capture engine and the selection windows
// that reads pixels off the screen.
#pragma once

#include "TesLibApi.h"
#include "CImageBitmap.h"
#include "CRect.h"

// rect is in the coordinates of the window's whole-window DC (the desktop
// window's are screen coordinates). An empty rect (IsRectEmpty) means the
// whole window: its on-screen rectangle gives the size, and the copy starts at
// the window's own top-left corner even when that lies off the screen. The
// desktop window's own rectangle is the primary monitor, so a whole-desktop
// grab is the primary monitor; a window on any monitor, or across several, is
// grabbed whole. The rectangle is clipped to the virtual screen
// (CScreenLayout::VirtualScreen; parts in a strip that no monitor shows come
// as the system gives them); when nothing is left, or the window is null, the
// result is null and the window is left alone. Otherwise the window is made topmost
// for the copy and not topmost afterwards, whatever it was before (except the
// desktop window, which cannot be raised).
//
// A child window of another process is read through the screen at its screen
// rectangle: some systems (Wine) give nothing through such a window's own DC,
// and on every system what the screen shows there is the window.
//
// The picture is a pixel section (CImageBitmap, background white) that the
// caller owns; null also when GDI cannot make it or copy into it.
class TESLIB_API CScreenGrabber
{
public:
    static CImageBitmap* Grab(HWND hWnd, CRect rect);

    // TRUE when hWnd is a child window of another process: the grab and the
    // object pick's highlight reach it through the screen.
    static BOOL IsForeignChild(HWND hWnd);
};
