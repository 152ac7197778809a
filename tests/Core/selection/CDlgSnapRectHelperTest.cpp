// The region selection overlay driven like a user would: real drags, presses
// and keys (SendInput from a second thread while the overlay's modal loop
// runs), with the tip text, the information box's pixels and the clipboard
// checked. The screen behind it is one known colour with a marker block.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "CClientDC.h"
#include "CDlgSnapRectHelper.h"
#include "CFont.h"
#include "CPaintDC.h"
#include "CTesLocalResource.h"
#include "InputSender.h"
#include "MessagePump.h"
#include "ScreenReader.h"
#include "TimedAction.h"

using guitest::InputSender;
using guitest::ScreenReader;

namespace {

const COLORREF kBackground = RGB(10, 20, 30);
const RECT kMarker = { 1500, 800, 1700, 900 };
const COLORREF kMarkerColor = RGB(200, 100, 50);
const COLORREF kInfoGrey = RGB(0x93, 0x93, 0x93);

const std::wstring kTipWaiting = L"·按下鼠标左键选择截取范围\r\n·按ESC键放弃";
const std::wstring kTipDragging = L"·松开鼠标左键确定截取范围\r\n·按ESC键放弃";

// A topmost popup over the whole screen: kBackground with the marker block.
class BackgroundWindow : public CWnd
{
protected:
    DECLARE_MESSAGE_MAP()
    void OnPaint()
    {
        CPaintDC dc(this);
        CRect rc;
        GetClientRect(&rc);
        dc.FillSolidRect(&rc, kBackground);
        dc.FillSolidRect(&kMarker, kMarkerColor);
    }
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
};

BEGIN_MESSAGE_MAP(BackgroundWindow, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

// The overlay of GUI thread nThread: its visible window that covers the screen.
HWND FindOverlay(DWORD nThread)
{
    struct Search { HWND hFound; } search = { nullptr };
    EnumThreadWindows(
        nThread,
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            RECT rc = {};
            GetWindowRect(hWnd, &rc);
            if (IsWindowVisible(hWnd) && rc.left == 0 && rc.top == 0 && rc.right == ScreenWidth() &&
                rc.bottom == ScreenHeight() && GetDlgItem(hWnd, IDC_SNAP_RECT_TIP) != nullptr) {
                reinterpret_cast<Search*>(lParam)->hFound = hWnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

// Polls cond every 20 ms for up to timeoutMs (on the input thread).
bool Poll(const std::function<bool()>& cond, DWORD timeoutMs = 4000)
{
    const DWORD start = GetTickCount();
    while (!cond()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

std::wstring TipText(HWND hOverlay)
{
    wchar_t text[256] = {};
    GetWindowTextW(GetDlgItem(hOverlay, IDC_SNAP_RECT_TIP), text, 256);
    return text;
}

bool TipEndsWith(HWND hOverlay, const std::wstring& tail)
{
    const std::wstring text = TipText(hOverlay);
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

void MoveInSteps(int x0, int y0, int x1, int y1)
{
    for (int i = 1; i <= 4; ++i) {
        InputSender::MoveTo(x0 + (x1 - x0) * i / 4, y0 + (y1 - y0) * i / 4);
        Sleep(30);
    }
}

// Presses at (x0, y0) and drags to (x1, y1), keeping the button down.
void PressAndDrag(int x0, int y0, int x1, int y1)
{
    InputSender::MoveTo(x0, y0);
    Sleep(50);
    InputSender::Button(MOUSEEVENTF_LEFTDOWN);
    Sleep(50);
    MoveInSteps(x0, y0, x1, y1);
}

struct Outcome
{
    INT_PTR nResult;
    BOOL bSelected;
    CRect rect;
};

// Runs an overlay inside TesLib's resource scope, as the capture engine does,
// while script drives it from a second thread once it is on the screen. The
// script leaves the buttons up; should it fail to close the overlay, a safety
// action cancels it.
Outcome RunOverlay(const std::function<void(HWND)>& script)
{
    CTesLocalResource scope;
    const DWORD nGuiThread = GetCurrentThreadId();
    guitest::TimedAction safety(25000, [nGuiThread] {
        HWND hOverlay = FindOverlay(nGuiThread);
        if (hOverlay != nullptr)
            PostMessageW(hOverlay, WM_COMMAND, IDCANCEL, 0);
    });
    Outcome outcome = {};
    {
        CDlgSnapRectHelper dlg;
        std::thread input([&script, nGuiThread] {
            HWND hOverlay = nullptr;
            EXPECT_TRUE(Poll([&] { return (hOverlay = FindOverlay(nGuiThread)) != nullptr; }));
            if (hOverlay != nullptr)
                script(hOverlay);
        });
        outcome.nResult = dlg.DoModal();
        input.join();
        outcome.bSelected = dlg.GetSelectedRect(outcome.rect);
    }
    EXPECT_FALSE(safety.HasRun());
    return outcome;
}

// Ends an overlay that waits for the press.
void PressEsc(HWND hOverlay)
{
    EXPECT_TRUE(Poll([&] { return TipEndsWith(hOverlay, kTipWaiting); }));
    InputSender::Key(VK_ESCAPE);
}

// The clipboard's bitmap as COLORREFs (rows top first); empty when none.
std::vector<COLORREF> ClipboardPixels(SIZE& size)
{
    std::vector<COLORREF> pixels;
    size = SIZE{ 0, 0 };
    if (!OpenClipboard(nullptr))
        return pixels;
    HBITMAP hBitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    BITMAP bm = {};
    if (hBitmap != nullptr && GetObjectW(hBitmap, sizeof(bm), &bm) == sizeof(bm)) {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = bm.bmWidth;
        bi.bmiHeader.biHeight = -bm.bmHeight;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        std::vector<RGBQUAD> quads(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
        HDC hdc = GetDC(nullptr);
        if (GetDIBits(hdc, hBitmap, 0, bm.bmHeight, quads.data(), &bi, DIB_RGB_COLORS) == bm.bmHeight) {
            size = SIZE{ bm.bmWidth, bm.bmHeight };
            for (const RGBQUAD& q : quads)
                pixels.push_back(RGB(q.rgbRed, q.rgbGreen, q.rgbBlue));
        }
        ReleaseDC(nullptr, hdc);
    }
    CloseClipboard();
    return pixels;
}

bool PutTextOnClipboard(const wchar_t* text)
{
    if (!OpenClipboard(nullptr))
        return false;
    EmptyClipboard();
    const size_t nBytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL hMem = GlobalAlloc(GMEM_MOVEABLE, nBytes);
    memcpy(GlobalLock(hMem), text, nBytes);
    GlobalUnlock(hMem);
    const bool bSet = SetClipboardData(CF_UNICODETEXT, hMem) != nullptr;
    if (!bSet)
        GlobalFree(hMem);
    CloseClipboard();
    return bSet;
}

std::wstring ClipboardText()
{
    std::wstring text;
    if (!OpenClipboard(nullptr))
        return text;
    HGLOBAL hMem = GetClipboardData(CF_UNICODETEXT);
    if (hMem != nullptr) {
        text = static_cast<const wchar_t*>(GlobalLock(hMem));
        GlobalUnlock(hMem);
    }
    CloseClipboard();
    return text;
}

// Width of "顶点位置  " and line height of the information box's font.
void InfoFontMetrics(int& nBoxWidth, int& nLineHeight)
{
    CFont font;
    CClientDC dc(nullptr);
    ASSERT_TRUE(font.CreatePointFont(90, L"宋体", &dc));
    dc.SelectObject(&font);
    TEXTMETRIC tm = {};
    dc.GetTextMetrics(&tm);
    nLineHeight = tm.tmHeight + tm.tmExternalLeading;
    nBoxWidth = dc.GetTextExtent(CString(L"顶点位置  ")).cx;
}

class OverlayTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_pBackground = new BackgroundWindow;
        const CRect rc(0, 0, ScreenWidth(), ScreenHeight());
        s_pBackground->CreateEx(WS_EX_TOPMOST | WS_EX_NOACTIVATE, nullptr, L"", WS_POPUP, rc, nullptr, 0);
        s_pBackground->ShowWindow(SW_SHOWNOACTIVATE);
        s_pBackground->UpdateWindow();
        guitest::MessagePump::PumpFor(300);
    }
    static void TearDownTestSuite()
    {
        delete s_pBackground;
        s_pBackground = nullptr;
    }
    void SetUp() override
    {
        ASSERT_EQ(kBackground, ScreenReader::Pixel(700, 500));
    }

    static BackgroundWindow* s_pBackground;
};

BackgroundWindow* OverlayTest::s_pBackground = nullptr;

TEST_F(OverlayTest, EscBeforeThePressSelectsNothing)
{
    const Outcome outcome = RunOverlay(PressEsc);
    EXPECT_EQ(IDCANCEL, outcome.nResult);
    EXPECT_FALSE(outcome.bSelected);
    EXPECT_EQ(CRect(0, 0, 0, 0), outcome.rect);
}

TEST_F(OverlayTest, ADragSelectsTheBandWithItsFrameInEitherDirection)
{
    const struct
    {
        POINT from, to;
    } drags[] = {
        { { 100, 100 }, { 200, 150 } },
        { { 200, 150 }, { 100, 100 } },
    };
    for (const auto& drag : drags) {
        const Outcome outcome = RunOverlay([&drag](HWND) {
            PressAndDrag(drag.from.x, drag.from.y, drag.to.x, drag.to.y);
            InputSender::Button(MOUSEEVENTF_LEFTUP);
        });
        EXPECT_EQ(IDOK, outcome.nResult) << drag.from.x;
        EXPECT_TRUE(outcome.bSelected) << drag.from.x;
        EXPECT_EQ(CRect(99, 99, 201, 151), outcome.rect) << drag.from.x;
    }
}

TEST_F(OverlayTest, EscDuringADragCancelsOnlyTheDragAndAPressWithoutMovingKeepsItOpen)
{
    const Outcome outcome = RunOverlay([](HWND hOverlay) {
        PressAndDrag(300, 300, 400, 380);
        EXPECT_TRUE(Poll([&] { return TipEndsWith(hOverlay, kTipDragging); }));
        InputSender::Key(VK_ESCAPE);
        Sleep(200);
        InputSender::Button(MOUSEEVENTF_LEFTUP);
        MoveInSteps(400, 380, 420, 390);
        EXPECT_TRUE(Poll([&] { return TipEndsWith(hOverlay, kTipWaiting); }));
        EXPECT_TRUE(IsWindowVisible(hOverlay));

        // A press and release on the spot.
        InputSender::MoveTo(500, 500);
        Sleep(50);
        InputSender::Button(MOUSEEVENTF_LEFTDOWN);
        Sleep(100);
        InputSender::Button(MOUSEEVENTF_LEFTUP);
        Sleep(300);
        InputSender::MoveTo(510, 505);
        EXPECT_TRUE(Poll([&] { return TipEndsWith(hOverlay, kTipWaiting); }));
        EXPECT_TRUE(IsWindowVisible(hOverlay));

        PressEsc(hOverlay);
    });
    EXPECT_EQ(IDCANCEL, outcome.nResult);
    EXPECT_FALSE(outcome.bSelected);
}

TEST_F(OverlayTest, TheTipNamesTheColourUnderTheCursorRedGreenBlue)
{
    std::wstring text;
    RunOverlay([&text](HWND hOverlay) {
        InputSender::MoveTo(700, 500);
        const std::wstring expected = L"·像素RGB(10,20,30)\r\n" + kTipWaiting;
        Poll([&] { return (text = TipText(hOverlay)) == expected; });
        PressEsc(hOverlay);
    });
    EXPECT_EQ(L"·像素RGB(10,20,30)\r\n" + kTipWaiting, text);
}

// The information box beside the cursor while dragging: below and to the
// right near the top-left corner, above and to the left at the right edge.
// Its grey frame is found at the corners the placement gives, and its Chinese
// labels are drawn as glyphs: two different labels leave different ink (empty
// boxes for missing glyphs would look alike).
TEST_F(OverlayTest, TheInformationBoxStaysOnTheScreenAndShowsItsLabels)
{
    int bw = 0;
    int lh = 0;
    InfoFontMetrics(bw, lh);
    ASSERT_GT(bw, 0);
    ASSERT_GT(lh, 0);
    const int cx = ScreenWidth();
    // Each band is one pixel line, so that neither the band's frame nor its
    // handles cover the box.
    const struct
    {
        POINT press, cursor;
        bool right, below;
    } cases[] = {
        { { 300, 5 }, { 5, 5 }, true, true },
        { { cx - 5, 700 }, { cx - 5, 540 }, false, false },
    };
    struct Seen
    {
        CRect box;
        bool corners[4];
        bool outsideClear;
        int ink0, ink2;
        bool labelsDiffer;
    };
    std::vector<Seen> seen;
    RunOverlay([&](HWND hOverlay) {
        for (const auto& c : cases) {
            Seen s = {};
            const int x = c.cursor.x;
            const int y = c.cursor.y;
            s.box = c.right ? CRect(x + 3, 0, x + bw + 3, 0) : CRect(x - bw - 3, 0, x - 3, 0);
            s.box.top = c.below ? y + 3 : y - 6 * lh - 3;
            s.box.bottom = c.below ? y + 6 * lh + 3 : y - 3;
            PressAndDrag(c.press.x, c.press.y, x, y);
            const POINT corners[4] = { { s.box.left, s.box.top }, { s.box.right - 1, s.box.top },
                                       { s.box.left, s.box.bottom - 1 }, { s.box.right - 1, s.box.bottom - 1 } };
            Poll([&] { return ScreenReader::Pixel(corners[3].x, corners[3].y) == kInfoGrey; });
            Sleep(100);
            for (int i = 0; i < 4; ++i)
                s.corners[i] = ScreenReader::Pixel(corners[i].x, corners[i].y) == kInfoGrey;
            s.outsideClear = ScreenReader::Pixel(s.box.left - 1, s.box.top) != kInfoGrey &&
                             ScreenReader::Pixel(s.box.right, s.box.bottom - 1) != kInfoGrey;
            // Label lines 0 (" 顶点位置 ") and 2 (" 矩形大小 ") inside the frame.
            std::vector<COLORREF> lines[2];
            for (int k = 0; k < 2; ++k) {
                const int top = s.box.top + 2 + 2 * k * lh;
                lines[k] = ScreenReader::Rect(CRect(s.box.left + 1, top, s.box.right - 1, top + lh));
            }
            s.ink0 = s.ink2 = 0;
            for (size_t i = 0; i < lines[0].size() && i < lines[1].size(); ++i) {
                s.ink0 += lines[0][i] != kBackground;
                s.ink2 += lines[1][i] != kBackground;
            }
            s.labelsDiffer = lines[0] != lines[1];
            seen.push_back(s);

            InputSender::Key(VK_ESCAPE);
            Sleep(200);
            InputSender::Button(MOUSEEVENTF_LEFTUP);
            Sleep(100);
            InputSender::MoveTo(700, 500);
        }
        PressEsc(hOverlay);
    });
    ASSERT_EQ(2u, seen.size());
    for (size_t i = 0; i < seen.size(); ++i) {
        for (int k = 0; k < 4; ++k)
            EXPECT_TRUE(seen[i].corners[k]) << "case " << i << " corner " << k;
        EXPECT_TRUE(seen[i].outsideClear) << "case " << i;
        EXPECT_GT(seen[i].ink0, 10) << "case " << i;
        EXPECT_GT(seen[i].ink2, 10) << "case " << i;
        EXPECT_TRUE(seen[i].labelsDiffer) << "case " << i;
    }
}

// The clipboard receives the frozen screen and owns it: the picture is still
// readable after the overlay object is gone.
TEST_F(OverlayTest, TheClipboardKeepsTheFrozenScreenAfterTheOverlayCloses)
{
    ASSERT_TRUE(PutTextOnClipboard(L"旧内容"));
    RunOverlay(PressEsc);
    SIZE size = {};
    const std::vector<COLORREF> pixels = ClipboardPixels(size);
    ASSERT_EQ(ScreenWidth(), size.cx);
    ASSERT_EQ(ScreenHeight(), size.cy);
    EXPECT_EQ(kBackground, pixels[5 * size.cx + 5]);
    EXPECT_EQ(kMarkerColor, pixels[850 * size.cx + 1600]);
    EXPECT_EQ(kBackground, pixels[(size.cy - 1) * size.cx + size.cx - 1]);
}

// While someone else holds the clipboard open, the overlay still opens and
// works, and the clipboard is left as it was.
TEST_F(OverlayTest, ABusyClipboardIsLeftAsItWas)
{
    ASSERT_TRUE(PutTextOnClipboard(L"旧内容"));
    HANDLE hOpened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE hRelease = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([hOpened, hRelease] {
        const BOOL bOpen = OpenClipboard(nullptr);
        SetEvent(hOpened);
        WaitForSingleObject(hRelease, 30000);
        if (bOpen)
            CloseClipboard();
    });
    WaitForSingleObject(hOpened, 5000);
    const Outcome outcome = RunOverlay([](HWND) {
        PressAndDrag(100, 100, 200, 150);
        InputSender::Button(MOUSEEVENTF_LEFTUP);
    });
    SetEvent(hRelease);
    holder.join();
    CloseHandle(hOpened);
    CloseHandle(hRelease);
    EXPECT_EQ(IDOK, outcome.nResult);
    EXPECT_EQ(CRect(99, 99, 201, 151), outcome.rect);
    EXPECT_EQ(L"旧内容", ClipboardText());
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
}

// A second overlay asked for while one is open (a held hot key repeats) ends
// at once with nothing shown, grabbed or selected; the first one carries on,
// and the next one opens normally.
TEST_F(OverlayTest, ASecondOverlayDoesNotOpenWhileOneIsOpen)
{
    INT_PTR nSecondResult = -1;
    BOOL bSecondSelected = TRUE;
    DWORD nSequenceBefore = 0;
    DWORD nSequenceAfter = 1;
    bool bOverlayFound = false;
    guitest::TimedAction second(2500, [&] {
        bOverlayFound = FindOverlay(GetCurrentThreadId()) != nullptr;
        nSequenceBefore = GetClipboardSequenceNumber();
        CDlgSnapRectHelper dlg;
        nSecondResult = dlg.DoModal();
        CRect rect;
        bSecondSelected = dlg.GetSelectedRect(rect);
        nSequenceAfter = GetClipboardSequenceNumber();
    });
    const Outcome first = RunOverlay([&second](HWND hOverlay) {
        EXPECT_TRUE(Poll([&] { return second.HasRun(); }, 8000));
        Sleep(100);
        EXPECT_TRUE(IsWindowVisible(hOverlay));
        PressAndDrag(100, 100, 200, 150);
        InputSender::Button(MOUSEEVENTF_LEFTUP);
    });
    EXPECT_TRUE(bOverlayFound);
    EXPECT_EQ(IDCANCEL, nSecondResult);
    EXPECT_FALSE(bSecondSelected);
    EXPECT_EQ(nSequenceBefore, nSequenceAfter);
    EXPECT_EQ(IDOK, first.nResult);
    EXPECT_EQ(CRect(99, 99, 201, 151), first.rect);

    const Outcome next = RunOverlay(PressEsc);
    EXPECT_EQ(IDCANCEL, next.nResult);
}

} // namespace
