// COptionHotkey: the hot-key page of the options sheet (see COptionHotkey.h).
#include "COptionHotkey.h"
#include "CDataExchange.h"
#include "OptionsTrayResource.h"

#include <commctrl.h>

const int COptionHotkey::kControlIds[kHotkeyCount] = {
    IDC_HOTKEY_NEW_SNAP, IDC_HOTKEY_FULL_SCREEN, IDC_HOTKEY_ACTIVE_WIN, IDC_HOTKEY_CURRENT_WIN,
    IDC_HOTKEY_WIN_CLIENT, IDC_HOTKEY_WIN_OBJ, IDC_HOTKEY_SELECT_RECT, IDC_HOTKEY_SHOW_HIDE,
};

BEGIN_MESSAGE_MAP(COptionHotkey, CPropertyPage)
    ON_WM_HOTKEY()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

COptionHotkey::COptionHotkey() : CPropertyPage(IDD_OPTION_HOTKEY)
{
    static const WORD kDefaults[kHotkeyCount][2] = {
        { 0, VK_SNAPSHOT }, { HOTKEYF_CONTROL, VK_SNAPSHOT }, { 0, VK_F3 }, { 0, VK_F4 },
        { 0, VK_F5 }, { 0, VK_F6 }, { 0, VK_F7 }, { 0, VK_F8 },
    };
    for (int i = 0; i < kHotkeyCount; ++i) {
        m_wHotkeys[i][0] = kDefaults[i][0];
        m_wHotkeys[i][1] = kDefaults[i][1];
    }
}

COptionHotkey::~COptionHotkey() = default;

void COptionHotkey::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    for (int i = 0; i < kHotkeyCount; ++i)
        DDX_Control(pDX, kControlIds[i], m_hotkeyCtrls[i]);
}

BOOL COptionHotkey::OnInitDialog()
{
    if (!CPropertyPage::OnInitDialog())
        return FALSE;
    for (int i = 0; i < kHotkeyCount; ++i)
        m_hotkeyCtrls[i].SetHotKey(m_wHotkeys[i][1], m_wHotkeys[i][0]);
    // Held while the page lives; when another program holds Print Screen the
    // key simply does not reach the page.
    ::RegisterHotKey(m_hWnd, kPrintScreenHotkeyId, 0, VK_SNAPSHOT);
    return TRUE;
}

void COptionHotkey::OnOK()
{
    for (int i = 0; i < kHotkeyCount; ++i)
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
