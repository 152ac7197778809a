// TopLevelWindows: test windows with known titles and Z order (see
// TopLevelWindows.h).
#include "TopLevelWindows.h"

namespace seltest {

HWND TopLevelWindows::Add(LPCWSTR lpszTitle, DWORD dwStyle, int x, int y, int cx, int cy)
{
    auto pWnd = std::make_unique<CWnd>();
    if (!pWnd->CreateEx(0, nullptr, lpszTitle, dwStyle & ~WS_VISIBLE, x, y, cx, cy, nullptr, nullptr))
        return nullptr;
    const UINT nShow = (dwStyle & WS_VISIBLE) ? SWP_SHOWWINDOW : 0;
    SetWindowPos(pWnd->m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | nShow);
    m_windows.push_back(std::move(pWnd));
    return m_windows.back()->m_hWnd;
}

HWND TopLevelWindows::AddPlain(LPCWSTR lpszTitle, int x, int y)
{
    return Add(lpszTitle, WS_POPUP | WS_VISIBLE, x, y, 320, 200);
}

HWND TopLevelWindows::AddMinimised(LPCWSTR lpszTitle)
{
    HWND hWnd = Add(lpszTitle, WS_POPUP, 40, 40, 320, 200);
    if (hWnd != nullptr)
        ShowWindow(hWnd, SW_SHOWMINNOACTIVE);
    return hWnd;
}

bool TopLevelWindows::Contains(HWND hWnd) const
{
    for (const auto& pWnd : m_windows) {
        if (pWnd->m_hWnd == hWnd)
            return true;
    }
    return false;
}

int TopLevelWindows::ZIndex(HWND hWnd)
{
    int nIndex = 0;
    for (HWND h = GetTopWindow(nullptr); h != nullptr; h = GetWindow(h, GW_HWNDNEXT), ++nIndex) {
        if (h == hWnd)
            return nIndex;
    }
    return -1;
}

} // namespace seltest
