// CDlgSnapRectHelper: the region selection overlay (see CDlgSnapRectHelper.h).
#include "CDlgSnapRectHelper.h"

#include <future>
#include <memory>

#include "CClientDC.h"
#include "CClipboardScope.h"
#include "CDataExchange.h"
#include "CFont.h"
#include "CPaintDC.h"
#include "CPen.h"
#include "CScreenGrabber.h"
#include "CScreenLayout.h"
#include "CString.h"
#include "CTesLocalResource.h"

namespace {

const COLORREF kInfoColor = 0x00939393;
const int kInfoPointSize = 90;   // tenths of a point
const wchar_t kInfoFace[] = L"宋体";
// The box is as wide as this text in the box's font.
const wchar_t kInfoWidthText[] = L"顶点位置  ";
const int kInfoLines = 6;

const wchar_t kTipColorLine[] = L"·像素RGB(%d,%d,%d)\r\n";
const wchar_t* const kTipStateText[] = {
    L"·按下鼠标左键选择截取范围\r\n·按ESC键放弃",
    L"·松开鼠标左键确定截取范围\r\n·按ESC键放弃",
    L"·截取完成",
};


// The band's style: a solid frame with the resize handles inside.
const UINT kTrackerStyle = CRectTracker::solidLine | CRectTracker::resizeInside;

// Sent to itself once the overlay has painted: the frozen screen goes to
// the clipboard then, so the overlay opens without waiting for the copy.
const UINT WM_HAND_OVER_SCREEN = WM_APP + 0x54;

// pt, or rect, in coordinates whose origin is origin.
CPoint Shifted(CPoint pt, CPoint origin)
{
    return CPoint(pt.x - origin.x, pt.y - origin.y);
}

CRect Shifted(CRect rect, CPoint origin)
{
    rect.OffsetRect(-origin.x, -origin.y);
    return rect;
}

} // namespace

CDlgSnapRectHelper* CDlgSnapRectHelper::s_pRunning = nullptr;

IMPLEMENT_DYNAMIC(CDlgSnapRectHelper, CDialog)

BEGIN_MESSAGE_MAP(CDlgSnapRectHelper, CDialog)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_HAND_OVER_SCREEN, OnHandOverScreen)
END_MESSAGE_MAP()

CDlgSnapRectHelper::CDlgSnapRectHelper(CWnd* pParent)
    : CDialog(IDD, pParent), m_hCursor(nullptr), m_bmpScreen(0x00FFFFFF), m_nState(0),
      m_nHandOver(HAND_OVER_WAITING), m_ptOrigin(0, 0)
{
    {
        CTesLocalResource resourceScope;
        LPCTSTR lpszCursor = MAKEINTRESOURCE(IDC_SNAP_RECT_CURSOR);
        m_hCursor = ::LoadCursorW(AfxFindResourceHandle(lpszCursor, RT_GROUP_CURSOR), lpszCursor);
    }
    m_rgnUpdate.CreateRectRgn(0, 0, 50, 50);
}

CDlgSnapRectHelper::~CDlgSnapRectHelper()
{
    m_bmpScreen.DeleteObject();
}

INT_PTR CDlgSnapRectHelper::DoModal()
{
    if (s_pRunning != nullptr)
        return IDCANCEL;
    s_pRunning = this;
    // The screen is grabbed on a second thread while this one makes the
    // dialog; SnapFullScreen takes the grab before the dialog is shown.
    m_grab = std::async(std::launch::async, [] {
        return std::unique_ptr<CImageBitmap>(
            CScreenGrabber::Grab(::GetDesktopWindow(), CScreenLayout::VirtualScreen()));
    });
    const INT_PTR nResult = CDialog::DoModal();
    if (m_grab.valid())
        m_grab.wait();   // the dialog could not be made: the grab is dropped
    s_pRunning = nullptr;
    return nResult;
}

BOOL CDlgSnapRectHelper::GetSelectedRect(CRect& rect) const
{
    rect = m_rectSelected;
    return !m_rectSelected.IsRectEmpty();
}

CImageBitmap* CDlgSnapRectHelper::CutSelection() const
{
    std::unique_ptr<CImageBitmap> pPicture(new CImageBitmap(0x00FFFFFF));
    if (m_rectSelected.IsRectEmpty() || !pPicture->CopyImage(m_bmpScreen, Shifted(m_rectSelected, m_ptOrigin)))
        return nullptr;
    return pPicture.release();
}

CRect CDlgSnapRectHelper::InfoBoxRect(CPoint cursor, int nBoxWidth, int nLineHeight, const CRect& rcMonitor)
{
    CRect box;
    if (cursor.x + nBoxWidth < rcMonitor.right) {
        box.left = cursor.x + 3;
        box.right = cursor.x + nBoxWidth + 3;
    } else {
        box.left = cursor.x - nBoxWidth - 3;
        box.right = cursor.x - 3;
    }
    if (cursor.y - kInfoLines * nLineHeight > rcMonitor.top) {
        box.top = cursor.y - kInfoLines * nLineHeight - 3;
        box.bottom = cursor.y - 3;
    } else {
        box.top = cursor.y + 3;
        box.bottom = cursor.y + kInfoLines * nLineHeight + 3;
    }
    return box;
}

void CDlgSnapRectHelper::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SNAP_RECT_TIP, m_wndTip);
}

BOOL CDlgSnapRectHelper::OnInitDialog()
{
    CDialog::OnInitDialog();
    SnapFullScreen();
    // The overlay covers every monitor: its client coordinates are screen
    // coordinates less the virtual screen's corner.
    const CRect rcVirtual = CScreenLayout::VirtualScreen();
    m_ptOrigin = rcVirtual.TopLeft();
    // The tip's magnifier reads the frozen screen where it is.
    m_wndTip.SetFrozenSource(GetDesktopWindow(), m_bmpScreen, m_ptOrigin);
    m_nState = 0;
    m_nHandOver = HAND_OVER_WAITING;
    m_rectSelected.SetRectEmpty();

    // Topmost, so that the overlay covers topmost windows (a task bar) too.
    SetWindowPos(&wndTopMost, rcVirtual.left, rcVirtual.top, rcVirtual.Width(), rcVirtual.Height(), SWP_NOACTIVATE);
    m_tracker.m_nStyle = kTrackerStyle;
    m_tracker.m_rect.SetRect(-1, -1, -1, -1);

    // The tip opens at the top-left corner of the monitor under the cursor.
    CPoint cursor;
    ::GetCursorPos(&cursor);
    const CRect rcMonitor = Shifted(CScreenLayout::MonitorAt(cursor), m_ptOrigin);
    const CSnapTipLayout layout(CScreenLayout::DpiAt(cursor));
    m_wndTip.SetLayout(layout);
    m_wndTip.MoveWindow(rcMonitor.left + layout.Margin(), rcMonitor.top + layout.Margin(), layout.TipSize().cx,
                        layout.TipSize().cy, TRUE);
    m_wndTip.SetAtTopLeft(1);
    DrawTipWindow();
    m_wndTip.ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CDlgSnapRectHelper::SnapFullScreen()
{
    std::unique_ptr<CImageBitmap> pGrab;
    if (m_grab.valid()) {
        pGrab = m_grab.get();
    } else {
        pGrab.reset(CScreenGrabber::Grab(::GetDesktopWindow(), CScreenLayout::VirtualScreen()));
    }
    if (!pGrab)
        return FALSE;
    m_bmpScreen.TakeOver(*pGrab);
    return TRUE;
}

void CDlgSnapRectHelper::HandOverScreen()
{
    if (m_nHandOver == HAND_OVER_DONE)
        return;
    m_nHandOver = HAND_OVER_DONE;
    // The clipboard gets a copy of its own; it owns it only once it took it.
    CBitmap copy;
    if (!copy.Attach(m_bmpScreen.CopyToScreenBitmap()))
        return;
    CClipboardScope clipboard(m_hWnd);
    clipboard.PutBitmap(copy);
}

LRESULT CDlgSnapRectHelper::OnHandOverScreen(WPARAM, LPARAM)
{
    HandOverScreen();
    return 0;
}

void CDlgSnapRectHelper::PaintTipWindow()
{
    CRect rectOverlay;
    CRect rectTip;
    GetClientRect(&rectOverlay);
    m_wndTip.GetWindowRect(&rectTip);
    ScreenToClient(&rectTip);
    CRgn rgnOverlay;
    CRgn rgnTip;
    if (!rgnOverlay.CreateRectRgnIndirect(&rectOverlay) || !rgnTip.CreateRectRgnIndirect(&rectTip))
        return;
    if (m_rgnUpdate.CombineRgn(&rgnOverlay, &rgnTip, RGN_DIFF) != ERROR)
        InvalidateRgn(&m_rgnUpdate, TRUE);
}

void CDlgSnapRectHelper::DrawTipWindow()
{
    CPoint cursor;
    ::GetCursorPos(&cursor);
    // The colour as the frozen screen has it: the overlay may not have
    // painted it yet.
    COLORREF color = 0;
    const RGBX* pScreen = m_bmpScreen.GetPixels();
    const CSize sizeScreen = m_bmpScreen.GetSize();
    const CPoint at = Shifted(cursor, m_ptOrigin);
    if (pScreen != nullptr && at.x >= 0 && at.y >= 0 && at.x < sizeScreen.cx && at.y < sizeScreen.cy) {
        const RGBX& pixel = pScreen[static_cast<size_t>(at.y) * static_cast<size_t>(sizeScreen.cx) + at.x];
        color = RGB(pixel.r, pixel.g, pixel.b);
    } else {
        CClientDC dc(this);
        color = dc.GetPixel(at);
    }
    CString strText;
    strText.Format(kTipColorLine, GetRValue(color), GetGValue(color), GetBValue(color));
    strText += kTipStateText[m_nState >= 0 && m_nState <= 2 ? m_nState : 0];
    if (m_wndTip.GetSafeHwnd() == nullptr)
        return;
    // The magnifier follows the cursor whatever the text says; the text is
    // only set when it changed. The tip draws its text over its background
    // without erasing, so each repaint draws the background anew.
    CString strOld;
    m_wndTip.GetWindowText(strOld);
    if (strOld != strText)
        m_wndTip.SetWindowText(strText);
    m_wndTip.Invalidate(TRUE);
}

void CDlgSnapRectHelper::DrawInfoWindow(CRect& rect)
{
    CPoint cursor;
    ::GetCursorPos(&cursor);
    // The box keeps to the monitor under the cursor, in that monitor's DPI.
    const CRect rcMonitor = Shifted(CScreenLayout::MonitorAt(cursor), m_ptOrigin);
    LOGFONT lf = {};
    lf.lfHeight = -::MulDiv(kInfoPointSize, static_cast<int>(CScreenLayout::DpiAt(cursor)), 720);
    lf.lfCharSet = DEFAULT_CHARSET;
    ::lstrcpynW(lf.lfFaceName, kInfoFace, LF_FACESIZE);
    // Declared before the DC, so that they are deselected before they go.
    CFont font;
    CPen pen;
    CClientDC dc(this);
    if (!font.CreateFontIndirect(&lf) || !pen.CreatePen(PS_SOLID, 1, kInfoColor))
        return;
    dc.SetTextColor(kInfoColor);
    dc.SetBkMode(TRANSPARENT);
    dc.SelectObject(&font);
    dc.SelectObject(&pen);
    dc.SelectStockObject(NULL_BRUSH);

    TEXTMETRIC tm = {};
    dc.GetTextMetrics(&tm);
    const int nLineHeight = tm.tmHeight + tm.tmExternalLeading;
    const int nBoxWidth = dc.GetTextExtent(CString(kInfoWidthText)).cx;
    const CRect box = InfoBoxRect(Shifted(cursor, m_ptOrigin), nBoxWidth, nLineHeight, rcMonitor);
    dc.Rectangle(&box);

    CString lines[kInfoLines];
    lines[0] = L" 顶点位置 ";
    lines[1].Format(L" (%d,%d)", rect.left, rect.top);
    lines[2] = L" 矩形大小 ";
    lines[3].Format(L" (%d,%d)", rect.Width(), rect.Height());
    lines[4] = L" 光标坐标 ";
    lines[5].Format(L" (%d,%d)", cursor.x, cursor.y);
    for (int k = 0; k < kInfoLines; ++k)
        dc.TextOut(box.left, box.top + 2 + k * nLineHeight, lines[k]);
}

void CDlgSnapRectHelper::OnOK()
{
    HandOverScreen();
    m_tracker.GetTrueRect(&m_rectSelected);
    m_rectSelected.OffsetRect(m_ptOrigin);
    EndDialog(IDOK);
}

void CDlgSnapRectHelper::OnCancel()
{
    HandOverScreen();
    m_rectSelected.SetRectEmpty();
    EndDialog(IDCANCEL);
}

BOOL CDlgSnapRectHelper::OnEraseBkgnd(CDC* pDC)
{
    if (m_bmpScreen.GetSafeHandle() == nullptr || !m_bmpScreen.Draw(pDC->m_hDC, 0, 0))
        return CDialog::OnEraseBkgnd(pDC);
    return TRUE;
}

void CDlgSnapRectHelper::OnPaint()
{
    {
        CPaintDC dc(this);
        if (m_nState == 1) {
            CRect rectTrue;
            m_tracker.GetTrueRect(&rectTrue);
            rectTrue.OffsetRect(m_ptOrigin);
            DrawInfoWindow(rectTrue);
        }
        if (m_nState != 0)
            m_tracker.Draw(&dc);
    }
    if (m_nHandOver == HAND_OVER_WAITING) {
        m_nHandOver = HAND_OVER_POSTED;
        PostMessage(WM_HAND_OVER_SCREEN);
    }
}

BOOL CDlgSnapRectHelper::OnSetCursor(CWnd* /*pWnd*/, UINT /*nHitTest*/, UINT /*message*/)
{
    ::SetCursor(m_hCursor);
    return TRUE;
}

void CDlgSnapRectHelper::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_nState = 1;
    if (m_tracker.TrackRubberBand(this, point, TRUE)) {
        // Accepted on release: the starting corner is always on the band.
        if (m_tracker.HitTest(point) != CRectTracker::hitNothing)
            SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        m_tracker.NormalizeRect();
        Invalidate(FALSE);
        DrawTipWindow();
    } else {
        // Cancelled or no band: back to waiting, with the box and band gone.
        m_nState = 0;
        PaintTipWindow();
    }
    CDialog::OnLButtonDown(nFlags, point);
}

void CDlgSnapRectHelper::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_nState == 1) {
        m_nState = 2;
        OnOK();
    } else {
        m_nState = 0;
    }
    PaintTipWindow();
    CDialog::OnLButtonUp(nFlags, point);
}

void CDlgSnapRectHelper::OnMouseMove(UINT nFlags, CPoint point)
{
    // The tip follows the cursor to its monitor, and out of its way.
    if (m_wndTip.GetSafeHwnd() != nullptr)
        m_wndTip.SendMessage(WM_MOUSEMOVE, 0, 0);
    DrawTipWindow();
    CDialog::OnMouseMove(nFlags, point);
}
