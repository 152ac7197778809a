// CStartTrace: start-up stages timed with the performance counter, placed on
// the process's own clock once, at Begin (the system clock read there moves
// in steps of up to 16 ms on Windows, which shifts every mark alike).
#include "CStartTrace.h"

#include <windows.h>

#include <cstdio>

namespace {

wchar_t g_szTracePath[MAX_PATH] = {};
bool g_bTracing = false;
LARGE_INTEGER g_frequency = {};
// The performance counter at Begin and the milliseconds since the process
// was created at that moment.
LARGE_INTEGER g_beginCounter = {};
double g_dBeginMs = 0.0;

double FileTimeMs(const FILETIME& time)
{
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return static_cast<double>(value.QuadPart) / 10000.0;
}

} // namespace

void CStartTrace::Begin()
{
    const DWORD nLength = ::GetEnvironmentVariableW(L"TES_START_TRACE", g_szTracePath, MAX_PATH);
    if (nLength == 0 || nLength >= MAX_PATH)
        return;
    FILETIME creation = {};
    FILETIME exit = {};
    FILETIME kernel = {};
    FILETIME user = {};
    FILETIME now = {};
    ::QueryPerformanceFrequency(&g_frequency);
    ::QueryPerformanceCounter(&g_beginCounter);
    ::GetSystemTimeAsFileTime(&now);
    if (!::GetProcessTimes(::GetCurrentProcess(), &creation, &exit, &kernel, &user))
        return;
    g_dBeginMs = FileTimeMs(now) - FileTimeMs(creation);
    g_bTracing = true;
    Mark("entry");
}

void CStartTrace::Mark(const char* pszStage)
{
    if (!g_bTracing)
        return;
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    const double dMs =
        g_dBeginMs + static_cast<double>(counter.QuadPart - g_beginCounter.QuadPart) * 1000.0 / g_frequency.QuadPart;
    char szLine[96];
    const int nLine = std::snprintf(szLine, sizeof(szLine), "%s %.1f\n", pszStage, dMs);
    const HANDLE hFile = ::CreateFileW(g_szTracePath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return;
    DWORD nWritten = 0;
    if (nLine > 0 && nLine < static_cast<int>(sizeof(szLine)))
        ::WriteFile(hFile, szLine, static_cast<DWORD>(nLine), &nWritten, nullptr);
    ::CloseHandle(hFile);
}
