// CHotKeyTable: the hot-key rows and the modifier translation.
#include "CHotKeyTable.h"

#include <windows.h>

#include "CTesConfig.h"
#include "OptionsTrayResource.h"
#include "resource.h"

namespace {

// HOTKEYF_CONTROL of the hot-key control, as the settings store it.
const WORD kControl = CHotKeyTable::MODIFIER_CONTROL;

const CHotKeyTable::Row g_rows[CHotKeyTable::COUNT] = {
    { &CTesConfig::GetNewSnapHotkey, &CTesConfig::SetNewSnapHotkey, IDC_HOTKEY_NEW_SNAP, ID_SNAP_NEW, 0, VK_SNAPSHOT,
      L"注册<新建截图>热键失败,请更换热键" },
    { &CTesConfig::GetFullScreenHotkey, &CTesConfig::SetFullScreenHotkey, IDC_HOTKEY_FULL_SCREEN, ID_SNAP_FULLSCREEN,
      kControl, VK_SNAPSHOT, L"注册捕捉<整个屏幕>热键失败,请更换热键" },
    { &CTesConfig::GetActiveWinHotkey, &CTesConfig::SetActiveWinHotkey, IDC_HOTKEY_ACTIVE_WIN, ID_SNAP_ACTIVE_WIN, 0,
      VK_F3, L"注册捕捉<活动程序窗口>热键失败,请更换热键" },
    { &CTesConfig::GetCurrentWinHotkey, &CTesConfig::SetCurrentWinHotkey, IDC_HOTKEY_CURRENT_WIN, ID_SNAP_CURRENT_WIN,
      0, VK_F4, L"注册捕捉<当前窗口>热键失败,请更换热键" },
    { &CTesConfig::GetWinClientHotkey, &CTesConfig::SetWinClientHotkey, IDC_HOTKEY_WIN_CLIENT, ID_SNAP_WIN_CLIENT, 0,
      VK_F5, L"注册捕捉<活动程序客户区>热键失败,请更换热键" },
    { &CTesConfig::GetWinObjHotkey, &CTesConfig::SetWinObjHotkey, IDC_HOTKEY_WIN_OBJ, ID_SNAP_WIN_OBJ, 0, VK_F6,
      L"注册捕捉<界面对象>热键失败,请更换热键" },
    { &CTesConfig::GetSelectRectHotkey, &CTesConfig::SetSelectRectHotkey, IDC_HOTKEY_SELECT_RECT, ID_SNAP_SELECT_RECT,
      0, VK_F7, L"注册捕捉<选定区域>热键失败,请更换热键" },
    { &CTesConfig::GetShowHideHotkey, &CTesConfig::SetShowHideHotkey, IDC_HOTKEY_SHOW_HIDE, ID_SHOW_HIDE, 0, VK_F8,
      L"注册<显示隐藏窗口>热键失败,请更换热键" },
};

const wchar_t g_szPrintScreenHeld[] = L"PrintScreen键可能已被其他程序或系统占用。";

} // namespace

const CHotKeyTable::Row& CHotKeyTable::GetRow(int nRow)
{
    return g_rows[nRow];
}

void CHotKeyTable::GetKey(CTesConfig& config, int nRow, WORD& wModifier, WORD& wVk)
{
    (config.*g_rows[nRow].pfnGetKey)(wModifier, wVk);
}

void CHotKeyTable::SetKey(CTesConfig& config, int nRow, WORD wModifier, WORD wVk)
{
    (config.*g_rows[nRow].pfnSetKey)(wModifier, wVk);
}

UINT CHotKeyTable::ToRegisterModifiers(WORD wModifier)
{
    UINT nFlags = 0;
    if (wModifier & MODIFIER_SHIFT)
        nFlags |= MOD_SHIFT;
    if (wModifier & MODIFIER_CONTROL)
        nFlags |= MOD_CONTROL;
    if (wModifier & MODIFIER_ALT)
        nFlags |= MOD_ALT;
    return nFlags;
}

BOOL CHotKeyTable::Register(HWND hWnd, int nRow, WORD wModifier, WORD wVk)
{
    const UINT nModifiers = ToRegisterModifiers(wModifier);
    return ::RegisterHotKey(hWnd, GetId(nRow), nModifiers | MOD_NOREPEAT, wVk)
           || ::RegisterHotKey(hWnd, GetId(nRow), nModifiers, wVk);
}

CString CHotKeyTable::GetFailureMessage(int nRow, WORD wVk)
{
    CString strMessage(g_rows[nRow].pszFailure);
    if (wVk == VK_SNAPSHOT) {
        strMessage += L"\n";
        strMessage += g_szPrintScreenHeld;
    }
    return strMessage;
}
