// CWideFile: a C-runtime file opened by a wide path (_wfopen_s on Windows, the
// UTF-8 form of the path elsewhere), closed when the object goes, plus the
// replace and remove calls that the settings file needs. It is unbuffered:
// callers read and write in blocks of their own.
#pragma once

#include "CString.h"

#include <cstddef>
#include <cstdio>

class CWideFile
{
public:
    CWideFile() = default;
    ~CWideFile();
    CWideFile(const CWideFile&) = delete;
    CWideFile& operator=(const CWideFile&) = delete;

    // Opens the path with a C-runtime mode such as L"rb" or L"wb"; closes any
    // file opened before. False when the file cannot be opened.
    bool Open(const CString& strPath, const wchar_t* pszMode);
    bool IsOpen() const { return m_pFile != nullptr; }

    // Reads up to nBytes; returns the number read, fewer only at the end of
    // the file or on an error.
    std::size_t Read(void* pBuffer, std::size_t nBytes);

    // False unless all nBytes were written.
    bool Write(const void* pData, std::size_t nBytes);

    // Pushes the written data through to the disk. False on any error.
    bool Commit();

    // Closes the file; false when a write error was seen or closing failed.
    // Closing a file that is not open succeeds.
    bool Close();

    // Renames strFrom to strTo, replacing strTo when it exists.
    static bool Replace(const CString& strFrom, const CString& strTo);
    static bool Remove(const CString& strPath);

private:
    std::FILE* m_pFile = nullptr;
};
