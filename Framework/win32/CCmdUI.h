// CCmdUI: one command-update request. The framework fills it for a menu item
// (m_pMenu, m_nIndex) or a dialog control (m_pOther) and routes it to the
// ON_UPDATE_COMMAND_UI handler of m_nID, which sets the item's state.
#pragma once

#include "FrameworkApi.h"
#include "PlatformTypes.h"

class CCmdTarget;
class CMenu;
class CWnd;

class FRAMEWORK_API CCmdUI
{
public:
    CCmdUI();
    virtual ~CCmdUI();

    UINT m_nID;
    UINT m_nIndex;        // position of the item in m_pMenu
    CMenu* m_pMenu;       // the menu, or null for a control
    UINT m_nIndexMax;     // number of items in m_pMenu
    CWnd* m_pOther;       // the control, or null for a menu item
    BOOL m_bEnableChanged;
    BOOL m_bContinueRouting;

    virtual void Enable(BOOL bOn = TRUE);
    // 0 unchecked, 1 checked, 2 indeterminate (controls only).
    virtual void SetCheck(int nCheck = 1);
    // A menu item gets the radio-button mark; a control is checked.
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);
    // Called by a handler that leaves the item to the next target.
    void ContinueRouting();

    // Routes this request to pTarget's update handler. Without one and with
    // bDisableIfNoHndler, the item is enabled exactly when pTarget has a
    // command handler for m_nID. TRUE when an update handler ran.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

private:
    void SetMenuMark(bool bRadio, bool bChecked);
};
