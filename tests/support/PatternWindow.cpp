// PatternWindow: a window with known pixels (see PatternWindow.h).
#include "PatternWindow.h"

namespace guitest {

namespace {
const COLORREF kBackground = RGB(20, 60, 200);
const COLORREF kLeftBand = RGB(220, 40, 90);
const COLORREF kSquare = RGB(30, 180, 70);
} // namespace

BEGIN_MESSAGE_MAP(PatternWindow, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL PatternWindow::Create(LPCTSTR lpszTitle, const RECT& rect)
{
    return CreateEx(WS_EX_TOPMOST, nullptr, lpszTitle, WS_POPUP | WS_VISIBLE, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr);
}

COLORREF PatternWindow::ExpectedColor(int x, int y, int w, int h)
{
    if (x < w / 3)
        return kLeftBand;
    if (x >= w * 3 / 4 - 10 && x < w * 3 / 4 + 10 && y >= h / 4 - 10 && y < h / 4 + 10)
        return kSquare;
    return kBackground;
}

BOOL PatternWindow::OnEraseBkgnd(CDC*)
{
    return TRUE;   // everything is painted in OnPaint
}

void PatternWindow::OnPaint()
{
    PAINTSTRUCT ps;
    HDC hDC = BeginPaint(m_hWnd, &ps);
    RECT rc;
    GetClientRect(&rc);
    Paint(hDC, rc.right, rc.bottom);
    EndPaint(m_hWnd, &ps);
}

void PatternWindow::Paint(HDC hDC, int w, int h)
{
    auto fill = [hDC](int left, int top, int right, int bottom, COLORREF color) {
        RECT r = { left, top, right, bottom };
        HBRUSH hBrush = CreateSolidBrush(color);
        FillRect(hDC, &r, hBrush);
        DeleteObject(hBrush);
    };
    fill(0, 0, w, h, kBackground);
    fill(0, 0, w / 3, h, kLeftBand);
    fill(w * 3 / 4 - 10, h / 4 - 10, w * 3 / 4 + 10, h / 4 + 10, kSquare);
}

} // namespace guitest
