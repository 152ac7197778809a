// CDlgActiveWin: the window chooser dialog (see CDlgActiveWin.h).
#include "CDlgActiveWin.h"

#include "CDataExchange.h"
#include "CQualifyingWindows.h"

#include <commctrl.h>

namespace {

// A window of this process that belongs to another one (a dialog, the
// preview's tooltip) or is a tooltip: never a window to capture on its own.
bool IsOwnHelperWindow(HWND hWnd)
{
    DWORD nProcessId = 0;
    ::GetWindowThreadProcessId(hWnd, &nProcessId);
    if (nProcessId != ::GetCurrentProcessId())
        return false;
    wchar_t szClass[32] = {};
    ::GetClassNameW(hWnd, szClass, 32);
    return ::GetWindow(hWnd, GW_OWNER) != nullptr || lstrcmpiW(szClass, TOOLTIPS_CLASSW) == 0;
}

} // namespace

IMPLEMENT_DYNAMIC(CDlgActiveWin, CDialog)

BEGIN_MESSAGE_MAP(CDlgActiveWin, CDialog)
    ON_LBN_SELCHANGE(IDC_WINDOW_LIST, OnSelChangeWindowList)
    ON_LBN_DBLCLK(IDC_WINDOW_LIST, OnDblClkWindowList)
END_MESSAGE_MAP()

CDlgActiveWin::CDlgActiveWin(CWnd* pParent)
    : CDialog(IDD, pParent), m_hSelectedWnd(nullptr)
{
}

CDlgActiveWin::~CDlgActiveWin() = default;

void CDlgActiveWin::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WINDOW_LIST, m_wndWindowList);
}

BOOL CDlgActiveWin::OnInitDialog()
{
    CDialog::OnInitDialog();

    // The dialog is not visible yet, so it is not among the windows found.
    CQualifyingWindows windows;
    const int nCount = windows.Enumerate();
    // The bottom-most qualifying window is left out of the list, and so are
    // this program's tooltips and owned windows.
    for (int i = 0; i + 1 < nCount; ++i) {
        if (IsOwnHelperWindow(windows.GetWindow(i)))
            continue;
        const int nItem = m_wndWindowList.InsertString(-1, windows.GetTitle(i));
        if (nItem >= 0)
            m_wndWindowList.SetItemData(nItem, reinterpret_cast<DWORD_PTR>(windows.GetWindow(i)));
    }
    m_wndWindowList.SetCurSel(0);
    return TRUE;
}

void CDlgActiveWin::OnOK()
{
    const int nIndex = m_wndWindowList.GetCurSel();
    if (nIndex != LB_ERR) {
        m_hSelectedWnd = reinterpret_cast<HWND>(m_wndWindowList.GetItemData(nIndex));
        m_wndWindowList.GetText(nIndex, m_strSelectedTitle);
    }
    CDialog::OnOK();
}

void CDlgActiveWin::OnSelChangeWindowList()
{
    const int nIndex = m_wndWindowList.GetCurSel();
    if (nIndex == LB_ERR)
        return;
    HWND hWnd = reinterpret_cast<HWND>(m_wndWindowList.GetItemData(nIndex));
    if (hWnd != nullptr)
        ::SetForegroundWindow(hWnd);
}

void CDlgActiveWin::OnDblClkWindowList()
{
    if (m_wndWindowList.GetCurSel() != LB_ERR)
        OnOK();
}
