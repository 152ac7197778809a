// A stand-in for the program a link opens: it writes its command line into
// "link-opened.txt" beside itself, so a test can see that the link was opened.
#include <windows.h>

#include <cstdio>

int main()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    wchar_t* pSlash = wcsrchr(path, L'\\');
    if (pSlash == nullptr)
        return 1;
    lstrcpyW(pSlash + 1, L"link-opened.txt");
    FILE* pFile = _wfopen(path, L"wb");
    if (pFile == nullptr)
        return 1;
    const wchar_t* pszCommandLine = GetCommandLineW();
    fwrite(pszCommandLine, sizeof(wchar_t), wcslen(pszCommandLine), pFile);
    fclose(pFile);
    return 0;
}
