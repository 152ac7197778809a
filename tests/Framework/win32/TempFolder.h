// TempFolder: a new, empty folder under the user's temporary folder for one
// test, removed with everything in it when the object goes.
#pragma once

#include <string>

namespace guitest {

class TempFolder
{
public:
    TempFolder();
    ~TempFolder();

    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path, without a trailing backslash; empty when it could
    // not be created.
    const std::wstring& Path() const { return m_path; }
    // Path() + "\\" + name.
    std::wstring Child(const wchar_t* pszName) const;
    bool Exists(const wchar_t* pszName) const;
    // How many entries the folder holds.
    int EntryCount() const;

private:
    static void RemoveTree(const std::wstring& path);

    std::wstring m_path;
};

} // namespace guitest
