// Tests of the window-bound DCs on real top-level windows under the virtual
// display: CClientDC and CWindowDC origins and screen access, their release
// with the initial objects put back, and CPaintDC inside WM_PAINT.
#include "CBitmap.h"
#include "CBrush.h"
#include "CClientDC.h"
#include "CFont.h"
#include "CPaintDC.h"
#include "CPen.h"
#include "CWindowDC.h"
#include "CWnd.h"
#include "GdiTestWindow.h"
#include "MessagePump.h"

#include <gtest/gtest.h>

using guitest::MessagePump;

namespace {

const COLORREF kBackground = RGB(40, 80, 120);
const RECT kWindowRect = { 200, 150, 420, 330 };

// The colour on screen at a screen point, read through the screen DC; waits
// (bounded) for the expected colour, as the display may lag the drawing.
COLORREF ScreenPixel(int x, int y, COLORREF expected)
{
    COLORREF seen = CLR_INVALID;
    MessagePump::PumpUntil([&] {
        CClientDC screen(nullptr);
        seen = screen.GetPixel(x, y);
        return seen == expected;
    }, 2000);
    return seen;
}

POINT ClientToScreenPoint(HWND hWnd, int x, int y)
{
    POINT p = { x, y };
    ::ClientToScreen(hWnd, &p);
    return p;
}

TEST(CClientDC, DrawsInTheClientAreaFromItsOrigin)
{
    GdiTestWindow window(kWindowRect, kBackground);
    ASSERT_NE(window.Handle(), nullptr);
    CWnd* pWnd = CWnd::FromHandle(window.Handle());
    {
        CClientDC dc(pWnd);
        ASSERT_NE(dc.m_hDC, nullptr);
        EXPECT_EQ(dc.m_hWnd, window.Handle());
        RECT clip = {};
        dc.GetClipBox(&clip);
        RECT client = {};
        ::GetClientRect(window.Handle(), &client);
        EXPECT_EQ(CRect(clip), CRect(client));
        dc.FillSolidRect(0, 0, 10, 10, RGB(250, 10, 20));
    }
    const POINT origin = ClientToScreenPoint(window.Handle(), 0, 0);
    EXPECT_NE(origin.x, kWindowRect.left) << "the border is outside the client area";
    EXPECT_EQ(ScreenPixel(origin.x, origin.y, RGB(250, 10, 20)), RGB(250, 10, 20));
    EXPECT_EQ(ScreenPixel(origin.x + 9, origin.y + 9, RGB(250, 10, 20)), RGB(250, 10, 20));
    EXPECT_EQ(ScreenPixel(origin.x + 10, origin.y + 10, kBackground), kBackground);
}

TEST(CWindowDC, DrawsFromTheWindowsOuterCorner)
{
    GdiTestWindow window(kWindowRect, kBackground);
    ASSERT_NE(window.Handle(), nullptr);
    RECT rcWindow = {};
    ::GetWindowRect(window.Handle(), &rcWindow);
    {
        CWindowDC dc(CWnd::FromHandle(window.Handle()));
        ASSERT_NE(dc.m_hDC, nullptr);
        dc.FillSolidRect(0, 0, 4, 4, RGB(5, 200, 60));
    }
    EXPECT_EQ(ScreenPixel(rcWindow.left, rcWindow.top, RGB(5, 200, 60)), RGB(5, 200, 60));
    EXPECT_EQ(ScreenPixel(rcWindow.left + 3, rcWindow.top + 3, RGB(5, 200, 60)), RGB(5, 200, 60));
    EXPECT_EQ(ScreenPixel(rcWindow.left + 20, rcWindow.top + 20, kBackground), kBackground);
}

TEST(CWindowDC, NullWindowMeansTheWholeScreen)
{
    GdiTestWindow window(kWindowRect, kBackground);
    ASSERT_NE(window.Handle(), nullptr);
    const POINT inside = ClientToScreenPoint(window.Handle(), 50, 50);
    {
        CWindowDC screen(nullptr);
        ASSERT_NE(screen.m_hDC, nullptr);
        EXPECT_EQ(screen.m_hWnd, nullptr);
        EXPECT_EQ(screen.GetDeviceCaps(HORZRES), ::GetSystemMetrics(SM_CXSCREEN));
        RECT clip = {};
        screen.GetClipBox(&clip);
        EXPECT_EQ(CRect(clip), CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)));
    }
    EXPECT_EQ(ScreenPixel(inside.x, inside.y, kBackground), kBackground);

    // A screen DC copies what is on the screen.
    CWindowDC screen(nullptr);
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(&screen));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 8, 8));
    memory.SelectObject(&bitmap);
    ASSERT_TRUE(memory.BitBlt(0, 0, 8, 8, &screen, inside.x, inside.y, SRCCOPY));
    EXPECT_EQ(memory.GetPixel(0, 0), kBackground);
    EXPECT_EQ(memory.GetPixel(7, 7), kBackground);
}

TEST(CClientDC, ReleaseSelectsTheInitialObjectsBack)
{
    // A class DC of its own keeps its state between GetDC calls, so whatever a
    // released DC left selected is still selected the next time.
    GdiTestWindow window(kWindowRect, kBackground, true);
    ASSERT_NE(window.Handle(), nullptr);
    HDC hProbe = ::GetDC(window.Handle());
    const HGDIOBJ hInitialPen = ::GetCurrentObject(hProbe, OBJ_PEN);
    const HGDIOBJ hInitialBrush = ::GetCurrentObject(hProbe, OBJ_BRUSH);
    const HGDIOBJ hInitialFont = ::GetCurrentObject(hProbe, OBJ_FONT);
    ::ReleaseDC(window.Handle(), hProbe);

    CPen pen;
    CBrush brush;
    CFont font;
    ASSERT_TRUE(pen.CreatePen(PS_SOLID, 4, RGB(255, 0, 0)));
    ASSERT_TRUE(brush.CreateSolidBrush(RGB(0, 0, 255)));
    ASSERT_TRUE(font.CreatePointFont(90, L"Tahoma"));

    // Without the wrapper, a selection outlives the release on such a window.
    hProbe = ::GetDC(window.Handle());
    ::SelectObject(hProbe, pen.GetSafeHandle());
    ::ReleaseDC(window.Handle(), hProbe);
    hProbe = ::GetDC(window.Handle());
    EXPECT_EQ(::GetCurrentObject(hProbe, OBJ_PEN), pen.GetSafeHandle());
    ::SelectObject(hProbe, hInitialPen);
    ::ReleaseDC(window.Handle(), hProbe);

    for (int kind = 0; kind < 2; ++kind) {
        SCOPED_TRACE(kind == 0 ? "CClientDC" : "CWindowDC");
        {
            CWnd* pWnd = CWnd::FromHandle(window.Handle());
            CClientDC clientDC(kind == 0 ? pWnd : nullptr);
            CWindowDC windowDC(kind == 1 ? pWnd : nullptr);
            CDC& dc = kind == 0 ? static_cast<CDC&>(clientDC) : static_cast<CDC&>(windowDC);
            ASSERT_NE(dc.m_hDC, nullptr);
            dc.SelectObject(&pen);
            dc.SelectObject(&brush);
            dc.SelectObject(&font);
            dc.Rectangle(5, 5, 40, 30);
        }
        hProbe = ::GetDC(window.Handle());
        EXPECT_EQ(::GetCurrentObject(hProbe, OBJ_PEN), hInitialPen);
        EXPECT_EQ(::GetCurrentObject(hProbe, OBJ_BRUSH), hInitialBrush);
        EXPECT_EQ(::GetCurrentObject(hProbe, OBJ_FONT), hInitialFont);
        ::ReleaseDC(window.Handle(), hProbe);
    }
    EXPECT_TRUE(pen.DeleteObject());
    EXPECT_TRUE(brush.DeleteObject());
    EXPECT_TRUE(font.DeleteObject());
}

TEST(CPaintDC, PaintsTheUpdateRegionAndValidatesIt)
{
    GdiTestWindow window(kWindowRect, kBackground);
    ASSERT_NE(window.Handle(), nullptr);
    RECT painted = {};
    HDC hPaintDC = nullptr;
    window.SetPaintHandler([&](HWND hWnd) {
        CPaintDC dc(CWnd::FromHandle(hWnd));
        hPaintDC = dc.m_hDC;
        painted = dc.m_ps.rcPaint;
        // Covering the whole client area changes only the invalid part.
        RECT client;
        ::GetClientRect(hWnd, &client);
        dc.FillSolidRect(&client, RGB(0, 160, 0));
    });

    const int before = window.PaintCount();
    RECT invalid = { 20, 20, 60, 50 };
    ::InvalidateRect(window.Handle(), &invalid, FALSE);
    ::UpdateWindow(window.Handle());
    EXPECT_EQ(window.PaintCount(), before + 1);
    EXPECT_NE(hPaintDC, nullptr);
    EXPECT_EQ(CRect(painted), CRect(invalid));
    EXPECT_FALSE(::GetUpdateRect(window.Handle(), nullptr, FALSE)) << "the update region was validated";

    const POINT in = ClientToScreenPoint(window.Handle(), 30, 30);
    const POINT out = ClientToScreenPoint(window.Handle(), 10, 10);
    const POINT edge = ClientToScreenPoint(window.Handle(), 60, 50);
    EXPECT_EQ(ScreenPixel(in.x, in.y, RGB(0, 160, 0)), RGB(0, 160, 0));
    EXPECT_EQ(ScreenPixel(out.x, out.y, kBackground), kBackground);
    EXPECT_EQ(ScreenPixel(edge.x, edge.y, kBackground), kBackground);

    // No more paint messages are pending: pumping for a while paints nothing.
    MessagePump::PumpFor(200);
    EXPECT_EQ(window.PaintCount(), before + 1);
}

TEST(CPaintDC, ValidatesEvenWhenNothingIsDrawn)
{
    GdiTestWindow window(kWindowRect, kBackground);
    ASSERT_NE(window.Handle(), nullptr);
    window.SetPaintHandler([](HWND hWnd) { CPaintDC dc(CWnd::FromHandle(hWnd)); });
    const int before = window.PaintCount();
    ::InvalidateRect(window.Handle(), nullptr, TRUE);
    EXPECT_TRUE(MessagePump::PumpUntil([&] { return window.PaintCount() > before; }, 2000));
    MessagePump::PumpFor(200);
    EXPECT_EQ(window.PaintCount(), before + 1);
    EXPECT_FALSE(::GetUpdateRect(window.Handle(), nullptr, FALSE));
}

TEST(CPaintDC, NullWindowGivesNoDC)
{
    CPaintDC dc(nullptr);
    EXPECT_EQ(dc.m_hDC, nullptr);
    EXPECT_EQ(dc.m_hWnd, nullptr);
}

} // namespace
