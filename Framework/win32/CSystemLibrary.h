// CSystemLibrary: a DLL of the system that is not among its known DLLs,
// loaded from the system folder the first time one of its functions is
// asked for, so that a DLL of the same name beside the program (or in the
// current folder, or on PATH) never runs in our process.
#pragma once

#include "FrameworkApi.h"
#include "PlatformTypes.h"

// Loading: LoadLibraryExW with LOAD_LIBRARY_SEARCH_SYSTEM32; where the system
// refuses that flag (Windows 7 without update KB2533623 answers
// ERROR_INVALID_PARAMETER), the full path in GetSystemDirectoryW's folder,
// with the library's own imports looked for beside it first. Never a bare
// name. A library that cannot be loaded is tried once; its functions are all
// null, and callers then fail quietly.
//
// The library stays loaded until the process ends: the object is meant to
// be a function-local static, and a library must not be freed while the
// process shuts down. The first use is not synchronised: the framework and
// TesLib call it on the GUI thread only; code that calls it from several
// threads must make one call before they start.
class FRAMEWORK_API CSystemLibrary
{
public:
    // pszName: a file name without a folder, e.g. L"winmm.dll"; the string
    // must live as long as the object (a literal).
    explicit CSystemLibrary(LPCWSTR pszName);
    CSystemLibrary(const CSystemLibrary&) = delete;
    CSystemLibrary& operator=(const CSystemLibrary&) = delete;

    // The library, loaded on the first call; null when it cannot be loaded.
    HMODULE GetModule();
    // The function pszFunction of the library; null when the library or the
    // function is missing.
    FARPROC GetProcAddress(LPCSTR pszFunction);
    // The same as a pointer of the function's own type T.
    template <typename T>
    T GetFunction(LPCSTR pszFunction)
    {
        return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(pszFunction)));
    }

private:
    LPCWSTR m_pszName;
    HMODULE m_hModule;
    BOOL m_bTried;
};
