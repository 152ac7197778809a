// CDlgSnapRectHelper: the full-screen region selection overlay. It freezes
// the screen, shows the frozen picture as its background and lets the user
// drag the rectangle to capture; a tip window in a corner shows the colour
// under the cursor, the next step and a magnified view.
#pragma once

#include "TesLibApi.h"
#include "CDialog.h"
#include "CImageBitmap.h"
#include "CRect.h"
#include "CRgn.h"
#include "CSnapTipEdit.h"
#include "CSnapTrack.h"
#include "TesLibResource.h"

#include <future>
#include <memory>

// Create and run it inside a CTesLocalResource scope (its template and cursor
// are TesLib's). Opening it puts the frozen screen on the clipboard: right
// after its first paint, or when it closes before that.
//
// States (m_nState): 0 waiting for the press, 1 dragging, 2 done. The press
// starts a rubber band; releasing it accepts the rectangle and ends the dialog
// with IDOK. Esc or the right button during the drag cancels the drag only;
// Esc otherwise ends the dialog with IDCANCEL. A press and release without
// moving keeps the dialog open.
//
// The selection is the band's true rectangle: a drag from (100, 100) to
// (200, 150), or back, selects (99, 99, 201, 151).
//
// Only one overlay runs at a time: DoModal of a second one while the first is
// open (a held hot key repeats) returns IDCANCEL at once with nothing shown
// and nothing selected.
class TESLIB_API CDlgSnapRectHelper : public CDialog
{
    DECLARE_DYNAMIC(CDlgSnapRectHelper)
public:
    enum { IDD = IDD_SNAP_RECT };

    explicit CDlgSnapRectHelper(CWnd* pParent = nullptr);
    ~CDlgSnapRectHelper() override;

    INT_PTR DoModal() override;

    // The overlay covers the virtual screen (every monitor); the information
    // box and the tip keep to the monitor under the cursor.
    //
    // The selected rectangle (screen coordinates); TRUE when it is not empty.
    // Empty after a cancel or when the dialog has not run.
    BOOL GetSelectedRect(CRect& rect) const;
    // The selected rectangle of the frozen screen, as the user saw it, in a
    // new picture the caller owns; null without a selection or a frozen
    // screen. Valid until the object goes.
    CImageBitmap* CutSelection() const;
    // Invalidates (with erasing) the whole overlay except the tip window.
    void PaintTipWindow();

    // Where the information box goes for the cursor at (x, y) on the monitor
    // rcMonitor (all in one coordinate system): to the right of the cursor
    // when x + nBoxWidth < rcMonitor.right, else to its left; above it when
    // y - 6 * nLineHeight > rcMonitor.top, else below:
    //   right: (x + 3, x + nBoxWidth + 3)   left: (x - nBoxWidth - 3, x - 3)
    //   above: (y - 6 * nLineHeight - 3, y - 3)   below: (y + 3, y + 6 * nLineHeight + 3)
    static CRect InfoBoxRect(CPoint cursor, int nBoxWidth, int nLineHeight, const CRect& rcMonitor);

protected:
    BOOL OnInitDialog() override;
    // Stores the band's true rectangle and ends with IDOK.
    void OnOK() override;
    // Empties the selection and ends with IDCANCEL.
    void OnCancel() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // Grabs the whole screen into m_bmpScreen; FALSE when it could not be
    // grabbed (no picture, and the clipboard is left as it was).
    BOOL SnapFullScreen();
    // Puts a copy of the frozen screen on the clipboard, which then owns it;
    // once per opening.
    void HandOverScreen();
    // Tip text: the colour under the cursor and the line for the state.
    void DrawTipWindow();
    // The information box next to the cursor: corner and size of rect (the
    // band's true rectangle) and the cursor position.
    void DrawInfoWindow(CRect& rect);

    DECLARE_MESSAGE_MAP()
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    LRESULT OnHandOverScreen(WPARAM wParam, LPARAM lParam);

    CSnapTipEdit m_wndTip;
    HCURSOR m_hCursor;
    CSnapTrack m_tracker;
    CImageBitmap m_bmpScreen;
    int m_nState;
    CRect m_rectSelected;
    CRgn m_rgnUpdate;

private:
    enum HandOver { HAND_OVER_WAITING, HAND_OVER_POSTED, HAND_OVER_DONE };
    HandOver m_nHandOver;
    // The screen position of the overlay's client (0, 0): the virtual
    // screen's top-left corner.
    CPoint m_ptOrigin;
    // The grab of the screen that DoModal starts and SnapFullScreen takes.
    std::future<std::unique_ptr<CImageBitmap>> m_grab;

    // The overlay that is running, if any.
    static CDlgSnapRectHelper* s_pRunning;
};
