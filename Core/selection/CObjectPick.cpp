// CObjectPick: timer, highlight and tip placement of the object pick (see
// CObjectPick.h).
#include "CObjectPick.h"

#include "CDlgSnapObjHelper.h"
#include "CRect.h"
#include "CScreenGrabber.h"
#include "CScreenLayout.h"
#include "CTesLocalResource.h"

namespace {

const COLORREF kFrameColor = RGB(255, 0, 0);
const int kFrameWidth = 4;

// The monitor under the cursor, whose corners the tip keeps to.
CRect CursorMonitor()
{
    POINT ptCursor = {};
    ::GetCursorPos(&ptCursor);
    return CScreenLayout::MonitorAt(ptCursor);
}

} // namespace

CObjectPick::CObjectPick(CDlgSnapObjHelper& tip)
    : m_tip(tip), m_hOwner(nullptr), m_hFound(nullptr), m_hFramed(nullptr), m_bPicking(FALSE)
{
}

BOOL CObjectPick::IsTipOpen() const
{
    return ::IsWindow(m_tip.GetSafeHwnd());
}

void CObjectPick::Start(HWND hOwner)
{
    m_hOwner = hOwner;
    ::SetCapture(hOwner);
    m_bPicking = TRUE;
    m_hFound = nullptr;
    m_hFramed = nullptr;
    ::SetTimer(hOwner, TIMER_ID, TIMER_MS, nullptr);
    m_tip.MoveToCorner(0, CursorMonitor());
}

void CObjectPick::RunTip()
{
    CTesLocalResource resourceScope;
    m_tip.DoModal();
}

void CObjectPick::OnTimerTick()
{
    POINT ptCursor = {};
    ::GetCursorPos(&ptCursor);
    const HWND hUnder = ::WindowFromPoint(ptCursor);
    if (hUnder != nullptr && ::IsWindow(hUnder)) {
        if (hUnder != m_hFound && m_hFound != nullptr) {
            RemoveFrame();
            RefreshFoundWindow(m_hFound);
        }
        m_hFound = hUnder;
        HighlightFoundWindow(hUnder);
    }
    OnMouseMove();
}

void CObjectPick::OnMouseMove()
{
    if (!IsTipOpen())
        return;
    LocateSnapObjTip();
    m_tip.SendMessage(WM_MOUSEMOVE, 0, 0);
}

HWND CObjectPick::Stop(INT_PTR nTipResult)
{
    if (IsTipOpen()) {
        m_tip.ShowWindow(SW_HIDE);
        m_tip.EndDialog(static_cast<int>(nTipResult));
    }
    // The next pick starts at the bottom-right corner again.
    m_tip.MoveToCorner(0, CursorMonitor());
    ::KillTimer(m_hOwner, TIMER_ID);
    const HWND hFound = m_hFound;
    m_hFound = nullptr;
    if (hFound != nullptr && ::IsWindow(hFound)) {
        RemoveFrame();
        RefreshFoundWindow(hFound);   // no frame on the picture, none left behind
    }
    m_hFramed = nullptr;
    if (::GetCapture() == m_hOwner)
        ::ReleaseCapture();
    m_bPicking = FALSE;
    return hFound != nullptr && ::IsWindow(hFound) ? hFound : nullptr;
}

void CObjectPick::RemoveFrame()
{
    if (m_hFramed != nullptr && ::IsWindow(m_hFramed))
        HighlightFoundWindow(m_hFramed);
    m_hFramed = nullptr;
}

void CObjectPick::HighlightFoundWindow(HWND hWnd)
{
    CRect rcWindow;
    if (!::GetWindowRect(hWnd, &rcWindow))
        return;
    // Another process's child window shows nothing drawn through its own DC
    // on some systems: it is outlined on the screen instead.
    const BOOL bThroughScreen = CScreenGrabber::IsForeignChild(hWnd);
    const HWND hDrawn = bThroughScreen ? nullptr : hWnd;
    const HDC hDC = bThroughScreen ? ::GetDC(nullptr) : ::GetWindowDC(hWnd);
    if (hDC == nullptr)
        return;
    const CPoint origin = bThroughScreen ? rcWindow.TopLeft() : CPoint(0, 0);
    const HPEN hPen = ::CreatePen(PS_SOLID, kFrameWidth, kFrameColor);
    const HGDIOBJ hOldPen = ::SelectObject(hDC, hPen);
    const HGDIOBJ hOldBrush = ::SelectObject(hDC, ::GetStockObject(NULL_BRUSH));
    const int nOldRop = ::SetROP2(hDC, R2_NOTXORPEN);
    ::Rectangle(hDC, origin.x, origin.y, origin.x + rcWindow.Width(), origin.y + rcWindow.Height());
    ::SetROP2(hDC, nOldRop);
    ::SelectObject(hDC, hOldBrush);
    ::SelectObject(hDC, hOldPen);
    ::ReleaseDC(hDrawn, hDC);
    ::DeleteObject(hPen);
    m_hFramed = m_hFramed == hWnd ? nullptr : hWnd;
}

void CObjectPick::RefreshFoundWindow(HWND hWnd)
{
    ::InvalidateRect(hWnd, nullptr, TRUE);
    ::UpdateWindow(hWnd);
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CObjectPick::LocateSnapObjTip()
{
    if (!IsTipOpen())
        return;
    POINT ptCursor = {};
    ::GetCursorPos(&ptCursor);
    const CRect rcMonitor = CScreenLayout::MonitorAt(ptCursor);
    // On another monitor the tip takes the same corner of the cursor's one.
    CRect rcTip;
    m_tip.GetWindowRect(&rcTip);
    const CRect rcCorner = m_tip.CornerRect(m_tip.GetCorner(), rcMonitor);
    if (rcTip != rcCorner)
        m_tip.MoveToCorner(m_tip.GetCorner(), rcMonitor);
    CRect rcNear = rcCorner;
    rcNear.InflateRect(NEAR_TIP, NEAR_TIP);
    if (!rcNear.PtInRect(ptCursor))
        return;
    m_tip.MoveToCorner(1 - m_tip.GetCorner(), rcMonitor);
    const HWND hUncovered = ::WindowFromPoint(ptCursor);
    if (hUncovered != nullptr)
        RefreshFoundWindow(hUncovered);
}
