// TempFolder: a scratch folder per test (see TempFolder.h).
#include "TempFolder.h"

#include "PlatformTypes.h"

namespace guitest {

TempFolder::TempFolder()
{
    wchar_t szTemp[MAX_PATH] = {};
    const DWORD nLength = GetTempPathW(MAX_PATH, szTemp);
    if (nLength == 0 || nLength >= MAX_PATH)
        return;
    // No dot in the folder's name, so that a dot in a path is always the
    // test's own.
    for (unsigned n = GetTickCount() % 100000;; ++n) {
        const std::wstring candidate = std::wstring(szTemp) + L"tesfd" + std::to_wstring(GetCurrentProcessId())
                                       + L"_" + std::to_wstring(n);
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            m_path = candidate;
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return;
    }
}

TempFolder::~TempFolder()
{
    if (!m_path.empty())
        RemoveTree(m_path);
}

std::wstring TempFolder::Child(const wchar_t* pszName) const
{
    return m_path + L"\\" + pszName;
}

bool TempFolder::Exists(const wchar_t* pszName) const
{
    return GetFileAttributesW(Child(pszName).c_str()) != INVALID_FILE_ATTRIBUTES;
}

int TempFolder::EntryCount() const
{
    int nCount = 0;
    WIN32_FIND_DATAW data;
    HANDLE hFind = FindFirstFileW((m_path + L"\\*").c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (lstrcmpW(data.cFileName, L".") != 0 && lstrcmpW(data.cFileName, L"..") != 0)
            ++nCount;
    } while (FindNextFileW(hFind, &data));
    FindClose(hFind);
    return nCount;
}

void TempFolder::RemoveTree(const std::wstring& path)
{
    WIN32_FIND_DATAW data;
    HANDLE hFind = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            if (lstrcmpW(data.cFileName, L".") == 0 || lstrcmpW(data.cFileName, L"..") == 0)
                continue;
            const std::wstring child = path + L"\\" + data.cFileName;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(hFind, &data));
        FindClose(hFind);
    }
    RemoveDirectoryW(path.c_str());
}

} // namespace guitest
