// CSystemLibrary: a system DLL loaded from the system folder (see
// CSystemLibrary.h).
#include "CSystemLibrary.h"

#include <cwchar>

CSystemLibrary::CSystemLibrary(LPCWSTR pszName) : m_pszName(pszName), m_hModule(nullptr), m_bTried(FALSE)
{
}

HMODULE CSystemLibrary::GetModule()
{
    if (m_bTried)
        return m_hModule;
    m_bTried = TRUE;
    m_hModule = ::LoadLibraryExW(m_pszName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (m_hModule != nullptr || ::GetLastError() != ERROR_INVALID_PARAMETER)
        return m_hModule;
    // A system without the search flags: the full path, and the library's
    // own imports from its folder rather than from the program's.
    wchar_t szPath[MAX_PATH];
    const UINT nFolder = ::GetSystemDirectoryW(szPath, MAX_PATH);
    if (nFolder == 0 || nFolder + 1 + std::wcslen(m_pszName) >= MAX_PATH)
        return nullptr;
    szPath[nFolder] = L'\\';
    std::wcscpy(szPath + nFolder + 1, m_pszName);
    m_hModule = ::LoadLibraryExW(szPath, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    return m_hModule;
}

FARPROC CSystemLibrary::GetProcAddress(LPCSTR pszFunction)
{
    const HMODULE hModule = GetModule();
    return hModule != nullptr ? ::GetProcAddress(hModule, pszFunction) : nullptr;
}
