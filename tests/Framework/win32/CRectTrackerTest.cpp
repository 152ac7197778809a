// CRectTracker: the true rectangle and hit test of a band in either
// direction, and the rubber band drawn with real input (release, Esc, the
// right button, no movement, inversion refused), its XOR frame erased again.
#include <gtest/gtest.h>

#include <thread>

#include "CDC.h"
#include "CPaintDC.h"
#include "CRectTracker.h"
#include "CWnd.h"
#include "InputSender.h"
#include "MessagePump.h"
#include "ScreenReader.h"

using guitest::InputSender;

namespace {

TEST(CRectTrackerTest, TheTrueRectangleIsNormalisedAndGrownByTheFrameAndOutsideHandles)
{
    const struct
    {
        UINT nStyle;
        CRect expected;
    } cases[] = {
        { 0, CRect(100, 100, 200, 150) },
        { CRectTracker::solidLine, CRect(99, 99, 201, 151) },
        { CRectTracker::solidLine | CRectTracker::resizeInside, CRect(99, 99, 201, 151) },
        { CRectTracker::dottedLine, CRect(99, 99, 201, 151) },
        { CRectTracker::resizeOutside, CRect(94, 94, 206, 156) },
        { CRectTracker::solidLine | CRectTracker::resizeOutside, CRect(94, 94, 206, 156) },
    };
    for (const RECT& band : { RECT{ 100, 100, 200, 150 }, RECT{ 200, 150, 100, 100 } }) {
        for (const auto& c : cases) {
            const CRectTracker tracker(&band, c.nStyle);
            CRect rectTrue;
            tracker.GetTrueRect(&rectTrue);
            EXPECT_EQ(c.expected, rectTrue) << "style " << c.nStyle << " left " << band.left;
        }
    }
}

TEST(CRectTrackerTest, HitTestFindsTheHandlesInsideTheFrameAndTheMiddle)
{
    const struct
    {
        POINT pt;
        int nHit;
    } cases[] = {
        { { 100, 100 }, CRectTracker::hitTopLeft },   { { 199, 100 }, CRectTracker::hitTopRight },
        { { 199, 149 }, CRectTracker::hitBottomRight }, { { 100, 149 }, CRectTracker::hitBottomLeft },
        { { 150, 100 }, CRectTracker::hitTop },       { { 199, 125 }, CRectTracker::hitRight },
        { { 150, 149 }, CRectTracker::hitBottom },    { { 100, 125 }, CRectTracker::hitLeft },
        { { 150, 125 }, CRectTracker::hitMiddle },    { { 106, 106 }, CRectTracker::hitMiddle },
        { { 99, 99 }, CRectTracker::hitMiddle },      { { 200, 150 }, CRectTracker::hitMiddle },
        { { 98, 120 }, CRectTracker::hitNothing },    { { 201, 151 }, CRectTracker::hitNothing },
    };
    // The same answers for the band drawn either way.
    for (const RECT& band : { RECT{ 100, 100, 200, 150 }, RECT{ 200, 150, 100, 100 } }) {
        CRectTracker tracker(&band, CRectTracker::solidLine | CRectTracker::resizeInside);
        const CRectTracker copy(tracker);
        CRectTracker assigned;
        assigned = tracker;
        for (const auto& c : cases) {
            EXPECT_EQ(c.nHit, tracker.HitTest(c.pt)) << c.pt.x << "," << c.pt.y;
            EXPECT_EQ(c.nHit, copy.HitTest(c.pt)) << c.pt.x << "," << c.pt.y;
            EXPECT_EQ(c.nHit, assigned.HitTest(c.pt)) << c.pt.x << "," << c.pt.y;
        }
    }
}

// A white popup that runs a rubber band from every left-button press.
class TrackingWnd : public CWnd
{
public:
    CRectTracker m_tracker;
    BOOL m_bAllowInvert = TRUE;
    BOOL m_bResult = FALSE;
    bool m_bDone = false;
    bool m_bCaptureReleased = false;

protected:
    DECLARE_MESSAGE_MAP()
    void OnPaint()
    {
        CPaintDC dc(this);
        CRect rc;
        GetClientRect(&rc);
        dc.FillSolidRect(&rc, RGB(255, 255, 255));
    }
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    void OnLButtonDown(UINT, CPoint point)
    {
        m_bResult = m_tracker.TrackRubberBand(this, point, m_bAllowInvert);
        m_bCaptureReleased = ::GetCapture() == nullptr;
        m_bDone = true;
    }
};

BEGIN_MESSAGE_MAP(TrackingWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

enum class End { Release, Esc, RightButton };

// Pixels of the screen rectangle that are not white.
int Ink(const RECT& rect)
{
    int nInk = 0;
    for (COLORREF cr : guitest::ScreenReader::Rect(rect).Colors())
        nInk += cr != RGB(255, 255, 255);
    return nInk;
}

TEST(CRectTrackerTest, TheRubberBandFollowsTheMouseUntilReleasedOrCancelled)
{
    TrackingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(WS_EX_TOPMOST, nullptr, L"橡皮筋", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400, nullptr, nullptr));
    wnd.SetForegroundWindow();
    wnd.SetFocus();
    guitest::MessagePump::PumpFor(200);
    const struct
    {
        BOOL bAllowInvert;
        RECT drag;
        End end;
        BOOL bResult;
        CRect rect;
    } cases[] = {
        { TRUE, { 50, 60, 150, 120 }, End::Release, TRUE, CRect(50, 60, 150, 120) },
        { TRUE, { 150, 120, 50, 60 }, End::Release, TRUE, CRect(150, 120, 50, 60) },
        { FALSE, { 150, 120, 50, 60 }, End::Release, FALSE, CRect(150, 120, 150, 120) },
        { TRUE, { 50, 60, 150, 120 }, End::Esc, FALSE, CRect(50, 60, 50, 60) },
        { TRUE, { 50, 60, 150, 120 }, End::RightButton, FALSE, CRect(50, 60, 50, 60) },
        { TRUE, { 50, 60, 50, 60 }, End::Release, FALSE, CRect(50, 60, 50, 60) },
    };
    for (const auto& c : cases) {
        const int nCase = static_cast<int>(&c - cases);
        wnd.m_bAllowInvert = c.bAllowInvert;
        wnd.m_bDone = false;
        wnd.m_bResult = !c.bResult;
        // The XOR frame's top edge (dotted) while the band is out.
        CRect edge(c.drag);
        edge.NormalizeRect();
        edge.SetRect(edge.left + 5, edge.top, edge.right - 5, edge.top + 1);
        const bool bFramed = c.bAllowInvert && c.drag.left != c.drag.right;
        int nInkDuring = 0;
        std::thread input([&c, &nInkDuring, &edge, bFramed] {
            InputSender::MoveTo(c.drag.left, c.drag.top);
            Sleep(50);
            InputSender::Button(MOUSEEVENTF_LEFTDOWN);
            for (int i = 1; i <= 4; ++i) {
                Sleep(30);
                InputSender::MoveTo(c.drag.left + (c.drag.right - c.drag.left) * i / 4,
                                    c.drag.top + (c.drag.bottom - c.drag.top) * i / 4);
            }
            Sleep(150);
            nInkDuring = bFramed ? Ink(edge) : 0;
            if (c.end == End::Esc)
                InputSender::Key(VK_ESCAPE);
            if (c.end == End::RightButton) {
                InputSender::Button(MOUSEEVENTF_RIGHTDOWN);
                InputSender::Button(MOUSEEVENTF_RIGHTUP);
            }
            Sleep(100);
            InputSender::Button(MOUSEEVENTF_LEFTUP);
        });
        EXPECT_TRUE(guitest::MessagePump::PumpUntil([&wnd] { return wnd.m_bDone; }, 5000));
        input.join();
        guitest::MessagePump::PumpFor(100);
        EXPECT_EQ(c.bResult, wnd.m_bResult) << "case " << nCase;
        EXPECT_EQ(c.rect, wnd.m_tracker.m_rect) << "case " << nCase;
        EXPECT_TRUE(wnd.m_bCaptureReleased) << "case " << nCase;
        if (bFramed) {
            EXPECT_GT(nInkDuring, 10) << "case " << nCase;
            EXPECT_EQ(0, Ink(edge)) << "case " << nCase;
        }
    }
}

} // namespace
