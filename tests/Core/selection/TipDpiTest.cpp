// The tip at other DPIs: its lengths from 100 % to 200 %, its text fitting
// its band in its own font, and, in a session at 144 DPI (label dpi144), the
// object-pick tip opening in the 150 % layout with all three lines drawn.
#include <gtest/gtest.h>

#include "CDlgSnapObjHelper.h"
#include "CSnapTipLayout.h"
#include "CTesLocalResource.h"
#include "MessagePump.h"
#include "ScreenReader.h"
#include "TimedAction.h"

using guitest::MessagePump;
using guitest::ScreenReader;

namespace {

// The longest texts the tips show: the overlay's while nothing is selected,
// and the object pick's at the far corner of a large desk.
const wchar_t* const kTipTexts[] = {
    L"·像素RGB(255,255,255)\r\n·按下鼠标左键选择截取范围\r\n·按ESC键放弃",
    L"·坐标(X:-32000, Y:-32000)\r\n·左键点击截取图像\r\n·点击右键退出",
};

// Rows of hWnd's client area from top to bottom that hold ink: those that
// change when its text is emptied.
std::vector<bool> InkedRows(HWND hWnd)
{
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    ::MapWindowPoints(hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    const TestImage withText = ScreenReader::Rect(rc);
    ::SetWindowTextW(hWnd, L"");
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    MessagePump::PumpFor(200);
    const TestImage without = ScreenReader::Rect(rc);
    std::vector<bool> rows(static_cast<size_t>(rc.bottom - rc.top), false);
    for (int y = 0; y < rc.bottom - rc.top; ++y)
        for (int x = 0; x < rc.right - rc.left && !rows[y]; ++x)
            rows[y] = withText.Color(x, y) != without.Color(x, y);
    return rows;
}

} // namespace

TEST(SnapTipLayout, ScalesEveryLengthAndFitsItsTextFrom100To200Percent)
{
    const struct { UINT dpi; CSize tip; int zoom; CSize source; } rows[] = {
        { 96, { 220, 253 }, 5, { 40, 30 } },  { 120, { 275, 316 }, 6, { 41, 31 } },
        { 144, { 330, 380 }, 8, { 37, 28 } }, { 168, { 385, 443 }, 9, { 38, 29 } },
        { 192, { 440, 506 }, 10, { 40, 30 } },
    };
    HDC hdc = ::CreateCompatibleDC(nullptr);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.dpi);
        const CSnapTipLayout layout(row.dpi);
        EXPECT_EQ(row.tip, layout.TipSize());
        EXPECT_EQ(row.zoom, layout.Zoom());
        EXPECT_EQ(row.source, layout.Source());
        // The magnifier keeps to the tip's frame, as wide a margin right as left.
        EXPECT_LE(2 * layout.MagnifierLeft() + layout.Zoom() * layout.Source().cx, layout.TipSize().cx);
        EXPECT_LE(layout.MagnifierTop() + layout.Zoom() * layout.Source().cy, layout.TipSize().cy);
        EXPECT_EQ(layout.TipSize().cx + layout.Margin(), layout.JumpStrip());

        LOGFONTW lf = {};
        lf.lfHeight = -layout.TextPixels();
        lf.lfCharSet = DEFAULT_CHARSET;
        ::lstrcpynW(lf.lfFaceName, L"宋体", LF_FACESIZE);
        HFONT hFont = ::CreateFontIndirectW(&lf);
        HGDIOBJ hOld = ::SelectObject(hdc, hFont);
        for (const wchar_t* text : kTipTexts) {
            RECT rc = { 0, 0, layout.TipSize().cx, 0 };
            ::DrawTextW(hdc, text, -1, &rc, DT_CALCRECT | DT_WORDBREAK | DT_LEFT | DT_TOP);
            EXPECT_LE(rc.right, layout.TipSize().cx) << text;
            EXPECT_LE(rc.bottom, layout.TextBottom() - layout.TextTop()) << text;
        }
        ::SelectObject(hdc, hOld);
        ::DeleteObject(hFont);
    }
    ::DeleteDC(hdc);
}

TEST(SnapTipAt144Dpi, TheObjectPickTipOpensInTheLargerLayoutWithEveryLineDrawn)
{
    HDC hScreen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(hScreen, LOGPIXELSY);
    ::ReleaseDC(nullptr, hScreen);
    ASSERT_EQ(144, dpi) << "run in a session at 144 DPI (WINE_DPI=144)";
    const int S = ::GetSystemMetrics(SM_CXSCREEN), H = ::GetSystemMetrics(SM_CYSCREEN);

    ::SetCursorPos(S / 2, H / 2);
    CDlgSnapObjHelper dlg;
    CTesLocalResource scope;
    guitest::ModalWatchdog watchdog(20000);
    std::vector<bool> rows;
    guitest::TimedAction action(
        100, [&] { return dlg.m_hWnd != nullptr && ::IsWindowVisible(dlg.m_hWnd) != FALSE; },
        [&] {
            CRect rcTip;
            ::GetWindowRect(dlg.m_hWnd, &rcTip);
            EXPECT_EQ(CRect(S - 345, H - 395, S - 15, H - 15), rcTip);
            HWND hTip = ::GetDlgItem(dlg.m_hWnd, IDC_SNAP_TIP);
            dlg.DrawTipWindow();
            MessagePump::PumpFor(200);
            rows = InkedRows(hTip);
            ::PostMessageW(dlg.m_hWnd, WM_COMMAND, IDCANCEL, 0);
        });
    dlg.DoModal();
    ASSERT_FALSE(watchdog.Fired());
    ASSERT_EQ(380u, rows.size());

    // Three runs of inked rows in the band (45 to 120), none touching its
    // bottom, where a line cut short would end; nothing outside it.
    int runs = 0;
    for (size_t y = 0; y < rows.size(); ++y) {
        if (!rows[y])
            continue;
        EXPECT_TRUE(y >= 45 && y < 119) << "ink in row " << y;
        runs += y == 0 || !rows[y - 1] ? 1 : 0;
    }
    EXPECT_EQ(3, runs);
}
