// CWideFile: C-runtime file access by wide path on Windows and natively.
#include "CWideFile.h"

#include "CUnicodeCodec.h"
#include "PlatformTypes.h"

#ifdef _WIN32
#  include <io.h>
#  include <stdio.h>
#else
#  include <unistd.h>
#endif

#include <cwchar>
#include <string>

CWideFile::~CWideFile()
{
    Close();
}

bool CWideFile::Open(const CString& strPath, const wchar_t* pszMode)
{
    Close();
    // A name with an embedded terminator would name another file.
    if (std::wcslen(strPath.GetString()) != static_cast<std::size_t>(strPath.GetLength()))
        return false;
#ifdef _WIN32
    if (_wfopen_s(&m_pFile, strPath.GetString(), pszMode) != 0)
        m_pFile = nullptr;
#else
    std::string mode;
    for (const wchar_t* p = pszMode; *p != L'\0'; ++p)
        mode += static_cast<char>(*p);
    m_pFile = std::fopen(CUnicodeCodec::ToUtf8(strPath).c_str(), mode.c_str());
#endif
    // Every caller moves whole blocks, so a buffer of the C runtime's own
    // would only copy them once more and cost a status query of the file.
    if (m_pFile != nullptr)
        std::setvbuf(m_pFile, nullptr, _IONBF, 0);
    return m_pFile != nullptr;
}

std::size_t CWideFile::Read(void* pBuffer, std::size_t nBytes)
{
    return m_pFile != nullptr ? std::fread(pBuffer, 1, nBytes, m_pFile) : 0;
}

bool CWideFile::Write(const void* pData, std::size_t nBytes)
{
    return m_pFile != nullptr && std::fwrite(pData, 1, nBytes, m_pFile) == nBytes;
}

bool CWideFile::Commit()
{
    if (m_pFile == nullptr || std::fflush(m_pFile) != 0)
        return false;
#ifdef _WIN32
    return _commit(_fileno(m_pFile)) == 0;
#else
    return fsync(fileno(m_pFile)) == 0;
#endif
}

bool CWideFile::Close()
{
    if (m_pFile == nullptr)
        return true;
    const bool hadError = std::ferror(m_pFile) != 0;
    const bool closed = std::fclose(m_pFile) == 0;
    m_pFile = nullptr;
    return closed && !hadError;
}

bool CWideFile::Replace(const CString& strFrom, const CString& strTo)
{
#ifdef _WIN32
    return MoveFileExW(strFrom.GetString(), strTo.GetString(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
#else
    return std::rename(CUnicodeCodec::ToUtf8(strFrom).c_str(), CUnicodeCodec::ToUtf8(strTo).c_str()) == 0;
#endif
}

bool CWideFile::Remove(const CString& strPath)
{
#ifdef _WIN32
    return DeleteFileW(strPath.GetString()) != FALSE;
#else
    return std::remove(CUnicodeCodec::ToUtf8(strPath).c_str()) == 0;
#endif
}
