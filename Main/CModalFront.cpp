// CModalFront: the modal dialog a window waits for (see CModalFront.h).
#include "CModalFront.h"

#include <windows.h>

namespace {

struct DialogSearch
{
    HWND hOwner;
    HWND hFound;
};

// The first visible, enabled dialog window that hOwner owns, directly or
// through other windows.
BOOL CALLBACK FindEnabledDialog(HWND hWnd, LPARAM lParam)
{
    DialogSearch* pSearch = reinterpret_cast<DialogSearch*>(lParam);
    wchar_t szClass[8] = {};
    ::GetClassNameW(hWnd, szClass, 8);
    if (lstrcmpW(szClass, L"#32770") != 0 || !::IsWindowVisible(hWnd) || !::IsWindowEnabled(hWnd))
        return TRUE;
    for (HWND hOwner = ::GetWindow(hWnd, GW_OWNER); hOwner != nullptr; hOwner = ::GetWindow(hOwner, GW_OWNER)) {
        if (hOwner == pSearch->hOwner) {
            pSearch->hFound = hWnd;
            return FALSE;
        }
    }
    return TRUE;
}

} // namespace

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
    if (hWnd != hWndOwner && ::IsWindowVisible(hWnd))
        return hWnd;
    // Shown again, the owner can become its own last active popup: then the
    // dialog is the enabled one among the dialog windows it owns.
    DialogSearch search = { hWndOwner, nullptr };
    ::EnumThreadWindows(::GetWindowThreadProcessId(hWndOwner, nullptr), &FindEnabledDialog,
                        reinterpret_cast<LPARAM>(&search));
    return search.hFound;
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
