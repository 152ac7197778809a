// CTesHook: the low-level mouse hook (see CTesHook.h).
#include "CTesHook.h"

namespace {

HHOOK g_hHook = nullptr;
int g_nUsers = 0;
// A press was swallowed, so its release is swallowed too.
BOOL g_bSwallowLeftUp = FALSE;
BOOL g_bSwallowRightUp = FALSE;

HMODULE ThisModule()
{
    HMODULE hModule = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&ThisModule), &hModule);
    return hModule;
}

} // namespace

CTesHook::CTesHook()
{
    if (g_nUsers++ == 0)
        g_hHook = ::SetWindowsHookExW(WH_MOUSE_LL, &CTesHook::LowLevelMouseProc, ThisModule(), 0);
}

CTesHook::~CTesHook()
{
    if (--g_nUsers == 0 && g_hHook != nullptr) {
        ::UnhookWindowsHookEx(g_hHook);
        g_hHook = nullptr;
        g_bSwallowLeftUp = FALSE;
        g_bSwallowRightUp = FALSE;
    }
}

BOOL CTesHook::IsInstalled()
{
    return g_hHook != nullptr;
}

HWND CTesHook::FindPickWindow()
{
    const HWND hCapture = ::GetCapture();
    if (hCapture == nullptr)
        return nullptr;
    const LONG_PTR style = ::GetWindowLongPtrW(hCapture, GWL_STYLE);
    if ((style & WS_CHILD) == 0 || (style & WS_VISIBLE) != 0 || ::GetDlgCtrlID(hCapture) != TES_CORE_WINDOW_ID)
        return nullptr;
    return hCapture;
}

BOOL CTesHook::IsLeftButtonHeld()
{
    return g_bSwallowLeftUp;
}

BOOL CTesHook::HandleMouseEvent(WPARAM nMessage)
{
    switch (nMessage) {
    case WM_LBUTTONUP:
        if (!g_bSwallowLeftUp)
            return FALSE;
        g_bSwallowLeftUp = FALSE;
        return TRUE;
    case WM_RBUTTONUP:
        if (!g_bSwallowRightUp)
            return FALSE;
        g_bSwallowRightUp = FALSE;
        return TRUE;
    default:
        break;
    }
    const HWND hPick = FindPickWindow();
    if (hPick == nullptr)
        return FALSE;
    switch (nMessage) {
    case WM_MOUSEMOVE:
        ::PostMessageW(hPick, WM_ES_MOUSEMOVE, 0, 0);
        return FALSE;
    case WM_LBUTTONDOWN:
        ::PostMessageW(hPick, WM_ES_LBUTTONDOWN, 0, 0);
        g_bSwallowLeftUp = TRUE;
        return TRUE;
    case WM_RBUTTONDOWN:
        ::PostMessageW(hPick, WM_ES_RBUTTONDOWN, 0, 0);
        g_bSwallowRightUp = TRUE;
        return TRUE;
    default:
        return FALSE;
    }
}

LRESULT CALLBACK CTesHook::LowLevelMouseProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    BOOL bSwallow = FALSE;
    if (nCode == HC_ACTION) {
        try {
            bSwallow = HandleMouseEvent(wParam);
        } catch (...) {
            bSwallow = FALSE;
        }
    }
    if (bSwallow)
        return 1;
    return ::CallNextHookEx(g_hHook, nCode, wParam, lParam);
}
