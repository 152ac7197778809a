// CTrayRessurectionWnd: puts the tray icon back after a taskbar restart (see
// CTrayRessurectionWnd.h).
#include "CTrayRessurectionWnd.h"
#include "CTrayNotifyIcon.h"

BEGIN_MESSAGE_MAP(CTrayRessurectionWnd, CFrameWnd)
    ON_REGISTERED_MESSAGE(g_nTaskbarCreatedMsg, OnTaskbarCreated)
END_MESSAGE_MAP()

CTrayRessurectionWnd::CTrayRessurectionWnd(CTrayNotifyIcon* pOwner) : m_pOwner(pOwner)
{
}

CTrayRessurectionWnd::~CTrayRessurectionWnd()
{
    if (m_pOwner != nullptr && m_pOwner->m_pRestoreWnd == this)
        m_pOwner->m_pRestoreWnd = nullptr;
}

BOOL CTrayRessurectionWnd::CreateHidden()
{
    return Create(nullptr, L"CTrayNotifyIcon Resurrection Notification Window", WS_OVERLAPPEDWINDOW, rectDefault,
                  nullptr, nullptr);
}

LRESULT CTrayRessurectionWnd::OnTaskbarCreated(WPARAM, LPARAM)
{
    if (m_pOwner != nullptr)
        m_pOwner->Restore();
    return 0;
}
