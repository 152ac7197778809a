// CModulePath: module file names of any length.
#include "CModulePath.h"

#include "CPathName.h"

#include <windows.h>

#include <vector>

CString CModulePath::GetFileName(HMODULE hModule)
{
    // The longest path the platform allows is 32767 characters.
    for (DWORD nSize = MAX_PATH; nSize <= 65536; nSize *= 2) {
        std::vector<wchar_t> buffer(nSize);
        const DWORD nLength = ::GetModuleFileNameW(hModule, buffer.data(), nSize);
        if (nLength == 0)
            return CString();
        // A path that fills the buffer may have been cut: try a larger one.
        if (nLength < nSize)
            return CString(buffer.data(), static_cast<int>(nLength));
    }
    return CString();
}

CString CModulePath::DirectoryOf(const CString& strPath)
{
    const CString strFolder = CPathName::FolderOf(strPath);
    return strFolder.IsEmpty() ? CString(L'\\') : strFolder;
}
