// CTesCore: the capture engine of TesLib. Here: the screen grab every capture
// mode and the region selector use.
#pragma once

#include "CImageBitmap.h"
#include "CRect.h"
#include "CWnd.h"
#include "TesLibApi.h"

class TESLIB_API CTesCore : public CWnd
{
    DECLARE_DYNAMIC(CTesCore)
public:
    CTesCore();
    ~CTesCore() override;

    // Copies rect of hWnd, as the window shows on screen, into a new picture
    // (background white) that the caller owns and deletes; null when there is
    // nothing to grab.
    //
    // rect is in the coordinates of the window's whole-window DC (the desktop
    // window's are screen coordinates). An empty rect (IsRectEmpty) means the
    // whole window: its on-screen rectangle gives the size, and the copy starts
    // at the window's own top-left corner. The rectangle is clipped to
    // 0 ... SM_CXSCREEN, 0 ... SM_CYSCREEN of the primary screen; when nothing
    // is left, or hWnd is null, the result is null and the window is left
    // alone. Otherwise the window is made topmost for the copy and not topmost
    // afterwards, whatever it was before. Null also when GDI cannot make the
    // picture or copy into it.
    static CImageBitmap* SnapBitmap(HWND hWnd, CRect rect);
};
