// RemoteWindows: another process's windows (see RemoteWindows.h).
#include "RemoteWindows.h"

#include <cwchar>

namespace guitest {

namespace {

DWORD ProcessOf(HWND hWnd)
{
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcessId);
    return dwProcessId;
}

struct ProcessSearch
{
    DWORD dwProcessId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectOfProcess(HWND hWnd, LPARAM lParam)
{
    auto& search = *reinterpret_cast<ProcessSearch*>(lParam);
    if (ProcessOf(hWnd) == search.dwProcessId)
        search.found.push_back(hWnd);
    return TRUE;
}

bool HasClass(HWND hWnd, const wchar_t* pszClass)
{
    wchar_t szClass[64] = {};
    ::GetClassNameW(hWnd, szClass, 64);
    return std::wcscmp(szClass, pszClass) == 0;
}

} // namespace

HWND RemoteWindows::WaitForTitle(const wchar_t* pszTitle, int nMs)
{
    for (int waited = 0; waited < nMs; waited += 50) {
        const HWND hWnd = ::FindWindowW(nullptr, pszTitle);
        if (hWnd != nullptr && ::IsWindowVisible(hWnd))
            return hWnd;
        ::Sleep(50);
    }
    return nullptr;
}

bool RemoteWindows::WaitForVisibility(HWND hWnd, bool bVisible, int nMs)
{
    for (int waited = 0; waited < nMs; waited += 10) {
        if ((::IsWindowVisible(hWnd) != FALSE) == bVisible)
            return true;
        ::Sleep(10);
    }
    return false;
}

HWND RemoteWindows::WaitForOther(HWND hMain, bool bLargest, const wchar_t* pszClass, int nMs)
{
    for (int waited = 0; waited < nMs; waited += 50) {
        ::Sleep(50);
        HWND hFound = nullptr;
        long long nFoundArea = 0;
        for (HWND hWnd : Others(hMain)) {
            if (pszClass != nullptr && !HasClass(hWnd, pszClass))
                continue;
            RECT rect;
            ::GetWindowRect(hWnd, &rect);
            const long long nArea = 1LL * (rect.right - rect.left) * (rect.bottom - rect.top);
            if (nArea > 0 && (hFound == nullptr || (bLargest ? nArea > nFoundArea : nArea < nFoundArea))) {
                hFound = hWnd;
                nFoundArea = nArea;
            }
        }
        if (hFound != nullptr)
            return hFound;
    }
    return nullptr;
}

std::vector<HWND> RemoteWindows::OfProcess(DWORD dwProcessId)
{
    ProcessSearch search = { dwProcessId, {} };
    ::EnumWindows(CollectOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> RemoteWindows::Others(HWND hMain)
{
    std::vector<HWND> others;
    for (HWND hWnd : OfProcess(ProcessOf(hMain))) {
        if (hWnd != hMain && ::IsWindowVisible(hWnd))
            others.push_back(hWnd);
    }
    return others;
}

std::wstring RemoteWindows::Describe(HWND hWnd)
{
    wchar_t szTitle[128] = {};
    wchar_t szClass[64] = {};
    ::GetWindowTextW(hWnd, szTitle, 128);
    ::GetClassNameW(hWnd, szClass, 64);
    RECT rect = {};
    ::GetWindowRect(hWnd, &rect);
    wchar_t szRect[64];
    std::swprintf(szRect, 64, L" at (%ld,%ld)-(%ld,%ld)", rect.left, rect.top, rect.right, rect.bottom);
    return L"\"" + std::wstring(szTitle) + L"\" [" + szClass + L"]" + szRect;
}

bool RemoteWindows::IsAbove(HWND hWnd, HWND hOther)
{
    for (HWND hAt = ::GetTopWindow(nullptr); hAt != nullptr; hAt = ::GetWindow(hAt, GW_HWNDNEXT)) {
        if (hAt == hWnd)
            return true;
        if (hAt == hOther)
            return false;
    }
    return false;
}

bool RemoteWindows::Probe(HWND hWnd, DWORD nMs, DWORD& nElapsedMs)
{
    const DWORD nStart = ::GetTickCount();
    DWORD_PTR nResult = 0;
    const bool bAnswered = ::SendMessageTimeoutW(hWnd, WM_NULL, 0, 0, SMTO_NORMAL, nMs, &nResult) != 0;
    nElapsedMs = ::GetTickCount() - nStart;
    return bAnswered;
}

} // namespace guitest
