// The tip control and the object-pick tip dialog on the virtual screen: the
// magnifier's pixels (live and frozen) against a plain reference, the
// cross-hair at the screen's edges, corner jumping, the text band, the caret,
// and the dialog's placement, coordinate text and foreground hand-over.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "CDlgSnapObjHelper.h"
#include "CQualifyingWindows.h"
#include "CSnapTipEdit.h"
#include "CTesLocalResource.h"
#include "MessagePump.h"
#include "PatternWindow.h"
#include "ScreenReader.h"
#include "TimedAction.h"
#include "TopLevelWindows.h"

using guitest::MessagePump;
using guitest::PatternWindow;
using guitest::ScreenReader;

namespace {

const int S = 1920, H = 1080;   // the virtual screen of the test session

// Client pixels of hWnd as they are on the screen, rows top first.
TestImage ClientPixels(HWND hWnd)
{
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    ::MapWindowPoints(hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return ScreenReader::Rect(rc);
}

std::string Hex(COLORREF c)
{
    char text[16];
    snprintf(text, sizeof(text), "0x%06lx", static_cast<unsigned long>(c));
    return text;
}

int Distance(COLORREF a, COLORREF b)
{
    int d = 0;
    for (int shift = 0; shift < 24; shift += 8)
        d = std::max(d, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    return d;
}

// Pure green over c at constant alpha 127.
COLORREF Green(COLORREF c)
{
    auto mix = [](int over, int under) { return (over * 127 + under * 128 + 127) / 255; };
    return RGB(mix(0, GetRValue(c)), mix(255, GetGValue(c)), mix(0, GetBValue(c)));
}

// What the tip's client pixel (x, y) in the magnifier should be with the
// cursor at `cursor`, the picture read from source(screen x, y) (black
// outside the screen): the rule written out plainly.
COLORREF Expected(int x, int y, POINT cursor, const std::function<COLORREF(int, int)>& source)
{
    const int sx = std::min(std::max(cursor.x - 20, 0L), static_cast<LONG>(S));
    const int sy = std::min(std::max(cursor.y - 15, 0L), static_cast<LONG>(H));
    COLORREF c = source(sx + (x - 10) / 5, sy + (y - 90) / 5);
    const int mx = 5 * (cursor.x - sx) + 9, ly = 80 + 5 * (cursor.y - sy + 2);
    const bool inBarX = x >= mx && x <= mx + 6, inBarY = y >= ly - 1 && y <= ly + 5;
    if ((inBarX && (y == ly - 1 || y == ly + 5)) || (inBarY && (x == mx || x == mx + 6)))
        return RGB(0, 0, 0);
    return inBarY ? Green(inBarX ? Green(c) : c) : (inBarX ? Green(c) : c);
}

// The magnifier area of the tip hWnd against Expected; the first difference.
::testing::AssertionResult MagnifierShows(HWND hWnd, POINT cursor, const std::function<COLORREF(int, int)>& source)
{
    const TestImage pixels = ClientPixels(hWnd);
    for (int y = 90; y < 240; ++y)
        for (int x = 10; x < 210; ++x) {
            const COLORREF want = Expected(x, y, cursor, source), got = pixels.Color(x, y);
            if (Distance(want, got) > 2)
                return ::testing::AssertionFailure() << "tip pixel (" << x << ", " << y << ") is " << Hex(got)
                                                     << ", expected " << Hex(want);
        }
    return ::testing::AssertionSuccess();
}

// The part of the screen the live magnifier reads (cursor - (20, 15), 40 x 30,
// clamped to the screen).
std::function<COLORREF(int, int)> ScreenAround(POINT cursor)
{
    const LONG sx = std::max(cursor.x - 20, 0L), sy = std::max(cursor.y - 15, 0L);
    const RECT rc = { sx, sy, std::min(sx + 40, LONG(S)), std::min(sy + 30, LONG(H)) };
    auto pixels = std::make_shared<TestImage>(ScreenReader::Rect(rc));
    return [rc, pixels](int x, int y) {
        if (x >= rc.right || y >= rc.bottom)
            return COLORREF(0);
        return pixels->Color(x - rc.left, y - rc.top);
    };
}

// Paints wnd anew with the cursor at `cursor` and lets the thread go idle, so
// that the new pixels are on the screen before anyone reads them: Wine keeps a
// window's drawing in the window's own surface and copies it to the screen
// when a thread finds its message queue empty; before that only by timing (at the end
// of a paint when the process has not idled for 50 ms, or during a drawing
// call once earlier changes have waited 50 ms). Read right after the paint,
// the screen may still show an earlier state of the window, or one copied
// halfway through the paint.
void Repaint(CWnd& wnd, POINT cursor)
{
    ::SetCursorPos(cursor.x, cursor.y);
    wnd.Invalidate(TRUE);
    wnd.UpdateWindow();
    MessagePump::PumpPending();
}

// Pattern windows at the top-left and bottom-right corners of the screen and
// in its middle, painted.
struct Patterns
{
    Patterns()
    {
        const RECT rects[] = { { 0, 0, 60, 100 }, { 560, 400, 860, 600 }, { S - 60, H - 100, S, H } };
        for (const RECT& rc : rects) {
            windows.push_back(std::make_unique<PatternWindow>());
            windows.back()->Create(L"", rc);
        }
        ready = MessagePump::PumpUntil(
            [] { return ScreenReader::Pixel(S - 1, H - 1) == PatternWindow::ExpectedColor(59, 99, 60, 100); }, 3000);
    }
    std::vector<std::unique_ptr<PatternWindow>> windows;
    bool ready;
};

// A tip control in a borderless topmost parent at screen rectangle rcParent.
struct TipHost
{
    TipHost(const RECT& rcParent, const RECT& rcTip)
    {
        parent.CreateEx(WS_EX_TOPMOST, nullptr, L"", WS_POPUP | WS_VISIBLE, rcParent, nullptr, 0);
        tip.CreateEx(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, rcTip, &parent, IDC_SNAP_TIP);
    }
    CWnd parent;
    CSnapTipEdit tip;
};

CRect TipRect(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

} // namespace

TEST(SnapTipEdit, LiveMagnifierEnlargesTheScreenFiveTimesWithTheCrossHairOnTheCursorPixel)
{
    Patterns patterns;
    ASSERT_TRUE(patterns.ready);
    TipHost host({ 1000, 100, 1220, 353 }, { 0, 0, 220, 253 });
    host.tip.SetSourceWnd(CWnd::GetDesktopWindow(), 1);
    // The cross-hair's centre (client coordinates) shows the cursor pixel.
    const struct { POINT cursor; POINT centre; } cases[] = {
        { { 0, 0 }, { 12, 92 } }, { { 3, 2 }, { 27, 102 } }, { { 620, 450 }, { 112, 167 } }, { { S - 1, H - 1 }, { 112, 167 } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "cursor " << c.cursor.x << ", " << c.cursor.y);
        const auto screen = ScreenAround(c.cursor);
        Repaint(host.tip, c.cursor);
        EXPECT_TRUE(MagnifierShows(host.tip, c.cursor, screen));
        const COLORREF centre = ClientPixels(host.tip).Color(c.centre.x, c.centre.y);
        EXPECT_LE(Distance(Green(Green(ScreenReader::Pixel(c.cursor.x, c.cursor.y))), centre), 2);
    }
}

TEST(SnapTipEdit, FrozenMagnifierWaitsForTheClipboardAndKeepsItsOwnPictureAfterItIsEmptied)
{
    TipHost host({ 1000, 100, 1220, 353 }, { 0, 0, 220, 253 });
    // A screen-sized picture in which every pixel differs from its neighbours.
    auto frozen = [](int x, int y) { return static_cast<COLORREF>(RGB(x * 7, y * 11, (x + y) * 3)); };
    std::vector<DWORD> bits(static_cast<size_t>(S) * H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < S; ++x)
            bits[y * S + x] = (GetRValue(frozen(x, y)) << 16) | (GetGValue(frozen(x, y)) << 8) | GetBValue(frozen(x, y));
    BITMAPINFO bmi = {};
    bmi.bmiHeader = { sizeof(BITMAPINFOHEADER), S, -H, 1, 32, BI_RGB, 0, 0, 0, 0, 0 };
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hPicture = ::CreateDIBitmap(hScreen, &bmi.bmiHeader, CBM_INIT, bits.data(), &bmi, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, hScreen);
    ASSERT_TRUE(::OpenClipboard(host.parent));
    ::EmptyClipboard();
    ::SetClipboardData(CF_BITMAP, hPicture);
    HANDLE hClipboardPicture = ::GetClipboardData(CF_BITMAP);
    ::CloseClipboard();
    ASSERT_NE(nullptr, hClipboardPicture);

    // A clipboard watcher is still reading the picture when the tip asks.
    std::atomic<int> watcherState(0);   // 1: holding the clipboard
    std::thread watcher([&watcherState, hOwner = host.parent.m_hWnd] {
        const BOOL bOpen = ::OpenClipboard(hOwner);
        watcherState = 1;
        ::Sleep(100);
        if (bOpen)
            ::CloseClipboard();
    });
    while (watcherState == 0)
        ::Sleep(1);
    host.tip.SetSourceWnd(CWnd::GetDesktopWindow(), 0);
    watcher.join();
    // Someone else empties the clipboard: its bitmap is gone.
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    ::CloseClipboard();
    EXPECT_EQ(0u, ::GetObjectType(hClipboardPicture));

    auto onScreen = [&](int x, int y) { return x < S && y < H ? frozen(x, y) : COLORREF(0); };
    for (POINT cursor : { POINT{ 0, 0 }, POINT{ 700, 500 }, POINT{ S - 1, H - 1 } }) {
        SCOPED_TRACE(testing::Message() << "cursor " << cursor.x << ", " << cursor.y);
        Repaint(host.tip, cursor);
        EXPECT_TRUE(MagnifierShows(host.tip, cursor, onScreen));
    }
}

TEST(SnapTipEdit, JumpsToTheOtherCornerWhenTheCursorComesNear)
{
    TipHost host({ 0, 0, S, 300 }, { 10, 10, 230, 263 });
    const struct { int atTopLeft; POINT cursor; int left; } cases[] = {
        { 1, { 229, 262 }, S - 230 }, { 1, { 230, 100 }, 10 }, { 1, { 100, 263 }, 10 },
        { 0, { S - 230, 0 }, 10 }, { 0, { S - 231, 50 }, S - 230 }, { 0, { S - 1, 262 }, 10 }, { 0, { S - 1, 263 }, S - 230 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "cursor " << c.cursor.x << ", " << c.cursor.y);
        host.tip.SetAtTopLeft(c.atTopLeft);
        host.tip.MoveWindow(c.atTopLeft ? 10 : S - 230, 10, 220, 253);
        ::SetCursorPos(c.cursor.x, c.cursor.y);
        host.tip.SendMessage(WM_MOUSEMOVE, 0, 0);
        EXPECT_EQ(CRect(c.left, 10, c.left + 220, 263), TipRect(host.tip));
        EXPECT_EQ(c.left == 10 ? 1 : 0, host.tip.GetAtTopLeft());
    }
}

TEST(SnapTipEdit, DrawsTheBackgroundUnscaledAndTheTextOnlyInItsBand)
{
    TipHost host({ 1000, 100, 1220, 353 }, { 0, 0, 220, 253 });
    CBitmap background;
    ASSERT_TRUE(background.LoadBitmap(IDB_SNAP_TIP_BACKGROUND));
    host.tip.SetWindowText(L"one\r\ntwo\r\nthree\r\nfour\r\nfive\r\nsix\r\nseven\r\neight");
    Repaint(host.tip, { 5, 5 });
    const TestImage pixels = ClientPixels(host.tip);
    HDC hMem = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hMem, background);
    int inked = 0, stray = 0;
    for (int y = 0; y < 253; ++y)
        for (int x = 0; x < 220; ++x) {
            const bool differs = ::GetPixel(hMem, x, y) != pixels.Color(x, y);
            (y >= 30 && y < 80 ? inked : stray) += differs ? 1 : 0;
        }
    // The frame's outer corners sit just outside the magnifier.
    EXPECT_EQ(RGB(0, 0, 0), ::GetPixel(hMem, 9, 89) | ::GetPixel(hMem, 210, 240));
    EXPECT_NE(RGB(0, 0, 0), ::GetPixel(hMem, 10, 90));
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    EXPECT_GT(inked, 50);
    EXPECT_EQ(0, stray);
}

// Watches the focus window's caret on the screen for over two blink periods;
// true when it ever changed.
bool CaretBlinks()
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    if (!::GetGUIThreadInfo(::GetCurrentThreadId(), &info) || info.hwndCaret == nullptr)
        return false;
    RECT rc = info.rcCaret;
    ::MapWindowPoints(info.hwndCaret, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    const TestImage first = ScreenReader::Rect(rc);
    return MessagePump::PumpUntil([&] { return ScreenReader::Rect(rc) != first; }, 1500);
}

TEST(SnapTipEdit, NeverShowsACaret)
{
    TipHost host({ 1000, 100, 1220, 353 }, { 0, 0, 220, 150 });
    CWnd plain;
    ASSERT_TRUE(plain.CreateEx(0, L"EDIT", L"x", WS_CHILD | WS_VISIBLE, { 0, 160, 220, 190 }, &host.parent, 1));
    ::SetForegroundWindow(host.parent);
    plain.SetFocus();
    EXPECT_TRUE(CaretBlinks());   // the probe sees an ordinary edit's caret
    host.tip.SetFocus();
    EXPECT_FALSE(CaretBlinks());
}

namespace {

// Runs the tip dialog modally as the capture engine does; drive runs once it
// is on the screen and must end it.
void RunTip(CDlgSnapObjHelper& dlg, const std::function<void(HWND hDlg, HWND hTip)>& drive)
{
    CTesLocalResource scope;
    guitest::ModalWatchdog watchdog(20000);
    guitest::TimedAction action(
        100, [&] { return dlg.m_hWnd != nullptr && ::IsWindowVisible(dlg.m_hWnd) != FALSE; },
        [&] { drive(dlg.m_hWnd, ::GetDlgItem(dlg.m_hWnd, IDC_SNAP_TIP)); });
    dlg.DoModal();
    EXPECT_TRUE(action.HasRun());
    EXPECT_FALSE(watchdog.Fired());
}

} // namespace

TEST(DlgSnapObjHelper, OpensTopmostAtTheBottomRightWithTheCoordinatesAndALiveMagnifier)
{
    Patterns patterns;
    ASSERT_TRUE(patterns.ready);
    CDlgSnapObjHelper dlg;
    EXPECT_EQ(216, dlg.m_nTipHeight);
    RunTip(dlg, [&](HWND hDlg, HWND hTip) {
        EXPECT_EQ(CRect(S - 230, H - 263, S - 10, H - 10), TipRect(hDlg));
        EXPECT_EQ(CRect(S - 230, H - 263, S - 10, H - 10), TipRect(hTip));
        EXPECT_NE(0, ::GetWindowLongW(hDlg, GWL_EXSTYLE) & WS_EX_TOPMOST);
        const struct { POINT cursor; const wchar_t* firstLine; } cases[] = {
            { { 0, 0 }, L"·坐标(X:0, Y:0)\r\n" }, { { 620, 450 }, L"·坐标(X:620, Y:450)\r\n" },
        };
        for (const auto& c : cases) {
            ::SetCursorPos(c.cursor.x, c.cursor.y);
            const auto screen = ScreenAround(c.cursor);
            ::SendMessageW(hDlg, WM_MOUSEMOVE, 0, 0);
            MessagePump::PumpUntil([&] { return static_cast<bool>(MagnifierShows(hTip, c.cursor, screen)); }, 3000);
            wchar_t text[128] = {};
            ::GetWindowTextW(hTip, text, 128);
            EXPECT_EQ(CString(c.firstLine) + L"·左键点击截取图像\r\n·点击右键退出", CString(text));
            EXPECT_TRUE(MagnifierShows(hTip, c.cursor, screen));
            DWORD start = 1, end = 1;
            ::SendMessageW(hTip, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
            EXPECT_EQ(0u, start + end);   // no text selected
        }
        ::PostMessageW(hDlg, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(253, dlg.m_nTipHeight);
    EXPECT_EQ(220, dlg.m_nTipWidth);
}

TEST(DlgSnapObjHelper, FirstMoveOfEachOpeningGivesTheForegroundToTheFrontMostWindow)
{
    seltest::TopLevelWindows windows;
    HWND hFront = windows.AddPlain(L"测试窗口 前");
    ASSERT_NE(nullptr, hFront);
    CDlgSnapObjHelper dlg;
    for (int opening = 0; opening < 2; ++opening) {
        RunTip(dlg, [&](HWND hDlg, HWND) {
            CQualifyingWindows qualifying;
            ASSERT_GT(qualifying.Enumerate(), 0);
            ASSERT_EQ(hFront, qualifying.GetWindow(0));
            ::SetForegroundWindow(hDlg);
            ::SendMessageW(hDlg, WM_MOUSEMOVE, 0, 0);
            EXPECT_EQ(hFront, ::GetForegroundWindow());
            // Later moves leave the foreground alone.
            ::SetForegroundWindow(hDlg);
            ::SendMessageW(hDlg, WM_MOUSEMOVE, 0, 0);
            EXPECT_EQ(hDlg, ::GetForegroundWindow());
            ::PostMessageW(hDlg, WM_COMMAND, IDCANCEL, 0);
        });
    }
}
