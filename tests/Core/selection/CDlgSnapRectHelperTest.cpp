// The region selection overlay driven like a user would: real drags, presses
// and keys (SendInput from a second thread while the overlay's modal loop
// runs), with the tip text, the information box's pixels and the clipboard
// checked. The screen behind it is one known colour with a marker block.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "CBitmap.h"
#include "CClientDC.h"
#include "CDlgSnapRectHelper.h"
#include "CFont.h"
#include "CPaintDC.h"
#include "CTesLocalResource.h"
#include "ImportPatch.h"
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
        dc.FillSolidRect(0, 0, 4000, 4000, kBackground);
        dc.FillSolidRect(&kMarker, kMarkerColor);
    }
};

BEGIN_MESSAGE_MAP(BackgroundWindow, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

const int cxScreen = GetSystemMetrics(SM_CXSCREEN);
const int cyScreen = GetSystemMetrics(SM_CYSCREEN);

// The visible overlay of GUI thread nThread, if any.
HWND FindOverlay(DWORD nThread)
{
    HWND hFound = nullptr;
    EnumThreadWindows(
        nThread,
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            RECT rc = {};
            GetWindowRect(hWnd, &rc);
            if (!IsWindowVisible(hWnd) || rc.right != cxScreen || GetDlgItem(hWnd, IDC_SNAP_RECT_TIP) == nullptr)
                return TRUE;
            *reinterpret_cast<HWND*>(lParam) = hWnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&hFound));
    return hFound;
}

// Polls cond every 20 ms for up to timeoutMs (on the input thread).
bool Poll(const std::function<bool()>& cond, DWORD timeoutMs = 4000)
{
    const DWORD start = GetTickCount();
    while (!cond() && GetTickCount() - start < timeoutMs)
        Sleep(20);
    return cond();
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

// Presses at (x0, y0) and drags to (x1, y1), keeping the button down. The tip
// moves out of the cursor's way when the cursor comes near it, so the cursor
// moves about until the overlay itself is under it.
void PressAndDrag(HWND hOverlay, int x0, int y0, int x1, int y1)
{
    int nWiggle = 0;
    EXPECT_TRUE(Poll([&] {
        InputSender::MoveTo(x0 + (++nWiggle & 1), y0);
        Sleep(20);
        InputSender::MoveTo(x0, y0);
        Sleep(30);
        return WindowFromPoint(POINT{ x0, y0 }) == hOverlay;
    }));
    InputSender::Button(MOUSEEVENTF_LEFTDOWN);
    Sleep(50);
    MoveInSteps(x0, y0, x1, y1);
}

// Esc during a drag, then the button released: only the drag ends.
void CancelDrag()
{
    InputSender::Key(VK_ESCAPE);
    Sleep(200);
    InputSender::Button(MOUSEEVENTF_LEFTUP);
    Sleep(100);
}

struct Outcome
{
    INT_PTR nResult;
    BOOL bSelected;
    CRect rect;
};

// Runs an overlay inside TesLib's resource scope, as the capture engine does,
// while script drives it from a second thread once it is on the screen.
// Should the script fail to close it, a safety action cancels it.
Outcome RunOverlay(const std::function<void(HWND)>& script)
{
    CTesLocalResource scope;
    const DWORD nGuiThread = GetCurrentThreadId();
    guitest::TimedAction safety(25000, [nGuiThread] {
        PostMessageW(FindOverlay(nGuiThread), WM_COMMAND, IDCANCEL, 0);
    });
    Outcome outcome = {};
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
    EXPECT_FALSE(safety.HasRun());
    return outcome;
}

// Ends an overlay that waits for the press.
void PressEsc(HWND hOverlay)
{
    EXPECT_TRUE(Poll([&] { return TipEndsWith(hOverlay, kTipWaiting); }));
    InputSender::Key(VK_ESCAPE);
}

void DragAndRelease(HWND hOverlay)
{
    PressAndDrag(hOverlay, 100, 100, 200, 150);
    InputSender::Button(MOUSEEVENTF_LEFTUP);
}

class OverlayTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_background.CreateEx(WS_EX_TOPMOST | WS_EX_NOACTIVATE, nullptr, L"", WS_POPUP | WS_VISIBLE,
                              CRect(0, 0, cxScreen, cyScreen), nullptr, 0);
        guitest::MessagePump::PumpFor(300);
    }
    static void TearDownTestSuite() { s_background.DestroyWindow(); }
    void SetUp() override { ASSERT_EQ(kBackground, ScreenReader::Pixel(700, 500)); }

    static BackgroundWindow s_background;
};

BackgroundWindow OverlayTest::s_background;

// The tip names the colour under the cursor from the moment the overlay
// opens (the frozen screen's, before the overlay has painted) and after moves.
TEST_F(OverlayTest, TheTipNamesTheColourUnderTheCursorAndEscBeforeThePressSelectsNothing)
{
    InputSender::MoveTo(700, 500);
    guitest::MessagePump::PumpFor(100);
    std::wstring first;
    std::wstring text;
    const Outcome outcome = RunOverlay([&first, &text](HWND hOverlay) {
        first = TipText(hOverlay);
        InputSender::MoveTo(720, 510);
        Poll([&] { return (text = TipText(hOverlay)) == L"·像素RGB(10,20,30)\r\n" + kTipWaiting; });
        PressEsc(hOverlay);
    });
    EXPECT_EQ(L"·像素RGB(10,20,30)\r\n" + kTipWaiting, first);
    EXPECT_EQ(L"·像素RGB(10,20,30)\r\n" + kTipWaiting, text);
    EXPECT_EQ(IDCANCEL, outcome.nResult);
    EXPECT_FALSE(outcome.bSelected);
    EXPECT_EQ(CRect(0, 0, 0, 0), outcome.rect);
}

// The magnifier follows the cursor over one colour, where the tip's text stays
// the same: a step towards the marker brings the marker into the view. The
// tip sits at (10, 10); its magnifier's column 160, row 10 shows the source
// pixel 32 columns right of the view's left edge (cursor x - 20).
TEST_F(OverlayTest, TheMagnifierFollowsTheCursorWhereTheColourStaysTheSame)
{
    const int xView = 10 + 10 + 160;
    const int yView = 10 + 90 + 10;
    COLORREF before = 0;
    COLORREF after = 0;
    RunOverlay([&](HWND hOverlay) {
        InputSender::MoveTo(1485, 850);   // view column 160 on x = 1497: background
        Poll([&] { return (before = ScreenReader::Pixel(xView, yView)) == kBackground; });
        InputSender::MoveTo(1490, 850);   // x = 1502: the marker
        Poll([&] { return (after = ScreenReader::Pixel(xView, yView)) == kMarkerColor; });
        EXPECT_TRUE(TipEndsWith(hOverlay, kTipWaiting));
        PressEsc(hOverlay);
    });
    EXPECT_EQ(kBackground, before);
    EXPECT_EQ(kMarkerColor, after);
}

TEST_F(OverlayTest, ADragSelectsTheBandWithItsFrameInEitherDirection)
{
    for (const RECT& drag : { RECT{ 100, 100, 200, 150 }, RECT{ 200, 150, 100, 100 } }) {
        const Outcome outcome = RunOverlay([&drag](HWND hOverlay) {
            PressAndDrag(hOverlay, drag.left, drag.top, drag.right, drag.bottom);
            InputSender::Button(MOUSEEVENTF_LEFTUP);
        });
        EXPECT_EQ(IDOK, outcome.nResult) << drag.left;
        EXPECT_TRUE(outcome.bSelected) << drag.left;
        EXPECT_EQ(CRect(99, 99, 201, 151), outcome.rect) << drag.left;
    }
}

TEST_F(OverlayTest, EscDuringADragCancelsOnlyTheDragAndAPressWithoutMovingKeepsItOpen)
{
    const Outcome outcome = RunOverlay([](HWND hOverlay) {
        PressAndDrag(hOverlay, 300, 300, 400, 380);
        EXPECT_TRUE(Poll([&] { return TipEndsWith(hOverlay, kTipDragging); }));
        CancelDrag();
        MoveInSteps(400, 380, 420, 390);
        EXPECT_TRUE(Poll([&] { return TipEndsWith(hOverlay, kTipWaiting); }));
        EXPECT_TRUE(IsWindowVisible(hOverlay));

        PressAndDrag(hOverlay, 500, 500, 500, 500);
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

// The information box beside the cursor while dragging: below and to the
// right near the top-left corner, above and to the left at the right edge;
// its grey frame is where the placement puts it. Its Chinese labels are drawn
// as glyphs: two different labels leave different ink, where the empty boxes
// of missing glyphs would look alike. Each band is one pixel line, so that
// neither its frame nor its handles cover the box.
TEST_F(OverlayTest, TheInformationBoxStaysOnTheScreenAndShowsItsLabels)
{
    CFont font;
    CClientDC dc(nullptr);
    ASSERT_TRUE(font.CreatePointFont(90, L"宋体", &dc));
    dc.SelectObject(&font);
    TEXTMETRIC tm = {};
    dc.GetTextMetrics(&tm);
    const int lh = tm.tmHeight + tm.tmExternalLeading;
    const int bw = dc.GetTextExtent(CString(L"顶点位置  ")).cx;
    const struct
    {
        POINT press, cursor;
        CRect box;
    } cases[] = {
        { { 300, 5 }, { 5, 5 }, CRect(8, 8, bw + 8, 6 * lh + 8) },
        { { cxScreen - 5, 700 }, { cxScreen - 5, 540 }, CRect(cxScreen - bw - 8, 537 - 6 * lh, cxScreen - 8, 537) },
    };
    std::vector<CRect> foundBoxes;
    std::vector<std::vector<COLORREF>> labels[2];
    RunOverlay([&](HWND hOverlay) {
        for (const auto& c : cases) {
            PressAndDrag(hOverlay, c.press.x, c.press.y, c.cursor.x, c.cursor.y);
            const int x = c.box.left;
            const int y = c.box.top;
            Poll([&] { return ScreenReader::Pixel(x, y) == kInfoGrey; });
            // The frame as found: the grey runs through the expected top-left
            // corner along the top edge and down the left edge.
            auto grey = [](int px, int py) { return ScreenReader::Pixel(px, py) == kInfoGrey; };
            CRect found(x, y, x, y);
            while (found.left > 0 && grey(found.left - 1, y))
                --found.left;
            while (found.right < cxScreen && grey(found.right, y))
                ++found.right;
            while (found.top > 0 && grey(x, found.top - 1))
                --found.top;
            while (found.bottom < cyScreen && grey(x, found.bottom))
                ++found.bottom;
            foundBoxes.push_back(found);
            // Label lines 0 (" 顶点位置 ") and 2 (" 矩形大小 ") inside the frame.
            for (int k = 0; k < 2; ++k) {
                const int top = c.box.top + 2 + 2 * k * lh;
                labels[k].push_back(ScreenReader::Rect(CRect(c.box.left + 1, top, c.box.right - 1, top + lh)).Colors());
            }
            CancelDrag();
        }
        PressEsc(hOverlay);
    });
    ASSERT_EQ(2u, foundBoxes.size());
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(cases[i].box, foundBoxes[i]) << "case " << i;
        for (int k = 0; k < 2; ++k) {
            int nInk = 0;
            for (COLORREF cr : labels[k][i])
                nInk += cr != kBackground;
            EXPECT_GT(nInk, 20) << "case " << i << " label " << k;
        }
        EXPECT_NE(labels[0][i], labels[1][i]) << "case " << i;
    }
}

// What the overlay hands to SetClipboardData (through the framework's
// clipboard scope), whether the clipboard takes it, and whether the framework
// deletes that bitmap.
HANDLE g_hHanded = nullptr;
bool g_bClipboardRefuses = false;
bool g_bHandedDeleted = false;

HANDLE WINAPI RecordingSetClipboardData(UINT uFormat, HANDLE hMem)
{
    g_hHanded = hMem;
    return g_bClipboardRefuses ? nullptr : SetClipboardData(uFormat, hMem);
}

BOOL WINAPI RecordingDeleteObject(HGDIOBJ hObject)
{
    g_bHandedDeleted = g_bHandedDeleted || (hObject != nullptr && hObject == g_hHanded);
    return DeleteObject(hObject);
}

// The clipboard receives the frozen screen and owns it: the overlay never
// deletes the bitmap it handed over (Wine copies clipboard bitmaps, so only
// the deletion itself shows), and the clipboard shows the screen as it was
// when the overlay opened. A bitmap the clipboard refused is deleted.
TEST_F(OverlayTest, TheClipboardOwnsTheFrozenScreenOnlyWhenItTookIt)
{
    guitest::ImportPatch patchSet(GetModuleHandleW(L"Framework.dll"), "user32.dll", "SetClipboardData",
                                  reinterpret_cast<void*>(&RecordingSetClipboardData));
    guitest::ImportPatch patchDelete(GetModuleHandleW(L"Framework.dll"), "gdi32.dll", "DeleteObject",
                                     reinterpret_cast<void*>(&RecordingDeleteObject));
    ASSERT_TRUE(patchSet.Applied() && patchDelete.Applied());
    for (const bool bRefuses : { false, true }) {
        ASSERT_TRUE(OpenClipboard(nullptr) && EmptyClipboard() && CloseClipboard());
        g_hHanded = nullptr;
        g_bHandedDeleted = false;
        g_bClipboardRefuses = bRefuses;
        RunOverlay(PressEsc);
        EXPECT_NE(nullptr, g_hHanded) << bRefuses;
        EXPECT_EQ(bRefuses, g_bHandedDeleted) << bRefuses;

        ASSERT_TRUE(OpenClipboard(nullptr));
        CBitmap* pBitmap = CBitmap::FromHandle(static_cast<HBITMAP>(GetClipboardData(CF_BITMAP)));
        CDC memDC;
        BITMAP bm = {};
        if (pBitmap != nullptr && memDC.CreateCompatibleDC(nullptr) && memDC.SelectObject(pBitmap) != nullptr)
            pBitmap->GetBitmap(&bm);
        EXPECT_EQ(bRefuses ? 0 : cxScreen, bm.bmWidth) << bRefuses;
        EXPECT_EQ(bRefuses ? 0 : cyScreen, bm.bmHeight) << bRefuses;
        if (bm.bmWidth != 0) {
            EXPECT_EQ(kBackground, memDC.GetPixel(5, 5));
            EXPECT_EQ(kMarkerColor, memDC.GetPixel(1600, 850));
            EXPECT_EQ(kBackground, memDC.GetPixel(cxScreen - 1, cyScreen - 1));
        }
        memDC.DeleteDC();
        CloseClipboard();
    }
    g_bClipboardRefuses = false;
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
    HWND hFirst = nullptr;
    guitest::TimedAction second(2500, [&] {
        hFirst = FindOverlay(GetCurrentThreadId());
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
        EXPECT_EQ(hOverlay, FindOverlay(GetWindowThreadProcessId(hOverlay, nullptr)));
        DragAndRelease(hOverlay);
    });
    EXPECT_NE(nullptr, hFirst);
    EXPECT_EQ(IDCANCEL, nSecondResult);
    EXPECT_FALSE(bSecondSelected);
    EXPECT_EQ(nSequenceBefore, nSequenceAfter);
    EXPECT_EQ(IDOK, first.nResult);
    EXPECT_EQ(CRect(99, 99, 201, 151), first.rect);
    EXPECT_EQ(IDOK, RunOverlay(DragAndRelease).nResult);
}

} // namespace
