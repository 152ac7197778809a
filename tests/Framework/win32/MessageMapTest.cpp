// Message maps: every handler form receives the message's parameters
// unpacked, and its result becomes the message result, on a real window.
#include <gtest/gtest.h>

#include <functional>

#include "CDC.h"
#include "CWnd.h"
#include "MessagePump.h"
#include "InputSender.h"

#include <commctrl.h>

using guitest::MessagePump;

namespace {

const UINT WM_TEST_USER = WM_APP + 5;
const UINT kRegisteredMessage = RegisterWindowMessageW(L"TesFrameworkTestMessage");

class RecordingWnd : public CWnd
{
public:
    int nCreate = 0, nDestroy = 0, nPaint = 0, nErase = 0;
    CString strCreateName;
    HDC hEraseDC = nullptr;
    UINT_PTR nTimerId = 0;
    UINT nSizeType = 99; int cx = 0, cy = 0;
    UINT nSysId = 0; LPARAM lSysParam = 0;
    UINT hotKey[3] = {}; UINT key[3] = {};
    UINT nMouseFlags = 0; CPoint mouse{ -1000, -1000 }; CPoint rbutton{ -1000, -1000 }; int nLButtonDown = 0;
    CWnd* pCursorWnd = nullptr; UINT nHitTest = 0, nCursorMsg = 0;
    CWnd* pColorWnd = nullptr; UINT nCtlColor = 99; HDC hColorDC = nullptr;
    WPARAM userW = 0; LPARAM userL = 0; WPARAM registeredW = 0;
    int nCommand = 0; UINT nRangeId = 0; int nRangeCalls = 0; int nClicked = 0;
    UINT nNotifyCode = 0; UINT_PTR nNotifyId = 0;
    HBRUSH hBrush = CreateSolidBrush(RGB(1, 2, 3));
    ~RecordingWnd() override { DeleteObject(hBrush); }

protected:
    DECLARE_MESSAGE_MAP()
    int OnCreate(LPCREATESTRUCT lpcs) { ++nCreate; strCreateName = lpcs->lpszName; return CWnd::OnCreate(lpcs); }
    void OnDestroy() { ++nDestroy; CWnd::OnDestroy(); }
    void OnPaint() { ++nPaint; PAINTSTRUCT ps; BeginPaint(m_hWnd, &ps); EndPaint(m_hWnd, &ps); }
    BOOL OnEraseBkgnd(CDC* pDC) { ++nErase; hEraseDC = pDC ? pDC->m_hDC : nullptr; return TRUE; }
    void OnTimer(UINT_PTR nIDEvent) { nTimerId = nIDEvent; KillTimer(nIDEvent); }
    void OnSize(UINT nType, int x, int y) { nSizeType = nType; cx = x; cy = y; }
    void OnSysCommand(UINT nID, LPARAM lParam) { nSysId = nID; lSysParam = lParam; }
    void OnHotKey(UINT a, UINT b, UINT c) { hotKey[0] = a; hotKey[1] = b; hotKey[2] = c; }
    void OnKeyDown(UINT a, UINT b, UINT c) { key[0] = a; key[1] = b; key[2] = c; }
    void OnLButtonDown(UINT nFlags, CPoint point) { ++nLButtonDown; nMouseFlags = nFlags; mouse = point; }
    void OnMouseMove(UINT nFlags, CPoint point) { nMouseFlags = nFlags; mouse = point; }
    void OnRButtonUp(UINT, CPoint point) { rbutton = point; }
    BOOL OnSetCursor(CWnd* pWnd, UINT nHit, UINT message) { pCursorWnd = pWnd; nHitTest = nHit; nCursorMsg = message; return TRUE; }
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtl) { hColorDC = pDC ? pDC->m_hDC : nullptr; pColorWnd = pWnd; nCtlColor = nCtl; return hBrush; }
    LRESULT OnUser(WPARAM w, LPARAM l) { userW = w; userL = l; return static_cast<LRESULT>(w + l); }
    LRESULT OnRegistered(WPARAM w, LPARAM) { registeredW = w; return 77; }
    void OnCommandFive() { ++nCommand; }
    void OnCommandRange(UINT nID) { nRangeId = nID; ++nRangeCalls; }
    void OnButtonClicked() { ++nClicked; }
    void OnNotifyClick(NMHDR* pNMHDR, LRESULT* pResult) { nNotifyCode = pNMHDR->code; nNotifyId = pNMHDR->idFrom; *pResult = 5; }
};

BEGIN_MESSAGE_MAP(RecordingWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
    ON_WM_SIZE()
    ON_WM_SYSCOMMAND()
    ON_WM_HOTKEY()
    ON_WM_KEYDOWN()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_RBUTTONUP()
    ON_WM_SETCURSOR()
    ON_WM_CTLCOLOR()
    ON_MESSAGE(WM_TEST_USER, OnUser)
    ON_REGISTERED_MESSAGE(kRegisteredMessage, OnRegistered)
    ON_COMMAND(500, OnCommandFive)
    ON_COMMAND_RANGE(600, 610, OnCommandRange)
    ON_BN_CLICKED(700, OnButtonClicked)
    ON_NOTIFY(NM_CLICK, 800, OnNotifyClick)
END_MESSAGE_MAP()

// A static control whose own map answers the parent's WM_CTLCOLORSTATIC.
class ReflectingStatic : public CWnd
{
public:
    HBRUSH hBrush = CreateSolidBrush(RGB(4, 5, 6));
    UINT nCtlColor = 99;
    ~ReflectingStatic() override { DeleteObject(hBrush); }

protected:
    DECLARE_MESSAGE_MAP()
    HBRUSH CtlColor(CDC*, UINT nCtl) { nCtlColor = nCtl; return hBrush; }
};

BEGIN_MESSAGE_MAP(ReflectingStatic, CWnd)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class MessageMapTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(wnd.CreateEx(WS_EX_TOPMOST, nullptr, L"消息映射", WS_POPUP | WS_VISIBLE, 100, 100, 320, 240, nullptr, nullptr));
    }
    RecordingWnd wnd;
};

TEST_F(MessageMapTest, CreateRunsOnCreateWithTheCreateParametersAndMapsTheWindow)
{
    EXPECT_EQ(1, wnd.nCreate);
    EXPECT_EQ(CString(L"消息映射"), wnd.strCreateName);
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
}

TEST_F(MessageMapTest, WindowMessagesArriveUnpacked)
{
    struct Case { const char* name; UINT message; WPARAM wParam; LPARAM lParam; LRESULT expected; std::function<void()> check; };
    const Case cases[] = {
        { "size", WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(300, 200), 0,
          [&] { EXPECT_EQ(static_cast<UINT>(SIZE_MAXIMIZED), wnd.nSizeType); EXPECT_EQ(300, wnd.cx); EXPECT_EQ(200, wnd.cy); } },
        { "syscommand", WM_SYSCOMMAND, 0x0010, 1234, 0,
          [&] { EXPECT_EQ(0x0010u, wnd.nSysId); EXPECT_EQ(1234, wnd.lSysParam); } },
        { "hotkey", WM_HOTKEY, 1001, MAKELPARAM(MOD_CONTROL | MOD_ALT, VK_F7), 0,
          [&] { EXPECT_EQ(1001u, wnd.hotKey[0]); EXPECT_EQ(static_cast<UINT>(MOD_CONTROL | MOD_ALT), wnd.hotKey[1]); EXPECT_EQ(static_cast<UINT>(VK_F7), wnd.hotKey[2]); } },
        { "keydown", WM_KEYDOWN, VK_F2, MAKELPARAM(3, 0x3C), 0,
          [&] { EXPECT_EQ(static_cast<UINT>(VK_F2), wnd.key[0]); EXPECT_EQ(3u, wnd.key[1]); EXPECT_EQ(0x3Cu, wnd.key[2]); } },
        { "lbuttondown with negative x", WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(-5, 7), 0,
          [&] { EXPECT_EQ(static_cast<UINT>(MK_LBUTTON | MK_SHIFT), wnd.nMouseFlags); EXPECT_EQ(CPoint(-5, 7), wnd.mouse); } },
        { "mousemove", WM_MOUSEMOVE, 0, MAKELPARAM(17, -3), 0, [&] { EXPECT_EQ(CPoint(17, -3), wnd.mouse); } },
        { "rbuttonup", WM_RBUTTONUP, 0, MAKELPARAM(40, 50), 0, [&] { EXPECT_EQ(CPoint(40, 50), wnd.rbutton); } },
        { "setcursor", WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), TRUE,
          [&] { EXPECT_EQ(&wnd, wnd.pCursorWnd); EXPECT_EQ(static_cast<UINT>(HTCLIENT), wnd.nHitTest); EXPECT_EQ(static_cast<UINT>(WM_MOUSEMOVE), wnd.nCursorMsg); } },
        { "user message", WM_TEST_USER, 11, 22, 33, [&] { EXPECT_EQ(11u, wnd.userW); EXPECT_EQ(22, wnd.userL); } },
        { "registered message", kRegisteredMessage, 9, 0, 77, [&] { EXPECT_EQ(9u, wnd.registeredW); } },
        { "timer", WM_TIMER, 42, 0, 0, [&] { EXPECT_EQ(42u, wnd.nTimerId); } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Set the "setcursor" wParam to the window itself at run time.
        const WPARAM wParam = c.message == WM_SETCURSOR ? reinterpret_cast<WPARAM>(wnd.m_hWnd) : c.wParam;
        EXPECT_EQ(c.expected, wnd.SendMessage(c.message, wParam, c.lParam));
        c.check();
    }
}

TEST_F(MessageMapTest, RealTimerAndPaintReachTheirHandlers)
{
    wnd.SetTimer(7, 10);
    EXPECT_TRUE(MessagePump::PumpUntil([&] { return wnd.nTimerId == 7; }, 3000));
    wnd.nPaint = 0;
    wnd.Invalidate(TRUE);
    wnd.UpdateWindow();
    EXPECT_EQ(1, wnd.nPaint);
    EXPECT_GE(wnd.nErase, 1);
    EXPECT_NE(nullptr, wnd.hEraseDC);
}

TEST_F(MessageMapTest, CommandsRangesAndNotificationsAreRoutedById)
{
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(500, 0), 0);
    EXPECT_EQ(1, wnd.nCommand);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(500, 1), 0);   // accelerator
    EXPECT_EQ(2, wnd.nCommand);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(605, 0), 0);
    EXPECT_EQ(605u, wnd.nRangeId);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(611, 0), 0);   // outside the range
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(599, 0), 0);
    EXPECT_EQ(1, wnd.nRangeCalls);

    HWND hButton = CreateWindowExW(0, L"BUTTON", L"按钮", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 80, 24,
                                   wnd.m_hWnd, reinterpret_cast<HMENU>(700), nullptr, nullptr);
    ASSERT_NE(nullptr, hButton);
    SendMessageW(hButton, BM_CLICK, 0, 0);
    EXPECT_EQ(1, wnd.nClicked);

    NMHDR nmhdr = { hButton, 800, static_cast<UINT>(NM_CLICK) };
    EXPECT_EQ(5, wnd.SendMessage(WM_NOTIFY, 800, reinterpret_cast<LPARAM>(&nmhdr)));
    EXPECT_EQ(static_cast<UINT>(NM_CLICK), wnd.nNotifyCode);
    EXPECT_EQ(800u, wnd.nNotifyId);
    nmhdr.idFrom = 801;
    wnd.nNotifyId = 0;
    EXPECT_EQ(0, wnd.SendMessage(WM_NOTIFY, 801, reinterpret_cast<LPARAM>(&nmhdr)));
    EXPECT_EQ(0u, wnd.nNotifyId);
}

TEST_F(MessageMapTest, ControlColoursGoToTheControlFirstThenToTheParent)
{
    HWND hPlain = CreateWindowExW(0, L"STATIC", L"一", WS_CHILD | WS_VISIBLE, 10, 40, 80, 20, wnd.m_hWnd, nullptr, nullptr, nullptr);
    HWND hReflecting = CreateWindowExW(0, L"STATIC", L"二", WS_CHILD | WS_VISIBLE, 10, 70, 80, 20, wnd.m_hWnd, nullptr, nullptr, nullptr);
    ReflectingStatic reflecting;
    ASSERT_TRUE(reflecting.SubclassWindow(hReflecting));
    HDC hDC = GetDC(wnd.m_hWnd);

    EXPECT_EQ(reinterpret_cast<LRESULT>(wnd.hBrush),
              wnd.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC), reinterpret_cast<LPARAM>(hPlain)));
    EXPECT_EQ(static_cast<UINT>(CTLCOLOR_STATIC), wnd.nCtlColor);
    EXPECT_EQ(hPlain, wnd.pColorWnd->m_hWnd);
    EXPECT_EQ(hDC, wnd.hColorDC);

    wnd.nCtlColor = 99;
    EXPECT_EQ(reinterpret_cast<LRESULT>(reflecting.hBrush),
              wnd.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC), reinterpret_cast<LPARAM>(hReflecting)));
    EXPECT_EQ(static_cast<UINT>(CTLCOLOR_STATIC), reflecting.nCtlColor);
    EXPECT_EQ(99u, wnd.nCtlColor);   // the parent's handler was not asked
    ReleaseDC(wnd.m_hWnd, hDC);
}

TEST_F(MessageMapTest, SynthesizedClickArrivesInClientCoordinates)
{
    SetForegroundWindow(wnd.m_hWnd);
    MessagePump::PumpFor(50);
    EXPECT_TRUE(guitest::InputSender::Click(100 + 30, 100 + 40));
    EXPECT_TRUE(MessagePump::PumpUntil([&] { return wnd.nLButtonDown > 0; }, 3000));
    EXPECT_EQ(CPoint(30, 40), wnd.mouse);
}

TEST_F(MessageMapTest, DestroyRunsOnDestroyAndEmptiesTheMap)
{
    HWND hWnd = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(1, wnd.nDestroy);
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    EXPECT_FALSE(IsWindow(hWnd));
}

} // namespace
