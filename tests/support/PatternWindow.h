// PatternWindow: a topmost top-level window with a known title that paints a
// known asymmetric picture, so that tests can find it and check pixels read
// from the screen. The picture (client coordinates, width w, height h):
// background blue-ish (20, 60, 200); the left third red-ish (220, 40, 90);
// a green-ish square (30, 180, 70) in the top-right quarter. No two regions
// share a channel value, and no flip or swap of channels maps one onto another.
#pragma once

#include "CWnd.h"

namespace guitest {

class PatternWindow : public CWnd
{
public:
    PatternWindow() = default;
    ~PatternWindow() override = default;

    // A popup (no frame) at screen rectangle rect.
    BOOL Create(LPCTSTR lpszTitle, const RECT& rect);

    // The colour that client pixel (x, y) has in a w x h client area.
    static COLORREF ExpectedColor(int x, int y, int w, int h);
    // Paints the picture of a w x h client area (also for windows of other
    // classes).
    static void Paint(HDC hDC, int w, int h);

protected:
    DECLARE_MESSAGE_MAP()
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
};

} // namespace guitest
