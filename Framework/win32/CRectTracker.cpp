// CRectTracker: rubber band, frame and resize handles (see CRectTracker.h).
#include "CRectTracker.h"

#include "CClientDC.h"
#include "CDC.h"
#include "CPen.h"
#include "CWnd.h"

namespace {

const int kDefaultHandleSize = 6;

// Which edges of the rectangle each handle (TrackerHit 0-7) moves.
struct HandleEdges
{
    bool left, top, right, bottom;
};
const HandleEdges kHandleEdges[8] = {
    { true, true, false, false },   // hitTopLeft
    { false, true, true, false },   // hitTopRight
    { false, false, true, true },   // hitBottomRight
    { true, false, false, true },   // hitBottomLeft
    { false, true, false, false },  // hitTop
    { false, false, true, false },  // hitRight
    { false, false, false, true },  // hitBottom
    { true, false, false, false },  // hitLeft
};

// Where a handle of size s lies along one axis of [lo, hi): 0 at the low
// edge, 1 in the middle, 2 at the high edge; inside or outside the interval.
void HandleSpan(int nPlace, int lo, int hi, int s, bool bInside, LONG& from, LONG& to)
{
    if (nPlace == 0)
        from = bInside ? lo : lo - s;
    else if (nPlace == 2)
        from = bInside ? hi - s : hi;
    else
        from = (lo + hi) / 2 - s / 2;
    to = from + s;
}

// Column and row places (see HandleSpan) of each handle.
const int kHandlePlaces[8][2] = {
    { 0, 0 }, { 2, 0 }, { 2, 2 }, { 0, 2 }, { 1, 0 }, { 2, 1 }, { 1, 2 }, { 0, 1 },
};

CRect Normalized(const RECT& rect)
{
    CRect r(rect);
    r.NormalizeRect();
    return r;
}

} // namespace

CRectTracker::CRectTracker()
    : m_nStyle(0), m_nHandleSize(kDefaultHandleSize), m_bErase(FALSE), m_bAllowInvert(TRUE),
      m_bFinalErase(FALSE)
{
}

CRectTracker::CRectTracker(LPCRECT lpSrcRect, UINT nStyle) : CRectTracker()
{
    if (lpSrcRect != nullptr)
        m_rect = *lpSrcRect;
    m_nStyle = nStyle;
}

CRectTracker::CRectTracker(const CRectTracker& other) = default;
CRectTracker& CRectTracker::operator=(const CRectTracker& other) = default;
CRectTracker::~CRectTracker() = default;

void CRectTracker::DrawTrackerRect(LPCRECT lpRect, CWnd* /*pWndClipTo*/, CDC* pDC, CWnd* /*pWnd*/)
{
    // A focus frame is drawn with XOR, so drawing it again removes it.
    if (m_bErase)
        pDC->DrawFocusRect(&m_rectLast);
    m_bErase = FALSE;
    if (!m_bFinalErase) {
        m_rectLast = Normalized(*lpRect);
        pDC->DrawFocusRect(&m_rectLast);
        m_bErase = TRUE;
    }
}

void CRectTracker::AdjustRect(int nHandle, LPRECT lpRect)
{
    if (m_bAllowInvert || nHandle < hitTopLeft || nHandle > hitLeft)
        return;
    const HandleEdges& edges = kHandleEdges[nHandle];
    if (edges.left && lpRect->left > lpRect->right)
        lpRect->left = lpRect->right;
    if (edges.right && lpRect->right < lpRect->left)
        lpRect->right = lpRect->left;
    if (edges.top && lpRect->top > lpRect->bottom)
        lpRect->top = lpRect->bottom;
    if (edges.bottom && lpRect->bottom < lpRect->top)
        lpRect->bottom = lpRect->top;
}

void CRectTracker::OnChangedRect(const CRect& /*rectOld*/)
{
}

UINT CRectTracker::GetHandleMask() const
{
    const CRect r = Normalized(m_rect);
    const int s = GetHandleSize();
    UINT mask = 0x0F;   // the four corners
    if (r.Width() >= 3 * s)
        mask |= (1u << hitTop) | (1u << hitBottom);
    if (r.Height() >= 3 * s)
        mask |= (1u << hitLeft) | (1u << hitRight);
    return mask;
}

int CRectTracker::GetHandleSize(LPCRECT lpRect) const
{
    int s = m_nHandleSize;
    if ((m_nStyle & resizeInside) != 0) {
        const CRect r = Normalized(lpRect != nullptr ? *lpRect : m_rect);
        const int nShorter = r.Width() < r.Height() ? r.Width() : r.Height();
        if (s > nShorter / 2)
            s = nShorter / 2;
    }
    return s;
}

CRect CRectTracker::GetHandleRect(int nHandle) const
{
    const CRect r = Normalized(m_rect);
    const int s = GetHandleSize(&r);
    const bool bInside = (m_nStyle & resizeInside) != 0;
    CRect handle;
    HandleSpan(kHandlePlaces[nHandle][0], r.left, r.right, s, bInside, handle.left, handle.right);
    HandleSpan(kHandlePlaces[nHandle][1], r.top, r.bottom, s, bInside, handle.top, handle.bottom);
    return handle;
}

void CRectTracker::GetTrueRect(LPRECT lpTrueRect) const
{
    CRect r = Normalized(m_rect);
    int nGrow = 0;
    if ((m_nStyle & (solidLine | dottedLine)) != 0)
        nGrow = 1;
    if ((m_nStyle & resizeOutside) != 0 && GetHandleSize(&r) > nGrow)
        nGrow = GetHandleSize(&r);
    r.InflateRect(nGrow, nGrow);
    *lpTrueRect = r;
}

int CRectTracker::HitTest(CPoint point) const
{
    CRect rectTrue;
    GetTrueRect(&rectTrue);
    if (!rectTrue.PtInRect(point))
        return hitNothing;
    if ((m_nStyle & (resizeInside | resizeOutside)) != 0) {
        const UINT mask = GetHandleMask();
        for (int i = hitTopLeft; i <= hitLeft; ++i) {
            if ((mask & (1u << i)) != 0 && GetHandleRect(i).PtInRect(point))
                return i;
        }
    }
    return hitMiddle;
}

void CRectTracker::Draw(CDC* pDC) const
{
    const CRect r = Normalized(m_rect);
    if ((m_nStyle & (solidLine | dottedLine)) != 0) {
        CPen pen;
        if (pen.CreatePen((m_nStyle & solidLine) != 0 ? PS_SOLID : PS_DOT, 1, RGB(0, 0, 0))) {
            const int nSaved = pDC->SaveDC();
            pDC->SelectObject(&pen);
            pDC->SelectStockObject(NULL_BRUSH);
            pDC->SetBkMode(TRANSPARENT);
            pDC->Rectangle(r.left - 1, r.top - 1, r.right + 1, r.bottom + 1);
            pDC->RestoreDC(nSaved);
        }
    }
    if ((m_nStyle & (resizeInside | resizeOutside)) != 0) {
        const UINT mask = GetHandleMask();
        for (int i = hitTopLeft; i <= hitLeft; ++i) {
            if ((mask & (1u << i)) != 0)
                pDC->FillSolidRect(GetHandleRect(i), RGB(0, 0, 0));
        }
    }
}

BOOL CRectTracker::TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert)
{
    m_bAllowInvert = bAllowInvert;
    m_rect.SetRect(point.x, point.y, point.x, point.y);
    if (pWnd == nullptr || !pWnd->IsWindow() || ::GetCapture() != nullptr)
        return FALSE;
    const HWND hWnd = pWnd->GetSafeHwnd();
    const CRect rectStart = m_rect;

    pWnd->UpdateWindow();
    pWnd->SetCapture();
    BOOL bMoved = FALSE;
    BOOL bCancelled = FALSE;
    CClientDC dc(pWnd);
    m_bErase = FALSE;
    m_bFinalErase = FALSE;
    for (BOOL bDone = FALSE; !bDone && !bCancelled;) {
        MSG msg;
        const BOOL bGot = ::GetMessage(&msg, nullptr, 0, 0);
        if (bGot <= 0) {
            // WM_QUIT belongs to the loop outside: leave it for that loop.
            if (bGot == 0)
                ::PostQuitMessage(static_cast<int>(msg.wParam));
            bCancelled = TRUE;
            break;
        }
        if (::GetCapture() != hWnd) {
            ::DispatchMessage(&msg);
            bCancelled = TRUE;
            break;
        }
        switch (msg.message) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP: {
            POINT pt = { static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)) };
            if (msg.hwnd != hWnd)
                ::MapWindowPoints(msg.hwnd, hWnd, &pt, 1);
            const CRect rectOld = m_rect;
            m_rect.right = pt.x;
            m_rect.bottom = pt.y;
            AdjustRect(hitBottomRight, &m_rect);
            if (m_rect != rectOld) {
                bMoved = TRUE;
                DrawTrackerRect(&m_rect, pWnd, &dc, pWnd);
                OnChangedRect(rectOld);
            }
            bDone = msg.message == WM_LBUTTONUP;
            break;
        }
        case WM_KEYDOWN:
            bCancelled = msg.wParam == VK_ESCAPE;
            break;
        case WM_RBUTTONDOWN:
            bCancelled = TRUE;
            break;
        default:
            // Other input is swallowed while the band is drawn; everything
            // else (paint, timers, posted messages) takes its usual course.
            const bool bInput = (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) ||
                                (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST);
            if (!bInput)
                ::DispatchMessage(&msg);
            break;
        }
    }
    if (bCancelled)
        m_rect = rectStart;
    if (bMoved) {
        m_bFinalErase = TRUE;
        DrawTrackerRect(&m_rect, pWnd, &dc, pWnd);
        m_bFinalErase = FALSE;
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    return !bCancelled && bMoved && !Normalized(m_rect).IsRectEmpty();
}
