// CMenu: menu handles and their temporary wrappers (see CMenu.h).
#include "CMenu.h"
#include "CWnd.h"
#include "CWinApp.h"
#include "CTempWrapperMap.h"

namespace {

CTempWrapperMap<HMENU, CMenu>& TempMenus()
{
    static CTempWrapperMap<HMENU, CMenu> map;
    return map;
}

} // namespace

IMPLEMENT_DYNAMIC(CMenu, CObject)

CMenu::CMenu() : m_hMenu(nullptr)
{
}

CMenu::~CMenu()
{
    DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    if (hMenu == nullptr)
        return nullptr;
    return TempMenus().FromKey(hMenu, [hMenu]() {
        std::unique_ptr<CMenu> pMenu(new CMenu);
        pMenu->m_hMenu = hMenu;
        return pMenu;
    });
}

void CMenu::DeleteTempMap()
{
    TempMenus().DeleteAll();
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (hMenu == nullptr || m_hMenu != nullptr)
        return FALSE;
    m_hMenu = hMenu;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    m_hMenu = nullptr;
    return hMenu;
}

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    if (m_hMenu != nullptr)
        return FALSE;
    LPCWSTR lpszName = MAKEINTRESOURCEW(nIDResource);
    HINSTANCE hInst = AfxFindResourceHandle(lpszName, reinterpret_cast<LPCWSTR>(RT_MENU));
    return Attach(::LoadMenuW(hInst, lpszName));
}

BOOL CMenu::CreatePopupMenu()
{
    return m_hMenu == nullptr && Attach(::CreatePopupMenu());
}

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == nullptr)
        return FALSE;
    return ::DestroyMenu(Detach());
}

CMenu* CMenu::GetSubMenu(int nPos) const
{
    return FromHandle(::GetSubMenu(m_hMenu, nPos));
}
int CMenu::GetMenuItemCount() const
{
    return ::GetMenuItemCount(m_hMenu);
}
UINT CMenu::GetMenuItemID(int nPos) const
{
    return ::GetMenuItemID(m_hMenu, nPos);
}
UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const
{
    return ::GetMenuState(m_hMenu, nID, nFlags);
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    const int nLength = ::GetMenuStringW(m_hMenu, nIDItem, nullptr, 0, nFlags);
    const int nCopied = ::GetMenuStringW(m_hMenu, nIDItem, rString.GetBuffer(nLength), nLength + 1, nFlags);
    rString.ReleaseBuffer(nCopied);
    return nCopied;
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable)
{
    return static_cast<UINT>(::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable));
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck)
{
    return ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck);
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    return ::AppendMenuW(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::SetDefaultItem(UINT uItem, BOOL fByPos)
{
    return ::SetMenuDefaultItem(m_hMenu, uItem, fByPos);
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd ? pWnd->m_hWnd : nullptr, lpRect);
}
