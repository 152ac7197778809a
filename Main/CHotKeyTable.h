// CHotKeyTable: the program's eight global hot keys, one row each, read by
// every part that deals with them: which setting holds the key (read and
// written), the options page's control that edits it and its default there,
// the main window's command it runs, the id it is registered under and the
// message shown when it cannot be registered; and how a stored modifier word
// becomes RegisterHotKey's modifier flags.
//
// Stored modifier word (the hot-key control's flags): 0x01 Shift, 0x02 Ctrl,
// 0x04 Alt, 0x08 extended key. RegisterHotKey wants MOD_SHIFT 0x0004,
// MOD_CONTROL 0x0002, MOD_ALT 0x0001; the extended-key bit is not a modifier
// and is dropped. So Ctrl+Alt (0x06) registers as 0x0003, Shift+extended
// (0x09) as 0x0004. Register adds MOD_NOREPEAT, so that a held key acts once.
#pragma once

#include "CString.h"
#include "PlatformTypes.h"

class CTesConfig;

class CHotKeyTable
{
public:
    enum { COUNT = 8, FIRST_ID = 1001, LAST_ID = FIRST_ID + COUNT - 1 };
    enum { MODIFIER_SHIFT = 0x01, MODIFIER_CONTROL = 0x02, MODIFIER_ALT = 0x04, MODIFIER_EXT = 0x08 };

    // Rows in registration order: new capture, whole screen, active program
    // window, current window, active program client area, interface object,
    // selected region, show/hide.
    struct Row
    {
        void (CTesConfig::*pfnGetKey)(WORD& wModifier, WORD& wVk);
        void (CTesConfig::*pfnSetKey)(WORD wModifier, WORD wVk);
        int nControlId;   // the hot-key control of the options page
        UINT nCommand;    // the main window's command the key runs
        WORD wDefaultModifier;
        WORD wDefaultVk;
        const wchar_t* pszFailure;
    };
    static const Row& GetRow(int nRow);

    // The id of row nRow (0 ... COUNT-1): 1001 ... 1008, in table order.
    static int GetId(int nRow) { return FIRST_ID + nRow; }
    // The key of row nRow as the settings hold it.
    static void GetKey(CTesConfig& config, int nRow, WORD& wModifier, WORD& wVk);
    static void SetKey(CTesConfig& config, int nRow, WORD wModifier, WORD wVk);
    static UINT ToRegisterModifiers(WORD wModifier);
    // Registers the key of row nRow on hWnd without repeats; where the system
    // refuses MOD_NOREPEAT (before Windows 7), with the plain modifiers.
    static BOOL Register(HWND hWnd, int nRow, WORD wModifier, WORD wVk);
    // The row's failure message; a key that is Print Screen gets a second
    // line saying that another program or the system may hold that key.
    static CString GetFailureMessage(int nRow, WORD wVk);
};
