// CWndCreationScope: binds a window to its object at creation (see
// CWndCreationScope.h).
#include "CWndCreationScope.h"
#include "CHandleMap.h"
#include "CWnd.h"

namespace {
// The object waiting for its window; scopes nest (a window may create
// another one while it is being created), each restores the previous one.
CWnd* g_pPending = nullptr;
} // namespace

CWndCreationScope::CWndCreationScope(CWnd* pWnd)
    : m_pPreviousPending(g_pPending), m_hHook(SetWindowsHookExW(WH_CBT, &CbtProc, nullptr, GetCurrentThreadId()))
{
    g_pPending = pWnd;
}

CWndCreationScope::~CWndCreationScope()
{
    if (m_hHook != nullptr)
        UnhookWindowsHookEx(m_hHook);
    g_pPending = m_pPreviousPending;
}

LRESULT CALLBACK CWndCreationScope::CbtProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND && g_pPending != nullptr) {
        CWnd* pWnd = g_pPending;
        g_pPending = nullptr;
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        bool bEntered = false;
        try {
            bEntered = CHandleMap::Instance().SetPermanent(hWnd, pWnd);
        } catch (...) {
            // No exception may unwind through the system's hook callers. A
            // window that cannot be entered in the map would reach no object:
            // refuse its creation (CreateWindowEx fails).
            return 1;
        }
        if (bEntered) {
            pWnd->m_hWnd = hWnd;
            pWnd->m_pfnSuper = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
        }
    }
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}
