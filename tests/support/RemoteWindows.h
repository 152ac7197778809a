// RemoteWindows: finding, describing and probing the windows of another
// process (a running tes.exe driven from a test program). Every wait has a
// bound.
#pragma once

#include <string>
#include <vector>

#include "PlatformTypes.h"

namespace guitest {

class RemoteWindows
{
public:
    // A visible top-level window with this caption, waited for up to nMs.
    static HWND WaitForTitle(const wchar_t* pszTitle, int nMs = 10000);
    // TRUE when the window's visibility became bVisible within nMs.
    static bool WaitForVisibility(HWND hWnd, bool bVisible, int nMs);
    // Among the visible top-level windows of hMain's process other than
    // hMain (of class pszClass, or any when null): the largest or the
    // smallest, waited for up to nMs.
    static HWND WaitForOther(HWND hMain, bool bLargest, const wchar_t* pszClass, int nMs);
    // Every top-level window of the process, front to back.
    static std::vector<HWND> OfProcess(DWORD dwProcessId);
    // Every visible top-level window of hMain's process other than hMain,
    // front to back.
    static std::vector<HWND> Others(HWND hMain);
    // "caption" [class] for a report.
    static std::wstring Describe(HWND hWnd);
    // TRUE when hWnd lies above hOther in the Z order of top-level windows.
    static bool IsAbove(HWND hWnd, HWND hOther);
    // Sends WM_NULL and waits up to nMs for the answer; the time it took
    // goes to nElapsedMs. FALSE when it did not answer in time.
    static bool Probe(HWND hWnd, DWORD nMs, DWORD& nElapsedMs);
};

} // namespace guitest
