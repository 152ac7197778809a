// CModalFront: the modal dialog a window waits for (see CModalFront.h).
#include "CModalFront.h"

#include <windows.h>

HWND CModalFront::Find(HWND hWndOwner)
{
    if (hWndOwner == nullptr || !::IsWindow(hWndOwner) || ::IsWindowEnabled(hWndOwner))
        return nullptr;
    HWND hWnd = hWndOwner;
    for (int nLevel = 0; nLevel < MAX_LEVELS && !::IsWindowEnabled(hWnd); ++nLevel) {
        const HWND hPopup = ::GetLastActivePopup(hWnd);
        if (hPopup == nullptr || hPopup == hWnd)
            break;
        hWnd = hPopup;
    }
    return hWnd != hWndOwner && ::IsWindowVisible(hWnd) ? hWnd : nullptr;
}

BOOL CModalFront::BringForward(HWND hWndOwner)
{
    const HWND hModal = Find(hWndOwner);
    if (hModal == nullptr)
        return FALSE;
    const bool bTopmost = (::GetWindowLongW(hWndOwner, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    ::SetWindowPos(hModal, bTopmost ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetForegroundWindow(hModal);
    return TRUE;
}
