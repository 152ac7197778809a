// CHotKeyCtrl: hot-key control wrapper (see CHotKeyCtrl.h).
#include "CHotKeyCtrl.h"

#include <commctrl.h>

IMPLEMENT_DYNAMIC(CHotKeyCtrl, CWnd)

CHotKeyCtrl::CHotKeyCtrl() = default;
CHotKeyCtrl::~CHotKeyCtrl() = default;

void CHotKeyCtrl::SetHotKey(WORD wVirtualKeyCode, WORD wModifiers)
{
    ::SendMessageW(m_hWnd, HKM_SETHOTKEY, MAKEWORD(LOBYTE(wVirtualKeyCode), LOBYTE(wModifiers)), 0);
}

DWORD CHotKeyCtrl::GetHotKey() const
{
    return static_cast<DWORD>(::SendMessageW(m_hWnd, HKM_GETHOTKEY, 0, 0)) & 0xFFFF;
}

void CHotKeyCtrl::GetHotKey(WORD& wVirtualKeyCode, WORD& wModifiers) const
{
    const DWORD dw = GetHotKey();
    wVirtualKeyCode = LOBYTE(LOWORD(dw));
    wModifiers = HIBYTE(LOWORD(dw));
}

void CHotKeyCtrl::SetRules(WORD wInvalidComb, WORD wModifiers)
{
    ::SendMessageW(m_hWnd, HKM_SETRULES, wInvalidComb, MAKELPARAM(wModifiers, 0));
}
