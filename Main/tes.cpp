// The program's entry and its one application object.
#include <windows.h>

#include "Afx.h"
#include "CStartTrace.h"
#include "CTessalyApp.h"

CTessalyApp theApp;

namespace {

// From here on, DLLs loaded by name (by us or by the system on our behalf)
// are looked for in the program's folder and the system folder only, no
// longer in the current folder or along PATH. The call is looked up, not
// imported: Windows 7 without update KB2533623 lacks it and keeps its usual
// search order.
void RestrictDllSearch()
{
    typedef BOOL(WINAPI * SetDefaultDllDirectoriesFunction)(DWORD);
    const FARPROC pProc = ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    const auto pSetDefaultDllDirectories =
        reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void*>(pProc));
    if (pSetDefaultDllDirectories != nullptr)
        pSetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
}

} // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    CStartTrace::Begin();
    RestrictDllSearch();
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
