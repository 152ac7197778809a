// TestFolder: a fresh, empty folder of its own for one test, with whole-file
// byte access, removed with everything in it when the object goes. Portable:
// the native tests and the Windows tests share it.
#pragma once

#include "CString.h"

#include <filesystem>
#include <string>

class TestFolder
{
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // The folder's own path, without a trailing separator.
    const std::wstring& Path() const { return m_path; }
    // The full path of an entry in the folder.
    CString Path(const wchar_t* pszName) const;

    void WriteBytes(const wchar_t* pszName, const std::string& bytes) const;
    std::string ReadBytes(const wchar_t* pszName) const;
    bool Exists(const wchar_t* pszName) const;
    void MakeSubfolder(const wchar_t* pszName) const;
    // How many entries the folder holds.
    int EntryCount() const;

    // Text as UTF-16LE bytes, the way the settings file holds it.
    static std::string Utf16Le(const std::u16string& text);

private:
    std::filesystem::path m_folder;
    std::wstring m_path;
};
