// COptionHotkey: the options sheet's hot-key page ("热键"): eight hot-key
// controls, one per global hot key, in the order of the main window's
// registration (new capture, whole screen, active program window, current
// window, active program client area, interface object, selected region,
// show/hide). Each value is a pair (modifier word, virtual key) in the
// settings' encoding (HOTKEYF_ flags: Shift 1, Ctrl 2, Alt 4, extended 8).
//
// While the page has a window it holds Print Screen as its own hot key (id
// 1000), so that pressing Print Screen, which a hot-key control cannot take
// from the keyboard, puts Print Screen into the new-capture control.
#pragma once

#include "CHotKeyCtrl.h"
#include "CPropertyPage.h"

class COptionHotkey : public CPropertyPage
{
public:
    COptionHotkey();
    ~COptionHotkey() override;

    enum { kHotkeyCount = 8 };
    // The hot-key id the page registers for Print Screen on its own window.
    enum { kPrintScreenHotkeyId = 1000 };
    // The control ids, in the order of the pairs.
    static const int kControlIds[kHotkeyCount];

    CHotKeyCtrl m_hotkeyCtrls[kHotkeyCount];
    // [i][0] modifier word, [i][1] virtual key.
    WORD m_wHotkeys[kHotkeyCount][2];

    BOOL OnInitDialog() override;
    // Reads the controls into the pairs and gives Print Screen back.
    void OnOK() override;

protected:
    DECLARE_MESSAGE_MAP()
    void DoDataExchange(CDataExchange* pDX) override;
    void OnHotKey(UINT nHotKeyId, UINT nKey1, UINT nKey2);
    void OnDestroy();
};
