// CTrayNotifyIcon: the program's icon in the taskbar's notification area,
// with its tooltip, its menu (menu resource with the icon's id: the first
// popup; right click opens it, double click sends its first item's command),
// optional animation through several icon images (CTrayTimerWnd), and its
// return after the taskbar is re-created (CTrayRessurectionWnd, on the
// "TaskbarCreated" broadcast).
//
// The owner window forwards every callback message of the icon to
// HandleNotifyMessage. The two hidden windows delete themselves when they are
// destroyed; the icon object closes them when it goes.
#pragma once

#include "CObject.h"
#include "PlatformTypes.h"

#include <shellapi.h>

class CWnd;
class CTrayTimerWnd;
class CTrayRessurectionWnd;

// The registered "TaskbarCreated" message (registered at start-up).
extern const UINT g_nTaskbarCreatedMsg;

class CTrayNotifyIcon : public CObject
{
public:
    CTrayNotifyIcon();
    ~CTrayNotifyIcon() override;

    CTrayNotifyIcon(const CTrayNotifyIcon&) = delete;
    CTrayNotifyIcon& operator=(const CTrayNotifyIcon&) = delete;

    // Adds the icon showing phIcons[0] and cycles through the nNumIcons
    // images every nDelay milliseconds. FALSE when a hidden window cannot be
    // created or the shell refuses the icon.
    BOOL AddAnimatedToTray(CWnd* pNotifyWnd, UINT uID, LPCTSTR lpszTip, const HICON* phIcons, UINT nNumIcons,
                           UINT nDelay, UINT nNotifyMessage);
    // Adds a still icon; the tooltip is cut to what the record holds (127
    // characters).
    BOOL AddToTray(CWnd* pNotifyWnd, UINT uID, LPCTSTR lpszTip, HICON hIcon, UINT nNotifyMessage);
    void RemoveFromTray();
    // The icon's callback message: wParam the icon id, lParam the mouse
    // message. 1 when it was for this icon and its menu could be loaded.
    virtual LRESULT HandleNotifyMessage(WPARAM wParam, LPARAM lParam);

    BOOL IsAdded() const { return m_bAdded; }
    BOOL IsAnimated() const { return m_bAnimated; }
    const NOTIFYICONDATAW& GetIconData() const { return m_nid; }

private:
    friend class CTrayTimerWnd;
    friend class CTrayRessurectionWnd;

    // The timer window's step: show image hIcon (NIM_MODIFY).
    void ShowImage(HICON hIcon);
    // The restore window's work after "TaskbarCreated": put the icon back.
    void Restore();
    void CloseHiddenWindows();

    NOTIFYICONDATAW m_nid;
    BOOL m_bAdded;
    BOOL m_bHidden;
    CWnd* m_pNotifyWnd;
    CTrayTimerWnd* m_pTimerWnd;
    CTrayRessurectionWnd* m_pRestoreWnd;
    BOOL m_bAnimated;
    // From an add until RemoveFromTray: every taskbar restart puts the icon
    // back, also after an attempt that failed (m_bAdded FALSE).
    BOOL m_bWanted;
};
