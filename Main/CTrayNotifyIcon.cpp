// CTrayNotifyIcon: the notification-area icon (see CTrayNotifyIcon.h).
#include "CTrayNotifyIcon.h"
#include "Afx.h"
#include "CMenu.h"
#include "CTrayRessurectionWnd.h"
#include "CTrayTimerWnd.h"
#include "CWnd.h"

const UINT g_nTaskbarCreatedMsg = ::RegisterWindowMessageW(L"TaskbarCreated");

CTrayNotifyIcon::CTrayNotifyIcon()
    : m_nid(), m_bAdded(FALSE), m_bHidden(FALSE), m_pNotifyWnd(nullptr), m_pTimerWnd(nullptr), m_pRestoreWnd(nullptr),
      m_bAnimated(FALSE), m_bWanted(FALSE)
{
    // The record's size in this build (the 32-bit figure differs from x64's).
    m_nid.cbSize = sizeof(NOTIFYICONDATAW);
}

CTrayNotifyIcon::~CTrayNotifyIcon()
{
    CloseHiddenWindows();
    RemoveFromTray();
}

void CTrayNotifyIcon::CloseHiddenWindows()
{
    // Each window deletes itself and, on its way out, clears its pointer here.
    if (m_pTimerWnd != nullptr)
        m_pTimerWnd->SendMessage(WM_CLOSE);
    m_pTimerWnd = nullptr;
    if (m_pRestoreWnd != nullptr)
        m_pRestoreWnd->SendMessage(WM_CLOSE);
    m_pRestoreWnd = nullptr;
}

BOOL CTrayNotifyIcon::AddAnimatedToTray(CWnd* pNotifyWnd, UINT uID, LPCTSTR lpszTip, const HICON* phIcons,
                                        UINT nNumIcons, UINT nDelay, UINT nNotifyMessage)
{
    if (phIcons == nullptr)
        nNumIcons = 0;
    if (m_pTimerWnd != nullptr) {
        m_pTimerWnd->SendMessage(WM_CLOSE);
        m_pTimerWnd = nullptr;
    }
    CTrayTimerWnd* pTimerWnd = new CTrayTimerWnd(this, phIcons, nNumIcons, nDelay);
    if (!pTimerWnd->CreateHidden()) {
        delete pTimerWnd;
        return FALSE;
    }
    m_pTimerWnd = pTimerWnd;
    const BOOL bAdded = AddToTray(pNotifyWnd, uID, lpszTip, nNumIcons > 0 ? phIcons[0] : nullptr, nNotifyMessage);
    m_bAnimated = TRUE;
    return bAdded;
}

BOOL CTrayNotifyIcon::AddToTray(CWnd* pNotifyWnd, UINT uID, LPCTSTR lpszTip, HICON hIcon, UINT nNotifyMessage)
{
    if (m_pRestoreWnd == nullptr) {
        CTrayRessurectionWnd* pRestoreWnd = new CTrayRessurectionWnd(this);
        if (!pRestoreWnd->CreateHidden()) {
            delete pRestoreWnd;
            return FALSE;
        }
        m_pRestoreWnd = pRestoreWnd;
    }
    // A second add replaces the first icon.
    RemoveFromTray();

    m_pNotifyWnd = pNotifyWnd;
    m_nid.cbSize = sizeof(NOTIFYICONDATAW);
    m_nid.hWnd = pNotifyWnd != nullptr ? pNotifyWnd->GetSafeHwnd() : nullptr;
    m_nid.uID = uID;
    m_nid.uCallbackMessage = nNotifyMessage;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_nid.hIcon = hIcon;
    lstrcpynW(m_nid.szTip, lpszTip != nullptr ? lpszTip : L"", static_cast<int>(sizeof(m_nid.szTip) / sizeof(wchar_t)));
    m_bWanted = TRUE;
    m_bAdded = ::Shell_NotifyIconW(NIM_ADD, &m_nid);
    return m_bAdded;
}

void CTrayNotifyIcon::RemoveFromTray()
{
    m_bWanted = FALSE;
    if (!m_bAdded)
        return;
    m_nid.uFlags = 0;
    ::Shell_NotifyIconW(NIM_DELETE, &m_nid);
    m_bAdded = FALSE;
}

LRESULT CTrayNotifyIcon::HandleNotifyMessage(WPARAM wParam, LPARAM lParam)
{
    if (wParam != m_nid.uID)
        return 0;
    CMenu menu;   // destroyed once, when it goes out of scope
    if (!menu.LoadMenu(m_nid.uID))
        return 0;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup == nullptr)
        return 0;

    if (lParam == WM_RBUTTONUP) {
        pPopup->SetDefaultItem(0, TRUE);
        POINT pt = {};
        ::GetCursorPos(&pt);
        ::SetForegroundWindow(m_nid.hWnd);
        CWnd* pOwner = AfxGetMainWnd();
        if (pOwner == nullptr || pOwner->GetSafeHwnd() == nullptr)
            pOwner = m_pNotifyWnd;
        pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, pOwner);
        // Lets the menu close properly when the user clicks elsewhere.
        if (pOwner != nullptr && pOwner->GetSafeHwnd() != nullptr)
            pOwner->PostMessage(WM_NULL);
    } else if (lParam == WM_LBUTTONDBLCLK) {
        ::SendMessageW(m_nid.hWnd, WM_COMMAND, pPopup->GetMenuItemID(0), 0);
    }
    return 1;
}

void CTrayNotifyIcon::ShowImage(HICON hIcon)
{
    if (!m_bAdded)
        return;
    m_nid.uFlags = NIF_ICON;
    m_nid.hIcon = hIcon;
    ::Shell_NotifyIconW(NIM_MODIFY, &m_nid);   // a failure leaves the previous image
}

void CTrayNotifyIcon::Restore()
{
    // An icon removed on purpose (or never added) stays away; one that the
    // last attempt could not put back is tried again.
    if (m_bHidden || !m_bWanted)
        return;
    m_nid.uFlags = NIF_ICON;
    ::Shell_NotifyIconW(NIM_DELETE, &m_nid);
    m_bHidden = TRUE;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_bAdded = ::Shell_NotifyIconW(NIM_ADD, &m_nid);
    m_bHidden = FALSE;
}
