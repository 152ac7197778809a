// CTrayTimerWnd: the tray icon's animation window (see CTrayTimerWnd.h).
#include "CTrayTimerWnd.h"
#include "CTrayNotifyIcon.h"

BEGIN_MESSAGE_MAP(CTrayTimerWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {
const UINT_PTR kAnimationTimer = 1;
}

CTrayTimerWnd::CTrayTimerWnd(CTrayNotifyIcon* pOwner, const HICON* phIcons, UINT nNumIcons, UINT nDelay)
    : m_pOwner(pOwner), m_phIcons(nullptr), m_nIconCount(phIcons != nullptr ? nNumIcons : 0), m_nDelay(nDelay),
      m_nTimerId(0), m_nCurrentIcon(0)
{
    if (m_nIconCount > 0) {
        m_phIcons = new HICON[m_nIconCount];
        for (UINT i = 0; i < m_nIconCount; ++i)
            m_phIcons[i] = phIcons[i];
    }
}

CTrayTimerWnd::~CTrayTimerWnd()
{
    delete[] m_phIcons;
    if (m_pOwner != nullptr && m_pOwner->m_pTimerWnd == this)
        m_pOwner->m_pTimerWnd = nullptr;
}

BOOL CTrayTimerWnd::CreateHidden()
{
    return Create(nullptr, L"CTrayNotifyIcon Animation Notification Window", WS_OVERLAPPEDWINDOW, rectDefault,
                  nullptr, nullptr);
}

int CTrayTimerWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_nTimerId = SetTimer(kAnimationTimer, m_nDelay);
    return 0;
}

void CTrayTimerWnd::OnTimer(UINT_PTR)
{
    Advance();
}

void CTrayTimerWnd::Advance()
{
    if (m_nIconCount == 0)
        return;
    m_nCurrentIcon = static_cast<int>((static_cast<UINT>(m_nCurrentIcon) + 1) % m_nIconCount);
    if (m_pOwner != nullptr)
        m_pOwner->ShowImage(m_phIcons[m_nCurrentIcon]);
}

void CTrayTimerWnd::OnDestroy()
{
    if (m_nTimerId != 0)
        KillTimer(m_nTimerId);
    m_nTimerId = 0;
    CFrameWnd::OnDestroy();
}
