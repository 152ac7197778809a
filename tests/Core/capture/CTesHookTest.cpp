// Tests of hook.dll: what the hook does with each mouse event inside and
// outside an object pick (the engine's hidden child window 100 holding the
// mouse capture), its installation while hook objects exist, and the mouse
// going through the system while the engine's thread sleeps. Picks with real
// input are covered by the object-pick tests.
#include "CTesHook.h"

#include "CoreTestHarness.h"
#include "InputSender.h"
#include "MessagePump.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace coretest;

namespace {

// A shown top-level window with a hidden child of identifier nChildId (made
// visible with bVisibleChild) and a push button; this thread's windows.
class PickWindows
{
public:
    PickWindows(int nChildId, bool bVisibleChild)
    {
        m_hTop = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, L"STATIC", L"hook test", WS_POPUP | WS_VISIBLE,
                                   700, 500, 300, 200, nullptr, nullptr, nullptr, nullptr);
        m_hChild = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | (bVisibleChild ? WS_VISIBLE : 0), 0, 0, 0, 0,
                                     m_hTop, reinterpret_cast<HMENU>(static_cast<INT_PTR>(nChildId)), nullptr,
                                     nullptr);
    }
    ~PickWindows()
    {
        ::ReleaseCapture();
        ::DestroyWindow(m_hTop);
    }
    HWND Child() const { return m_hChild; }

private:
    HWND m_hTop = nullptr;
    HWND m_hChild = nullptr;
};

// The hook messages queued for hWnd, removed from the queue.
std::vector<UINT> TakeHookMessages(HWND hWnd)
{
    std::vector<UINT> messages;
    MSG msg;
    while (::PeekMessageW(&msg, hWnd, WM_ES_LBUTTONDOWN, WM_ES_MOUSEMOVE, PM_REMOVE))
        messages.push_back(msg.message);
    return messages;
}

} // namespace

TEST(CTesHook, InstalledWhileAnyHookObjectExists)
{
    EXPECT_FALSE(CTesHook::IsInstalled());
    {
        CTesHook first;
        EXPECT_TRUE(CTesHook::IsInstalled());
        {
            CTesHook second;
            EXPECT_TRUE(CTesHook::IsInstalled());
        }
        EXPECT_TRUE(CTesHook::IsInstalled());
    }
    EXPECT_FALSE(CTesHook::IsInstalled());
}

TEST(CTesHook, EventsArePostedAndClicksSwallowedOnlyDuringAPick)
{
    struct Case
    {
        const char* name;
        int nChildId;
        bool bVisibleChild;
        bool bCapture;
        bool bPick;
    };
    const Case cases[] = {
        { "hidden child 100 holds the capture", 100, false, true, true },
        { "no capture", 100, false, false, false },
        { "visible child 100", 100, true, true, false },
        { "hidden child 101", 101, false, true, false },
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        PickWindows windows(test.nChildId, test.bVisibleChild);
        if (test.bCapture)
            ::SetCapture(windows.Child());
        EXPECT_EQ(test.bPick ? windows.Child() : nullptr, CTesHook::FindPickWindow(::GetCurrentThreadId()));
        struct Event
        {
            WPARAM nMessage;
            BOOL bSwallowedInPick;
            UINT nPosted;   // 0: nothing
        };
        const Event events[] = {
            { WM_MOUSEMOVE, FALSE, WM_ES_MOUSEMOVE },   { WM_LBUTTONDOWN, TRUE, WM_ES_LBUTTONDOWN },
            { WM_LBUTTONUP, TRUE, 0 },                  { WM_RBUTTONDOWN, TRUE, WM_ES_RBUTTONDOWN },
            { WM_RBUTTONUP, TRUE, 0 },                  { WM_MOUSEWHEEL, FALSE, 0 },
        };
        for (const Event& event : events) {
            SCOPED_TRACE(event.nMessage);
            EXPECT_EQ(test.bPick ? event.bSwallowedInPick : FALSE, CTesHook::HandleMouseEvent(event.nMessage, ::GetCurrentThreadId()));
            const std::vector<UINT> expected =
                test.bPick && event.nPosted != 0 ? std::vector<UINT>{ event.nPosted } : std::vector<UINT>{};
            EXPECT_EQ(expected, TakeHookMessages(windows.Child()));
        }
    }
}

TEST(CTesHook, ReleaseAfterThePickEndedIsStillSwallowed)
{
    PickWindows windows(100, false);
    ::SetCapture(windows.Child());
    EXPECT_TRUE(CTesHook::HandleMouseEvent(WM_LBUTTONDOWN, ::GetCurrentThreadId()));
    ::ReleaseCapture();   // the engine ends the pick on the press
    EXPECT_TRUE(CTesHook::HandleMouseEvent(WM_LBUTTONUP, ::GetCurrentThreadId()));
    EXPECT_FALSE(CTesHook::HandleMouseEvent(WM_LBUTTONUP, ::GetCurrentThreadId()));   // only the one release
    TakeHookMessages(windows.Child());
}

// The engine's thread sleeping in a capture delay holds up no mouse event of
// the system: the hook answers from a thread of its own.
TEST(CTesHook, MouseMovesPassWhileTheEngineSleepsInADelay)
{
    EngineHarness engine;
    ASSERT_TRUE(engine.Ready());
    engine.Core().m_config.SetSnapDelayTime(3000);
    std::atomic<bool> bMovesDone{ false };
    std::thread mover([&bMovesDone] {
        ::Sleep(300);
        for (int i = 0; i < 10; ++i)
            guitest::InputSender::MoveTo(600 + 7 * i, 400 + 5 * i);
        bMovesDone = true;
    });
    EXPECT_EQ(1, engine.Core().SnapFullScreen());
    const bool bDoneWhileSleeping = bMovesDone;
    mover.join();
    EXPECT_TRUE(bDoneWhileSleeping);
}
