// CTesHook: the low-level mouse hook and the thread it runs on (see CTesHook.h).
#include "CTesHook.h"

#include <atomic>

namespace {

// The hook thread's state. The thread that makes and destroys the hook
// objects writes the plain fields, while the hook thread is not running;
// the hook thread sets g_hHook before it signals that it is ready and clears
// it after its loop. The swallow flags belong to whoever handles the events.
std::atomic<HHOOK> g_hHook{ nullptr };
HANDLE g_hThread = nullptr;
DWORD g_dwThreadId = 0;
DWORD g_dwGuiThread = 0;
int g_nUsers = 0;
// A press was swallowed, so its release is swallowed too.
std::atomic<BOOL> g_bSwallowLeftUp{ FALSE };
std::atomic<BOOL> g_bSwallowRightUp{ FALSE };

// Bounds on starting and ending the hook thread; both take a few
// milliseconds unless the system is stuck.
const DWORD kThreadStartMs = 5000;
const DWORD kThreadEndMs = 5000;

HMODULE ThisModule()
{
    HMODULE hModule = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&ThisModule), &hModule);
    return hModule;
}

LRESULT CALLBACK LowLevelMouseProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    BOOL bSwallow = FALSE;
    if (nCode == HC_ACTION) {
        try {
            bSwallow = CTesHook::HandleMouseEvent(wParam, g_dwGuiThread);
        } catch (...) {
            bSwallow = FALSE;
        }
    }
    if (bSwallow)
        return 1;
    return ::CallNextHookEx(g_hHook, nCode, wParam, lParam);
}

// Installs the hook and answers the system until WM_QUIT. lpParam is the event
// to signal once the hook is installed or has failed.
DWORD WINAPI HookThreadProc(LPVOID lpParam)
{
    MSG msg;
    ::PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);   // the thread's queue, before anyone posts
    g_hHook = ::SetWindowsHookExW(WH_MOUSE_LL, &LowLevelMouseProc, ThisModule(), 0);
    const BOOL bInstalled = g_hHook != nullptr;
    ::SetEvent(static_cast<HANDLE>(lpParam));
    if (!bInstalled)
        return 1;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageW(&msg);
    ::UnhookWindowsHookEx(g_hHook);
    g_hHook = nullptr;
    g_bSwallowLeftUp = FALSE;
    g_bSwallowRightUp = FALSE;
    return 0;
}

void CloseThreadHandle()
{
    ::CloseHandle(g_hThread);
    g_hThread = nullptr;
    g_dwThreadId = 0;
}

// Starts the hook thread and waits until it has installed the hook; nothing is
// left running when the system refuses the hook.
void StartHookThread()
{
    const HANDLE hReady = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (hReady == nullptr)
        return;
    g_hThread = ::CreateThread(nullptr, 0, &HookThreadProc, hReady, 0, &g_dwThreadId);
    if (g_hThread != nullptr) {
        // The hook answers every mouse event of the system: it must never
        // wait behind busy threads of its own process.
        ::SetThreadPriority(g_hThread, THREAD_PRIORITY_HIGHEST);
        const HANDLE waits[2] = { hReady, g_hThread };
        ::WaitForMultipleObjects(2, waits, FALSE, kThreadStartMs);
        if (g_hHook == nullptr) {
            ::WaitForSingleObject(g_hThread, kThreadEndMs);
            CloseThreadHandle();
        }
    }
    ::CloseHandle(hReady);
}

void StopHookThread()
{
    if (g_hThread == nullptr)
        return;
    ::PostThreadMessageW(g_dwThreadId, WM_QUIT, 0, 0);
    ::WaitForSingleObject(g_hThread, kThreadEndMs);
    CloseThreadHandle();
}

} // namespace

CTesHook::CTesHook()
{
    if (g_nUsers++ == 0)
        g_dwGuiThread = ::GetCurrentThreadId();
    if (g_hHook == nullptr)
        StartHookThread();
}

CTesHook::~CTesHook()
{
    if (--g_nUsers == 0)
        StopHookThread();
}

BOOL CTesHook::IsInstalled()
{
    return g_hHook != nullptr;
}

HWND CTesHook::FindPickWindow(DWORD dwGuiThread)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    if (dwGuiThread == 0 || !::GetGUIThreadInfo(dwGuiThread, &info) || info.hwndCapture == nullptr)
        return nullptr;
    const HWND hCapture = info.hwndCapture;
    const LONG_PTR style = ::GetWindowLongPtrW(hCapture, GWL_STYLE);
    if ((style & WS_CHILD) == 0 || (style & WS_VISIBLE) != 0 || ::GetDlgCtrlID(hCapture) != TES_CORE_WINDOW_ID)
        return nullptr;
    return hCapture;
}

BOOL CTesHook::HandleMouseEvent(WPARAM nMessage, DWORD dwGuiThread)
{
    switch (nMessage) {
    case WM_LBUTTONUP:
        return g_bSwallowLeftUp.exchange(FALSE);
    case WM_RBUTTONUP:
        return g_bSwallowRightUp.exchange(FALSE);
    default:
        break;
    }
    const HWND hPick = FindPickWindow(dwGuiThread);
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
