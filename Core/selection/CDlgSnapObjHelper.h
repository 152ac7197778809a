// CDlgSnapObjHelper: the small borderless topmost tip that accompanies the
// pick of an interface object. It shows the cursor coordinates, the two
// instructions and a live magnified view around the cursor (its tip edit).
#pragma once

#include "TesLibApi.h"
#include "CDialog.h"
#include "CRect.h"
#include "CSnapTipEdit.h"
#include "TesLibResource.h"

// The object pick (CObjectPick) runs it modally inside a CTesLocalResource
// scope, moves it between a monitor's bottom-right corner (m_nCorner 0) and
// its top-left corner (non-zero) through MoveToCorner, sends it WM_MOUSEMOVE
// on every timer tick and hook mouse move, and ends it on the click. It opens
// at the bottom-right corner of the monitor under the cursor, in that
// monitor's tip layout (CSnapTipLayout; 220 x 253 pixels, 10 from both edges
// at 96 DPI). Its first mouse move gives the
// foreground back to the front-most qualifying window, so that the
// application the user was in can open its menus while the tip stays on top.
class TESLIB_API CDlgSnapObjHelper : public CDialog
{
    DECLARE_DYNAMIC(CDlgSnapObjHelper)
public:
    enum { IDD = IDD_SNAP_OBJ_HELPER };

    explicit CDlgSnapObjHelper(CWnd* pParent = nullptr);
    ~CDlgSnapObjHelper() override;

    // Puts "·坐标(X:x, Y:y)" with the cursor's screen position and the two
    // instruction lines into the tip edit and repaints it.
    void DrawTipWindow();

    // The corner the tip sits at (0 bottom-right, 1 top-left) and its
    // rectangle there on a screen of rcScreen, in that monitor's layout of
    // size w x h and margin m (220 x 253 and 10 at 96 DPI): bottom-right
    // (right - m - w, bottom - m - h, right - m, bottom - m), top-left
    // (left + m, top + m, left + m + w, top + m + h).
    int GetCorner() const { return m_nCorner != 0 ? 1 : 0; }
    CRect CornerRect(int nCorner, const CRect& rcScreen) const;
    // Moves the tip (when open) to nCorner of rcScreen in that monitor's
    // layout, repainting it, and makes that its corner.
    void MoveToCorner(int nCorner, const CRect& rcScreen);
protected:
    CSnapTipEdit m_wndTip;

public:
    // Read and written by the capture engine: 0 at the bottom-right corner,
    // non-zero at the top-left one.
    int m_nCorner;
    // The tip's size: 220 x 216 until the dialog initialises, its layout's
    // afterwards.
    int m_nTipWidth;
    int m_nTipHeight;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Live magnifier on the desktop, bottom-right placement, topmost.
    BOOL OnInitDialog() override;

    DECLARE_MESSAGE_MAP()
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnDestroy();

private:
    // 1 until the first mouse move after the dialog opens.
    int m_bFirstMove;
};
