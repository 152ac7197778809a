// ProcessUsage: what another process holds — private bytes, working set,
// GDI and USER objects, kernel handles (its rows in the system's handle
// table, which Wine fills where it reports no per-process count) and its
// windows — read from outside it.
#pragma once

#include <string>

#include "PlatformTypes.h"

namespace guitest {

struct ProcessUsage
{
    double dPrivateMiB = 0;
    double dWorkingSetMiB = 0;
    DWORD nGdiObjects = 0;
    bool bGdiReported = false; // Wine may not count GDI objects
    DWORD nUserObjects = 0;
    DWORD nHandles = 0;
    DWORD nWindows = 0; // top-level and child windows

    // The figures of the process that owns hWnd.
    static ProcessUsage OfWindow(HWND hWnd);
    // One line: "private bytes 3.1 MiB, working set ..., handles N".
    std::wstring Describe() const;
};

} // namespace guitest
