// COptionHotkey: the hot-key page of the options sheet (see COptionHotkey.h).
#include "COptionHotkey.h"
#include "CDataExchange.h"
#include "OptionsTrayResource.h"

#include <commctrl.h>

BEGIN_MESSAGE_MAP(COptionHotkey, CPropertyPage)
    ON_WM_HOTKEY()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

COptionHotkey::COptionHotkey() : CPropertyPage(IDD_OPTION_HOTKEY)
{
    for (int i = 0; i < CHotKeyTable::COUNT; ++i) {
        m_wHotkeys[i][0] = CHotKeyTable::GetRow(i).wDefaultModifier;
        m_wHotkeys[i][1] = CHotKeyTable::GetRow(i).wDefaultVk;
    }
}

COptionHotkey::~COptionHotkey() = default;

void COptionHotkey::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    for (int i = 0; i < CHotKeyTable::COUNT; ++i)
        DDX_Control(pDX, CHotKeyTable::GetRow(i).nControlId, m_hotkeyCtrls[i]);
}

BOOL COptionHotkey::OnInitDialog()
{
    if (!CPropertyPage::OnInitDialog())
        return FALSE;
    for (int i = 0; i < CHotKeyTable::COUNT; ++i)
        m_hotkeyCtrls[i].SetHotKey(m_wHotkeys[i][1], m_wHotkeys[i][0]);
    // Held while the page lives; when another program holds Print Screen the
    // key simply does not reach the page.
    ::RegisterHotKey(m_hWnd, kPrintScreenHotkeyId, 0, VK_SNAPSHOT);
    return TRUE;
}

void COptionHotkey::OnOK()
{
    for (int i = 0; i < CHotKeyTable::COUNT; ++i)
        m_hotkeyCtrls[i].GetHotKey(m_wHotkeys[i][1], m_wHotkeys[i][0]);
    ::UnregisterHotKey(m_hWnd, kPrintScreenHotkeyId);
    CPropertyPage::OnOK();
}

void COptionHotkey::OnHotKey(UINT nHotKeyId, UINT, UINT)
{
    if (nHotKeyId == kPrintScreenHotkeyId)
        m_hotkeyCtrls[0].SetHotKey(VK_SNAPSHOT, 0);
}

void COptionHotkey::OnDestroy()
{
    // The page's window goes with the sheet, cancelled or not.
    ::UnregisterHotKey(m_hWnd, kPrintScreenHotkeyId);
    CPropertyPage::OnDestroy();
}
