// A stand-in for a system DLL left in the program's folder: when it is
// loaded it writes NAME.loaded beside itself (NAME: its own file name). It
// exports the functions it stands in for (PlantedDll.def), which do nothing
// and fail, so that an import of them still resolves.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH) {
        wchar_t szPath[MAX_PATH + 8];
        const DWORD nLength = ::GetModuleFileNameW(hInstance, szPath, MAX_PATH);
        ::lstrcpyW(szPath + nLength, L".loaded");
        ::CloseHandle(::CreateFileW(szPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    return TRUE;
}

extern "C" BOOL WINAPI PlantedStandIn()
{
    return FALSE;
}
