// CHotKeyTable: the hot-key rows and the modifier translation.
#include "CHotKeyTable.h"

#include <windows.h>

#include "CTesConfig.h"

namespace {

struct HotKeyRow
{
    void (CTesConfig::*pfnGetKey)(WORD&, WORD&);
    const wchar_t* pszFailure;
};

// In registration order: ids 1001 ... 1008.
const HotKeyRow g_rows[CHotKeyTable::COUNT] = {
    { &CTesConfig::GetNewSnapHotkey, L"注册<新建截图>热键失败,请更换热键" },
    { &CTesConfig::GetFullScreenHotkey, L"注册捕捉<整个屏幕>热键失败,请更换热键" },
    { &CTesConfig::GetActiveWinHotkey, L"注册捕捉<活动程序窗口>热键失败,请更换热键" },
    { &CTesConfig::GetCurrentWinHotkey, L"注册捕捉<当前窗口>热键失败,请更换热键" },
    { &CTesConfig::GetWinClientHotkey, L"注册捕捉<活动程序客户区>热键失败,请更换热键" },
    { &CTesConfig::GetWinObjHotkey, L"注册捕捉<界面对象>热键失败,请更换热键" },
    { &CTesConfig::GetSelectRectHotkey, L"注册捕捉<选定区域>热键失败,请更换热键" },
    { &CTesConfig::GetShowHideHotkey, L"注册<显示隐藏窗口>热键失败,请更换热键" },
};

const wchar_t g_szPrintScreenHeld[] = L"PrintScreen键可能已被其他程序或系统占用。";

} // namespace

void CHotKeyTable::GetKey(CTesConfig& config, int nRow, WORD& wModifier, WORD& wVk)
{
    (config.*g_rows[nRow].pfnGetKey)(wModifier, wVk);
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
