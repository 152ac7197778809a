// CTrayTimerWnd: the hidden window whose timer advances the tray icon's
// animation one image per tick (timer 1, the icon's delay). It keeps its own
// copy of the image handles (not the icons themselves) and deletes itself
// when its window is destroyed.
#pragma once

#include "CFrameWnd.h"

class CTrayNotifyIcon;

class CTrayTimerWnd : public CFrameWnd
{
public:
    CTrayTimerWnd(CTrayNotifyIcon* pOwner, const HICON* phIcons, UINT nNumIcons, UINT nDelay);
    ~CTrayTimerWnd() override;

    // Creates the hidden window ("CTrayNotifyIcon Animation Notification
    // Window"); FALSE when that fails (the object then still belongs to the
    // caller).
    BOOL CreateHidden();

    // The index of the image shown now.
    int GetCurrentIcon() const { return m_nCurrentIcon; }
    // One animation step (what the timer does): the next image, wrapping
    // round; nothing with no images.
    void Advance();

protected:
    DECLARE_MESSAGE_MAP()
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();

private:
    CTrayNotifyIcon* m_pOwner;
    HICON* m_phIcons;
    UINT m_nIconCount;
    UINT m_nDelay;
    UINT_PTR m_nTimerId;
    int m_nCurrentIcon;
};
