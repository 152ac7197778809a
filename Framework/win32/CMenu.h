// CMenu: a menu handle (HMENU). An object that loaded, created or attached a
// menu owns it and destroys it with itself; Detach gives it up. FromHandle
// (and GetSubMenu, CWnd::GetMenu) return temporary wrappers that never destroy
// the menu and live until the next idle time of a framework message loop
// (DeleteTempMap), so they are used for the message being handled only
// (CTempWrapperMap.h).
#pragma once

#include "FrameworkApi.h"
#include "PlatformTypes.h"
#include "CObject.h"
#include "CString.h"

class CWnd;

class FRAMEWORK_API CMenu : public CObject
{
    DECLARE_DYNAMIC(CMenu)
public:
    CMenu();
    ~CMenu() override;

    HMENU m_hMenu;
    operator HMENU() const { return m_hMenu; }
    HMENU GetSafeHmenu() const { return m_hMenu; }

    static CMenu* FromHandle(HMENU hMenu);
    static void DeleteTempMap();

    BOOL Attach(HMENU hMenu);
    HMENU Detach();
    // Loads the menu from the first module that has it: the current resource
    // module, the extension libraries, then the program.
    BOOL LoadMenu(UINT nIDResource);
    BOOL CreatePopupMenu();
    BOOL DestroyMenu();

    CMenu* GetSubMenu(int nPos) const;
    int GetMenuItemCount() const;
    // The command id at nPos; 0 for a separator, (UINT)-1 for a popup.
    UINT GetMenuItemID(int nPos) const;
    UINT GetMenuState(UINT nID, UINT nFlags) const;
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
    BOOL SetDefaultItem(UINT uItem, BOOL fByPos = FALSE);
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);
};
