// CHotKeyCtrl: a hot-key control (msctls_hotkey32). Its value is a virtual
// key with HOTKEYF_* modifier flags (Shift 1, Ctrl 2, Alt 4, extended 8).
#pragma once

#include "FrameworkApi.h"
#include "CWnd.h"

class FRAMEWORK_API CHotKeyCtrl : public CWnd
{
    DECLARE_DYNAMIC(CHotKeyCtrl)
public:
    CHotKeyCtrl();
    ~CHotKeyCtrl() override;

    void SetHotKey(WORD wVirtualKeyCode, WORD wModifiers);
    // Virtual key in the low byte, modifiers in the next byte.
    DWORD GetHotKey() const;
    void GetHotKey(WORD& wVirtualKeyCode, WORD& wModifiers) const;
    // Combinations in wInvalidComb (HKCOMB_*) are replaced by wModifiers.
    void SetRules(WORD wInvalidComb, WORD wModifiers);
};
