// CSnapTrack: the rubber band of the region selection overlay. Instead of an
// inverted frame it has the overlay repaint itself while the band changes.
#pragma once

#include "TesLibApi.h"
#include "CRectTracker.h"

class TESLIB_API CSnapTrack : public CRectTracker
{
public:
    CSnapTrack();
    CSnapTrack(const CSnapTrack& other);
    CSnapTrack& operator=(const CSnapTrack& other);
    ~CSnapTrack() override;

    // Uses only pWnd, the overlay (CDlgSnapRectHelper; any other window is
    // left alone): sends WM_MOUSEMOVE (0, 0) to its tip window so that the
    // tip moves out of the cursor's way, has the overlay repaint everything
    // but the tip (PaintTipWindow), and sends WM_MOUSEMOVE (0, 0) to the
    // overlay so that the tip text follows the cursor.
    void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd) override;
};
