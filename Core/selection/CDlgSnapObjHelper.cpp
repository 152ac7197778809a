// CDlgSnapObjHelper: the object-pick tip dialog (see CDlgSnapObjHelper.h).
#include "CDlgSnapObjHelper.h"

#include <memory>

#include "CDataExchange.h"
#include "CQualifyingWindows.h"
#include "CScreenLayout.h"

namespace {

// The tip's size before the dialog initialises (the template's in pixels).
const int kTemplateTipWidth = 220;
const int kTemplateTipHeight = 216;

// The tip's layout on the monitor of rcScreen.
CSnapTipLayout LayoutOn(const CRect& rcScreen)
{
    return CSnapTipLayout(CScreenLayout::DpiAt(rcScreen.CenterPoint()));
}

} // namespace

IMPLEMENT_DYNAMIC(CDlgSnapObjHelper, CDialog)

BEGIN_MESSAGE_MAP(CDlgSnapObjHelper, CDialog)
    ON_WM_MOUSEMOVE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CDlgSnapObjHelper::CDlgSnapObjHelper(CWnd* pParent)
    : CDialog(IDD, pParent), m_nCorner(0), m_nTipWidth(kTemplateTipWidth), m_nTipHeight(kTemplateTipHeight),
      m_bFirstMove(1)
{
}

CDlgSnapObjHelper::~CDlgSnapObjHelper() = default;

void CDlgSnapObjHelper::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SNAP_TIP, m_wndTip);
}

BOOL CDlgSnapObjHelper::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_wndTip.SetSourceWnd(CWnd::GetDesktopWindow(), 1);

    // The bottom-right corner of the monitor under the cursor.
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    MoveToCorner(0, CScreenLayout::MonitorAt(ptCursor));
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    return TRUE;
}

CRect CDlgSnapObjHelper::CornerRect(int nCorner, const CRect& rcScreen) const
{
    const CSnapTipLayout layout = LayoutOn(rcScreen);
    const CSize size = layout.TipSize();
    const int nGap = layout.Margin();
    if (nCorner == 0)
        return CRect(rcScreen.right - nGap - size.cx, rcScreen.bottom - nGap - size.cy, rcScreen.right - nGap,
                     rcScreen.bottom - nGap);
    return CRect(rcScreen.left + nGap, rcScreen.top + nGap, rcScreen.left + nGap + size.cx,
                 rcScreen.top + nGap + size.cy);
}

void CDlgSnapObjHelper::MoveToCorner(int nCorner, const CRect& rcScreen)
{
    m_nCorner = nCorner != 0 ? 1 : 0;
    if (!::IsWindow(m_hWnd))
        return;
    const CRect rcTip = CornerRect(m_nCorner, rcScreen);
    m_wndTip.SetLayout(LayoutOn(rcScreen));
    m_nTipWidth = rcTip.Width();
    m_nTipHeight = rcTip.Height();
    MoveWindow(rcTip.left, rcTip.top, rcTip.Width(), rcTip.Height(), TRUE);
    CRect rcClient;
    GetClientRect(&rcClient);
    m_wndTip.MoveWindow(&rcClient);
}

void CDlgSnapObjHelper::DrawTipWindow()
{
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    CString strText;
    strText.Format(L"·坐标(X:%d, Y:%d)\r\n", ptCursor.x, ptCursor.y);
    strText += L"·左键点击截取图像\r\n·点击右键退出";
    m_wndTip.SetWindowText(strText);
    m_wndTip.InvalidateRect(nullptr, TRUE);
}

void CDlgSnapObjHelper::OnMouseMove(UINT nFlags, CPoint point)
{
    DrawTipWindow();
    if (m_bFirstMove) {
        // The tip has no title, so it is never the window chosen here.
        std::unique_ptr<CQualifyingWindows> pWindows(new CQualifyingWindows);
        if (pWindows->Enumerate() > 0)
            ::SetForegroundWindow(pWindows->GetWindow(0));
        m_bFirstMove = 0;
    }
    CDialog::OnMouseMove(nFlags, point);
}

void CDlgSnapObjHelper::OnDestroy()
{
    CDialog::OnDestroy();
    m_bFirstMove = 1;
}
