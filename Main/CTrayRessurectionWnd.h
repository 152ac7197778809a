// CTrayRessurectionWnd: the hidden window that puts the tray icon back when
// the taskbar is re-created (the shell broadcasts "TaskbarCreated" to every
// top-level window). It deletes itself when its window is destroyed.
#pragma once

#include "CFrameWnd.h"

class CTrayNotifyIcon;

class CTrayRessurectionWnd : public CFrameWnd
{
public:
    explicit CTrayRessurectionWnd(CTrayNotifyIcon* pOwner);
    ~CTrayRessurectionWnd() override;

    // Creates the hidden window ("CTrayNotifyIcon Resurrection Notification
    // Window"); FALSE when that fails (the object then still belongs to the
    // caller).
    BOOL CreateHidden();

protected:
    DECLARE_MESSAGE_MAP()
    LRESULT OnTaskbarCreated(WPARAM wParam, LPARAM lParam);

private:
    CTrayNotifyIcon* m_pOwner;
};
