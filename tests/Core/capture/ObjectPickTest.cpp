// Tests of the object pick under Wine, driven with real mouse input sent from
// a second thread: the hook reports it, the timer finds the window under the
// cursor and outlines it, the click captures exactly that window (a child
// control, or an open menu of another thread, whose item the click does not
// choose), the right click and every other way out of the
// pick leave the engine idle, and the tip keeps out of the cursor's way.
#include "CoreTestHarness.h"

#include "MessagePump.h"
#include "ScreenReader.h"
#include "TimedAction.h"

#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

using namespace coretest;
using guitest::MessagePump;
using guitest::ScreenReader;
using Step = MouseScript::Step;

namespace {

const RECT kWindowRect = { 300, 200, 620, 420 };

// The pick's tip window on this thread (220 pixels wide), or null. It is
// shown by the test if its modal loop has not shown it yet (the loop shows it
// when the queue first runs empty, which a timed action pumping inside it
// keeps from happening).
HWND FindTip()
{
    HWND hFound = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            RECT rc;
            wchar_t szClass[16] = {};
            ::GetClassNameW(hWnd, szClass, 16);
            if (::GetWindowRect(hWnd, &rc) && rc.right - rc.left == 220 && std::wstring(szClass) == L"#32770") {
                if (!::IsWindowVisible(hWnd))
                    ::ShowWindow(hWnd, SW_SHOWNOACTIVATE);
                *reinterpret_cast<HWND*>(lParam) = hWnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&hFound));
    return hFound;
}

RECT WindowRectOf(HWND hWnd)
{
    RECT rc = {};
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

POINT CentreOf(const RECT& rc)
{
    return POINT{ (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2 };
}

class PickTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(engine.Ready()); }

    // Runs a pick; inside it, once the tip is up, drive() runs on this thread.
    int RunPick(const std::function<void()>& drive)
    {
        guitest::ModalWatchdog watchdog(20000);
        guitest::TimedAction action(200, [] { return FindTip() != nullptr; }, [&] {
            m_bTipSeen = true;
            drive();
        });
        const int nResult = engine.Core().SnapWinObj();
        EXPECT_TRUE(action.HasRun());
        EXPECT_FALSE(watchdog.Fired());
        return nResult;
    }

    // The engine is idle again: not busy, no capture, timer stopped, tip
    // gone, main window shown.
    void ExpectIdle()
    {
        EXPECT_EQ(nullptr, FindTip());
        EXPECT_NE(engine.CoreWindow(), ::GetCapture());
        EXPECT_TRUE(engine.MainWnd().IsWindowVisible());
        const int nTicks = engine.Core().m_nPickTimerTicks;
        guitest::MessagePump::PumpFor(700);
        EXPECT_EQ(nTicks, engine.Core().m_nPickTimerTicks);
        engine.Core().m_config.SetSnapMode(0);
        EXPECT_EQ(1, engine.Core().SnapFullScreen());   // not refused as busy
    }

    EngineHarness engine;
    bool m_bTipSeen = false;
};

} // namespace

TEST_F(PickTest, ClickCapturesTheChildControlUnderTheCursorWithoutTheFrame)
{
    ForeignPatternWindow window(kWindowRect, false, true);
    ASSERT_NE(nullptr, window.Button());
    const RECT rcButton = WindowRectOf(window.Button());
    const TestImage button = ScreenReader::Rect(rcButton);
    const POINT pt = CentreOf(rcButton);
    // The frame blinks: the button's corner pixel is seen both changed and not.
    std::vector<COLORREF> corner;
    std::unique_ptr<MouseScript> pScript;
    const int nResult = RunPick([&] {
        pScript.reset(new MouseScript({ { Step::MOVE, pt.x, pt.y } }));
        for (int i = 0; i < 16; ++i) {
            guitest::MessagePump::PumpFor(100);
            corner.push_back(
                ScreenReader::Rect(RECT{ rcButton.left, rcButton.top, rcButton.left + 1, rcButton.top + 1 })
                    .Color(0, 0));
        }
        pScript.reset(new MouseScript({ { Step::LEFT_CLICK, 0, 0 } }));
    });
    EXPECT_EQ(1, nResult);
    EXPECT_TRUE(m_bTipSeen);
    EXPECT_EQ(4, engine.Core().m_config.GetSnapMode());
    EXPECT_NE(std::count(corner.begin(), corner.end(), button.Color(0, 0)), 0);
    EXPECT_NE(std::count(corner.begin(), corner.end(), button.Color(0, 0)), static_cast<int>(corner.size()));
    EXPECT_EQ(button, ReadPixels(engine.Core().GetImage()));
    ExpectIdle();
}

// Picking the desktop takes the whole screen without the frame that blinks
// along the screen's edges: the click comes while the frame is on, and the
// frame is off again before the grab.
TEST_F(PickTest, PickOfTheDesktopLeavesNoFrameInThePicture)
{
    const int cx = ::GetSystemMetrics(SM_CXSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYSCREEN);
    const POINT pt = { 150, cy / 2 };
    ASSERT_EQ(::GetDesktopWindow(), ::WindowFromPoint(pt));
    const RECT rcTopEdge = { 0, 0, cx, 4 };
    const TestImage edgeBefore = ScreenReader::Rect(rcTopEdge);
    bool bFrameSeen = false;
    std::unique_ptr<MouseScript> pScript;
    EXPECT_EQ(1, RunPick([&] {
        pScript.reset(new MouseScript({ { Step::MOVE, pt.x, pt.y } }));
        bFrameSeen = MessagePump::PumpUntil([&] { return !(ScreenReader::Rect(rcTopEdge) == edgeBefore); }, 4000);
        pScript.reset(new MouseScript({ { Step::LEFT_CLICK, 0, 0 } }));
    }));
    EXPECT_TRUE(bFrameSeen);
    const TestImage picture = ReadPixels(engine.Core().GetImage());
    ASSERT_EQ(cx, picture.width);
    ASSERT_EQ(cy, picture.height);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < cx; ++x)
            ASSERT_EQ(edgeBefore.Color(x, y), picture.Color(x, y)) << x << ", " << y;
    ExpectIdle();
}

TEST_F(PickTest, RightClickEndsThePickWithoutACapture)
{
    ForeignPatternWindow window(kWindowRect, false, true);
    const POINT pt = CentreOf(WindowRectOf(window.Button()));
    engine.Core().SetPathName(L"C:\\kept.png");
    std::unique_ptr<MouseScript> pScript;
    EXPECT_EQ(1, RunPick([&] {
        pScript.reset(new MouseScript({ { Step::MOVE, pt.x, pt.y }, { Step::PAUSE, 1200, 0 },
                                        { Step::RIGHT_CLICK, 0, 0 } }));
    }));
    EXPECT_EQ(nullptr, engine.Core().GetImage());
    EXPECT_TRUE(engine.Core().GetPathName().IsEmpty());
    ExpectIdle();
}

TEST_F(PickTest, EveryOtherWayOutOfThePickLeavesTheEngineIdle)
{
    struct Case
    {
        const char* name;
        std::function<void()> drive;
    };
    const Case cases[] = {
        { "tip cancelled", [] { ::PostMessageW(FindTip(), WM_COMMAND, IDCANCEL, 0); } },
        { "tip closed", [] { ::PostMessageW(FindTip(), WM_CLOSE, 0, 0); } },
        { "region capture inside the pick",
          [this] {
              // The overlay is cancelled as soon as it is up.
              guitest::TimedAction cancel(300, [] { ::SendInput(0, nullptr, sizeof(INPUT)); });
              guitest::TimedAction escape(400, [] {
                  HWND hOverlay = ::GetActiveWindow();
                  ::PostMessageW(hOverlay, WM_COMMAND, IDCANCEL, 0);
              });
              EXPECT_EQ(0, engine.Core().SnapSelectRect());
              EXPECT_NE(engine.CoreWindow(), ::GetCapture());
          } },
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        Gdiplus::Image* pBefore = engine.Core().GetImage();
        EXPECT_EQ(1, RunPick(test.drive));
        EXPECT_TRUE(m_bTipSeen);
        EXPECT_EQ(pBefore, engine.Core().GetImage());
        ExpectIdle();
    }
}

TEST_F(PickTest, TipJumpsToTheOtherCornerWhenTheCursorComesNear)
{
    const int cx = ::GetSystemMetrics(SM_CXSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYSCREEN);
    for (int nPick = 0; nPick < 2; ++nPick) {
        SCOPED_TRACE(nPick);
        std::vector<RECT> places;
        std::unique_ptr<MouseScript> pScript;
        EXPECT_EQ(1, RunPick([&] {
            HWND hTip = FindTip();
            places.push_back(WindowRectOf(hTip));
            // Within 20 pixels of the bottom-right tip's rectangle.
            pScript.reset(new MouseScript({ { Step::MOVE, cx - 10 - 220 - 15, cy - 100 } }));
            MessagePump::PumpUntil([&] { return WindowRectOf(hTip).left == 10; });
            places.push_back(WindowRectOf(hTip));
            pScript.reset(new MouseScript({ { Step::MOVE, 10 + 220 + 15, 100 } }));
            MessagePump::PumpUntil([&] { return WindowRectOf(hTip).left != 10; });
            places.push_back(WindowRectOf(hTip));
            pScript.reset(new MouseScript({ { Step::MOVE, cx / 2, cy / 2 }, { Step::RIGHT_CLICK, 0, 0 } }));
        }));
        ASSERT_EQ(3u, places.size());
        for (int i : { 0, 2 }) {
            EXPECT_EQ(cx - 10 - 220, places[i].left);
            EXPECT_EQ(cy - 10, places[i].bottom);
        }
        EXPECT_EQ(10, places[1].left);
        EXPECT_EQ(10, places[1].top);
        EXPECT_EQ(253, places[1].bottom - places[1].top);
    }
}

TEST_F(PickTest, ClickCapturesAMenuOpenedDuringThePick)
{
    // The tip's first move hands the foreground to the front-most window;
    // the menu is opened after that, as a user opens one under the tip.
    const int cx = ::GetSystemMetrics(SM_CXSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYSCREEN);
    struct Case
    {
        const char* name;
        POINT menuAt;
    };
    // A menu that the bottom-right tip partly covers is grabbed after the tip
    // has gone; the click's release must not reach the menu meanwhile.
    const Case cases[] = { { "clear of the tip", { kWindowRect.left + 40, kWindowRect.top + 40 } },
                           { "overlapping the tip", { cx - 340, cy - 200 } } };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        ForeignPatternWindow window(kWindowRect, false);
        TestImage menu;
        RECT rcMenu = {};
        RECT rcHovered = {};
        bool bMenuOpenAtClick = false;
        std::unique_ptr<MouseScript> pScript;
        EXPECT_EQ(1, RunPick([&] {
            pScript.reset(new MouseScript({ { Step::MOVE, 1000, 700 } }));
            pScript.reset();
            const HWND hMenu = window.OpenMenu(test.menuAt.x, test.menuAt.y);
            ASSERT_NE(nullptr, hMenu);
            rcMenu = WindowRectOf(hMenu);
            guitest::MessagePump::PumpFor(300);   // the menu has painted its items
            menu = ScreenReader::Rect(rcMenu);
            // The cursor rests on the middle item, which the menu then highlights.
            ::GetMenuItemRect(nullptr, reinterpret_cast<HMENU>(::SendMessageW(hMenu, MN_GETHMENU, 0, 0)), 1, &rcHovered);
            const POINT pt = CentreOf(rcHovered);
            pScript.reset(new MouseScript({ { Step::MOVE, pt.x, pt.y } }));
            guitest::MessagePump::PumpFor(1300);   // two timer ticks over the menu
            bMenuOpenAtClick = ::IsWindowVisible(hMenu) && ::WindowFromPoint(pt) == hMenu;
            pScript.reset(new MouseScript({ { Step::LEFT_CLICK, 0, 0 } }));
        }));
        window.CloseMenu();
        MessagePump::PumpUntil([&] { return ::FindWindowW(L"#32768", nullptr) == nullptr; });
        EXPECT_TRUE(bMenuOpenAtClick);
        EXPECT_EQ(0, window.MenuCommand());   // the picking click chose no item
        ASSERT_FALSE(::IsRectEmpty(&rcHovered));
        // The menu shows its items on a plain ground: more than one colour.
        ASSERT_GT(menu.width, 0);
        EXPECT_NE(menu.CountColor(menu.Color(menu.width / 2, 1)), menu.width * menu.height);
        // The picture is the menu as the screen showed it, without the frame,
        // except the hovered item, which is drawn in the highlight colour.
        const TestImage picture = ReadPixels(engine.Core().GetImage());
        ASSERT_EQ(menu.width, picture.width);
        ASSERT_EQ(menu.height, picture.height);
        int nOutsideChanged = 0;
        int nHighlighted = 0;
        const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
        for (int y = 0; y < picture.height; ++y) {
            for (int x = 0; x < picture.width; ++x) {
                const POINT ptScreen = { rcMenu.left + x, rcMenu.top + y };
                if (::PtInRect(&rcHovered, ptScreen))
                    nHighlighted += picture.Color(x, y) == highlight;
                else
                    nOutsideChanged += picture.Color(x, y) != menu.Color(x, y);
            }
        }
        EXPECT_EQ(0, nOutsideChanged);
        EXPECT_GT(nHighlighted, (rcHovered.right - rcHovered.left) * (rcHovered.bottom - rcHovered.top) / 2);
        ExpectIdle();
    }
}
