// Tests of CPathName: folder, name and extension of paths with either
// separator.
#include "CPathName.h"
#include "WideText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CPathName, SplitsAtTheLastSeparatorAndTheNamesLastDot)
{
    const struct {
        const wchar_t* pszPath;
        const wchar_t* pszFolder;
        const wchar_t* pszName;
        const wchar_t* pszExt;
    } cases[] = {
        { L"C:\\shots\\a.png", L"C:\\shots\\", L"a.png", L"png" },
        { L"C:\\a.png\\photo.old.png", L"C:\\a.png\\", L"photo.old.png", L"png" },
        { L"\\\\server\\share\\tes.exe", L"\\\\server\\share\\", L"tes.exe", L"exe" },
        { L"dir.v2\\file", L"dir.v2\\", L"file", L"" },
        { L"dir.v2/file.bmp", L"dir.v2/", L"file.bmp", L"bmp" },
        { L"C:/mixed\\x/y.gif", L"C:/mixed\\x/", L"y.gif", L"gif" },
        { L"C:\\folder\\", L"C:\\folder\\", L"", L"" },
        { L"trailing.", L"", L"trailing.", L"" },
        { L".hidden", L"", L".hidden", L"hidden" },
        { L"noext", L"", L"noext", L"" },
        { L"", L"", L"", L"" },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.pszFolder, W(CPathName::FolderOf(c.pszPath))) << c.pszPath;
        EXPECT_EQ(c.pszName, W(CPathName::NameOf(c.pszPath))) << c.pszPath;
        EXPECT_EQ(c.pszExt, W(CPathName::ExtensionOf(c.pszPath))) << c.pszPath;
    }
}

} // namespace
