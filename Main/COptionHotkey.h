// COptionHotkey: the options sheet's hot-key page ("热键"): eight hot-key
// controls, one per global hot key, in the rows of CHotKeyTable. Each value is a pair (modifier word, virtual key) in the
// settings' encoding (HOTKEYF_ flags: Shift 1, Ctrl 2, Alt 4, extended 8).
//
// While the page has a window it holds Print Screen as its own hot key (id
// 1000), so that pressing Print Screen, which a hot-key control cannot take
// from the keyboard, puts Print Screen into the new-capture control.
#pragma once

#include "CHotKeyCtrl.h"
#include "CHotKeyTable.h"
#include "CPropertyPage.h"

class COptionHotkey : public CPropertyPage
{
public:
    COptionHotkey();
    ~COptionHotkey() override;

    // The hot-key id the page registers for Print Screen on its own window.
    enum { kPrintScreenHotkeyId = 1000 };

    CHotKeyCtrl m_hotkeyCtrls[CHotKeyTable::COUNT];
    // [i][0] modifier word, [i][1] virtual key.
    WORD m_wHotkeys[CHotKeyTable::COUNT][2];

    BOOL OnInitDialog() override;
    // Reads the controls into the pairs and gives Print Screen back.
    void OnOK() override;

protected:
    DECLARE_MESSAGE_MAP()
    void DoDataExchange(CDataExchange* pDX) override;
    void OnHotKey(UINT nHotKeyId, UINT nKey1, UINT nKey2);
    void OnDestroy();
};
