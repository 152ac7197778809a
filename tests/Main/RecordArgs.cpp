// A stand-in image editor for the program's tests: it appends what it was
// started with to the file named by TES_RECORD_FILE, one field per line:
// the whole command line and the working folder.
#include <windows.h>

#include <cstdio>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    wchar_t szRecord[1024] = {};
    if (::GetEnvironmentVariableW(L"TES_RECORD_FILE", szRecord, 1024) == 0)
        return 2;
    wchar_t szCwd[1024] = {};
    ::GetCurrentDirectoryW(1024, szCwd);
    FILE* pFile = _wfopen(szRecord, L"a, ccs=UTF-8");
    if (pFile == nullptr)
        return 3;
    fwprintf(pFile, L"%ls\n%ls\n", ::GetCommandLineW(), szCwd);
    fclose(pFile);
    return 0;
}
