// CSnapTrack: the overlay's rubber band (see CSnapTrack.h).
#include "CSnapTrack.h"

#include "CDlgSnapRectHelper.h"

CSnapTrack::CSnapTrack() = default;
CSnapTrack::CSnapTrack(const CSnapTrack& other) = default;
CSnapTrack& CSnapTrack::operator=(const CSnapTrack& other) = default;
CSnapTrack::~CSnapTrack() = default;

void CSnapTrack::DrawTrackerRect(LPCRECT /*lpRect*/, CWnd* /*pWndClipTo*/, CDC* /*pDC*/, CWnd* pWnd)
{
    if (pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CDlgSnapRectHelper)))
        return;
    CDlgSnapRectHelper* pOverlay = static_cast<CDlgSnapRectHelper*>(pWnd);
    CWnd* pTip = pOverlay->GetDlgItem(IDC_SNAP_RECT_TIP);
    if (pTip != nullptr)
        pTip->SendMessage(WM_MOUSEMOVE, 0, 0);
    pOverlay->PaintTipWindow();
    pOverlay->SendMessage(WM_MOUSEMOVE, 0, 0);
}
