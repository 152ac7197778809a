// Tests on two monitors side by side (1280 x 800 primary, 1024 x 768 right of
// it), run in a session of two heads (tools/wine-session.sh, WINE_HEADS):
// windows on the second monitor and across both are grabbed whole, the
// desktop stays the primary monitor, and the region overlay and the object
// pick's tip work on the monitor under the cursor.
#include "CoreTestHarness.h"

#include "BitmapReader.h"
#include "CDlgSnapRectHelper.h"
#include "CScreenLayout.h"
#include "MessagePump.h"
#include "PatternWindow.h"
#include "TesLibResource.h"
#include "TimedAction.h"

#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace coretest;
using guitest::BitmapReader;
using guitest::MessagePump;
using Step = MouseScript::Step;
using guitest::PatternWindow;

namespace {

const CRect kPrimary(0, 0, 1280, 800);
const CRect kSecond(1280, 0, 2304, 768);

bool ShowsPattern(const TestImage& pixels, int dx, int dy, int w, int h)
{
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x)
            if (pixels.Color(x, y) != PatternWindow::ExpectedColor(x + dx, y + dy, w, h))
                return false;
    return true;
}

// The window of this thread that has control id of a selection window (the
// overlay's tip edit, the pick tip's edit), or null.
HWND FindThreadWindowWith(int nControlId)
{
    struct Search
    {
        int id;
        HWND hFound;
    } search = { nControlId, nullptr };
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            Search* pSearch = reinterpret_cast<Search*>(lParam);
            if (::GetDlgItem(hWnd, pSearch->id) == nullptr)
                return TRUE;
            pSearch->hFound = hWnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

CRect WindowRectOf(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

class MonitorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(2, ::GetSystemMetrics(SM_CMONITORS)) << "run with WINE_HEADS=\"1280x800 1024x768\"";
        ASSERT_EQ(kSecond, CScreenLayout::MonitorAt(CPoint(1500, 100)));
        ASSERT_TRUE(engine.Ready());
    }

    EngineHarness engine;
};

} // namespace

TEST_F(MonitorTest, WindowsOnTheSecondMonitorAndAcrossBothAreCapturedWhole)
{
    for (const RECT& rect : { RECT{ 1500, 100, 1900, 400 }, RECT{ 1100, 300, 1500, 600 } }) {
        SCOPED_TRACE(rect.left);
        ForeignPatternWindow window(rect, false);
        ASSERT_NE(nullptr, window.Handle());
        const int w = rect.right - rect.left;
        const int h = rect.bottom - rect.top;
        std::unique_ptr<CImageBitmap> pGrab(CTesCore::SnapBitmap(window.Handle(), CRect()));
        ASSERT_NE(nullptr, pGrab);
        const TestImage grab = BitmapReader::Read(*pGrab);
        ASSERT_EQ(w, grab.width);
        ASSERT_EQ(h, grab.height);
        EXPECT_TRUE(ShowsPattern(grab, 0, 0, w, h));
        ASSERT_EQ(1, engine.Core().SnapCurrentWin());
        EXPECT_EQ(grab, ReadPixels(engine.Core().GetImage()));
    }
}

TEST_F(MonitorTest, TheDesktopStaysThePrimaryMonitor)
{
    std::unique_ptr<CImageBitmap> pGrab(CTesCore::SnapBitmap(::GetDesktopWindow(), CRect()));
    ASSERT_NE(nullptr, pGrab);
    EXPECT_EQ(kPrimary.Size(), pGrab->GetSize());
    ASSERT_EQ(1, engine.Core().SnapFullScreen());
    EXPECT_EQ(static_cast<UINT>(kPrimary.Width()), engine.Core().GetImage()->GetWidth());
}

// The overlay covers both monitors; a drag on the second selects there, in
// screen coordinates, and captures what was there.
TEST_F(MonitorTest, TheOverlayCoversEveryMonitorAndADragOnTheSecondCapturesThere)
{
    const RECT rect = { 1500, 100, 1900, 400 };
    ForeignPatternWindow window(rect, false);
    ASSERT_NE(nullptr, window.Handle());
    CRect rcOverlay;
    std::unique_ptr<MouseScript> pScript;
    guitest::ModalWatchdog watchdog(20000);
    guitest::TimedAction drag(600, [&] {
        rcOverlay = WindowRectOf(FindThreadWindowWith(IDC_SNAP_RECT_TIP));
        pScript.reset(new MouseScript({ { Step::MOVE, 1550, 150 }, { Step::LEFT_DOWN, 0, 0 }, { Step::MOVE, 1600, 190 },
                                        { Step::MOVE, 1650, 230 }, { Step::LEFT_UP, 0, 0 } }));
    });
    EXPECT_EQ(1, engine.Core().SnapSelectRect());
    EXPECT_FALSE(watchdog.Fired());
    pScript.reset();
    EXPECT_EQ(CRect(0, 0, 2304, 800), rcOverlay);
    // The band's true rectangle: (1549, 149) - (1651, 231).
    const TestImage picture = ReadPixels(engine.Core().GetImage());
    ASSERT_EQ(102, picture.width);
    ASSERT_EQ(82, picture.height);
    EXPECT_TRUE(ShowsPattern(picture, 49, 49, rect.right - rect.left, rect.bottom - rect.top));
}

// The information box beside the cursor flips at the edges of the monitor
// under the cursor, not of the virtual screen: box 54 x 84 (6 lines of 14).
TEST_F(MonitorTest, TheInformationBoxFlipsAtTheEdgesOfTheMonitorUnderTheCursor)
{
    const struct
    {
        POINT cursor;
        RECT box;
    } cases[] = {
        { { 1600, 400 }, { 1603, 313, 1657, 397 } },   // room on the second monitor
        { { 2280, 400 }, { 2223, 313, 2277, 397 } },   // its right edge
        { { 1600, 60 }, { 1603, 63, 1657, 147 } },     // its top edge
        { { 1250, 400 }, { 1193, 313, 1247, 397 } },   // the primary's right edge
        { { 1200, 400 }, { 1203, 313, 1257, 397 } },   // room on the primary
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cursor.x);
        const CPoint cursor(c.cursor);
        EXPECT_EQ(CRect(c.box), CDlgSnapRectHelper::InfoBoxRect(cursor, 54, 14, CScreenLayout::MonitorAt(cursor)));
    }
}

// The overlay's tip sits at the top-left corner of the cursor's monitor and
// jumps to that monitor's top-right corner when the cursor comes near.
TEST_F(MonitorTest, TheOverlayTipKeepsToTheMonitorUnderTheCursor)
{
    // On a bare display the last test's overlay stays for 2 s after it
    // closed, and under Xephyr the pointer does not cross heads under it.
    guitest::MessagePump::PumpFor(2500);
    CRect rcTipOnSecond;
    CRect rcTipNearCorner;
    std::unique_ptr<MouseScript> pScript;
    guitest::ModalWatchdog watchdog(20000);
    guitest::TimedAction tip(600, [&] {
        const HWND hOverlay = FindThreadWindowWith(IDC_SNAP_RECT_TIP);
        const HWND hTip = ::GetDlgItem(hOverlay, IDC_SNAP_RECT_TIP);
        pScript.reset(new MouseScript({ { Step::MOVE, 1800, 500 } }));
        pScript.reset();
        MessagePump::PumpUntil([&] { return WindowRectOf(hTip).left == kSecond.left + 10; }, 4000);
        rcTipOnSecond = WindowRectOf(hTip);
        pScript.reset(new MouseScript({ { Step::MOVE, kSecond.left + 50, 60 } }));
        pScript.reset();
        MessagePump::PumpUntil([&] { return WindowRectOf(hTip).left == kSecond.right - 230; }, 4000);
        rcTipNearCorner = WindowRectOf(hTip);
        ::PostMessageW(hOverlay, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(0, engine.Core().SnapSelectRect());
    EXPECT_FALSE(watchdog.Fired());
    EXPECT_EQ(CRect(kSecond.left + 10, 10, kSecond.left + 230, 263), rcTipOnSecond);
    EXPECT_EQ(CRect(kSecond.right - 230, 10, kSecond.right - 10, 263), rcTipNearCorner);
}

// The object pick's tip takes the bottom-right corner of the monitor under
// the cursor: on the second monitor, its own bottom-right corner.
TEST_F(MonitorTest, ThePickTipKeepsToTheMonitorUnderTheCursor)
{
    CRect rcTip;
    std::unique_ptr<MouseScript> pScript;
    guitest::ModalWatchdog watchdog(20000);
    guitest::TimedAction drive(300, [&] {
        pScript.reset(new MouseScript({ { Step::MOVE, 1700, 300 } }));
        pScript.reset();
        const HWND hTip = FindThreadWindowWith(IDC_SNAP_TIP);
        MessagePump::PumpUntil([&] { return WindowRectOf(hTip).right == kSecond.right - 10; }, 4000);
        rcTip = WindowRectOf(hTip);
        pScript.reset(new MouseScript({ { Step::RIGHT_CLICK, 0, 0 } }));
    });
    EXPECT_EQ(1, engine.Core().SnapWinObj());
    EXPECT_FALSE(watchdog.Fired());
    EXPECT_EQ(CRect(kSecond.right - 10 - 220, kSecond.bottom - 10 - 253, kSecond.right - 10, kSecond.bottom - 10),
              rcTip);
}
