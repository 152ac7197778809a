// TestFolder: a fresh folder of its own for one test, with whole-file byte
// access, removed with everything in it when the test ends.
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

    // The full path of a file in the folder.
    CString Path(const wchar_t* pszName) const;

    void WriteBytes(const wchar_t* pszName, const std::string& bytes) const;
    std::string ReadBytes(const wchar_t* pszName) const;
    bool Exists(const wchar_t* pszName) const;
    void MakeSubfolder(const wchar_t* pszName) const;

    // Text as UTF-16LE bytes, the way the settings file holds it.
    static std::string Utf16Le(const std::u16string& text);

private:
    std::filesystem::path m_folder;
};
