// Tests of the program's small decision classes: hot-key modifiers and
// failure messages, the external editor's command.
#include <windows.h>

#include <gtest/gtest.h>

#include "CEditorCommand.h"
#include "CHotKeyTable.h"
#include "CPreviewPainter.h"
#include "CTesConfig.h"
#include "TestProcess.h"
#include "resource.h"

namespace {

std::wstring Text(const CString& s)
{
    return std::wstring(s.GetString(), static_cast<size_t>(s.GetLength()));
}

TEST(CHotKeyTable, StoredModifiersBecomeRegistrationFlags)
{
    const struct { WORD wStored; UINT nExpected; } cases[] = {
        { 0x00, 0 },
        { 0x01, MOD_SHIFT },
        { 0x02, MOD_CONTROL },
        { 0x04, MOD_ALT },
        { 0x06, MOD_CONTROL | MOD_ALT },
        { 0x07, MOD_SHIFT | MOD_CONTROL | MOD_ALT },
        { 0x08, 0 },              // the extended-key bit is no modifier
        { 0x09, MOD_SHIFT },
        { 0x0F, MOD_SHIFT | MOD_CONTROL | MOD_ALT },
    };
    for (const auto& c : cases)
        EXPECT_EQ(CHotKeyTable::ToRegisterModifiers(c.wStored), c.nExpected) << "stored " << c.wStored;
}

TEST(CHotKeyTable, RowsReadAndWriteTheirOwnSettingsInRegistrationOrder)
{
    // Each row reads its own setting: give every setting a different key.
    CTesConfig config;
    config.SetNewSnapHotkey(1, 'A');
    config.SetFullScreenHotkey(2, 'B');
    config.SetActiveWinHotkey(4, 'C');
    config.SetCurrentWinHotkey(1, 'D');
    config.SetWinClientHotkey(2, 'E');
    config.SetWinObjHotkey(4, 'F');
    config.SetSelectRectHotkey(1, 'G');
    config.SetShowHideHotkey(2, 'H');
    for (int nRow = 0; nRow < CHotKeyTable::COUNT; ++nRow) {
        WORD wModifier = 0;
        WORD wVk = 0;
        CHotKeyTable::GetKey(config, nRow, wModifier, wVk);
        EXPECT_EQ(wVk, 'A' + nRow) << "row " << nRow;
        EXPECT_EQ(wModifier, (1 << (nRow % 3))) << "row " << nRow;
        EXPECT_EQ(CHotKeyTable::GetId(nRow), 1001 + nRow);
    }
    // Written back through the rows in reverse, each lands in its own setting;
    // the page's defaults are the settings' own.
    CTesConfig fresh;
    for (int nRow = 0; nRow < CHotKeyTable::COUNT; ++nRow) {
        const CHotKeyTable::Row& row = CHotKeyTable::GetRow(nRow);
        WORD wModifier = 0;
        WORD wVk = 0;
        CHotKeyTable::GetKey(fresh, nRow, wModifier, wVk);
        EXPECT_EQ(row.wDefaultModifier, wModifier) << "row " << nRow;
        EXPECT_EQ(row.wDefaultVk, wVk) << "row " << nRow;
        CHotKeyTable::SetKey(config, nRow, 0, static_cast<WORD>('Z' - nRow));
    }
    for (int nRow = 0; nRow < CHotKeyTable::COUNT; ++nRow) {
        WORD wModifier = 1;
        WORD wVk = 0;
        CHotKeyTable::GetKey(config, nRow, wModifier, wVk);
        EXPECT_EQ(wVk, 'Z' - nRow) << "row " << nRow;
        EXPECT_EQ(wModifier, 0) << "row " << nRow;
    }
}

TEST(CHotKeyTable, FailureMessagesAndThePrintScreenLine)
{
    const wchar_t* expected[CHotKeyTable::COUNT] = {
        L"注册<新建截图>热键失败,请更换热键",
        L"注册捕捉<整个屏幕>热键失败,请更换热键",
        L"注册捕捉<活动程序窗口>热键失败,请更换热键",
        L"注册捕捉<当前窗口>热键失败,请更换热键",
        L"注册捕捉<活动程序客户区>热键失败,请更换热键",
        L"注册捕捉<界面对象>热键失败,请更换热键",
        L"注册捕捉<选定区域>热键失败,请更换热键",
        L"注册<显示隐藏窗口>热键失败,请更换热键",
    };
    for (int nRow = 0; nRow < CHotKeyTable::COUNT; ++nRow) {
        EXPECT_EQ(Text(CHotKeyTable::GetFailureMessage(nRow, VK_F3)), expected[nRow]);
        const std::wstring withPrint = Text(CHotKeyTable::GetFailureMessage(nRow, VK_SNAPSHOT));
        EXPECT_EQ(withPrint.substr(0, wcslen(expected[nRow]) + 1), std::wstring(expected[nRow]) + L"\n");
        EXPECT_NE(withPrint.find(L"PrintScreen"), std::wstring::npos);
    }
}

TEST(CEditorCommand, FolderNameAndParameters)
{
    const struct {
        const wchar_t* pszPicture;
        const wchar_t* pszParameters;
        const wchar_t* pszDirectory;
    } cases[] = {
        { L"C:\\shots\\a.png", L"\"a.png\"", L"C:\\shots\\" },
        { L"C:\\my shots\\a b.png", L"\"a b.png\"", L"C:\\my shots\\" },
        // The name also occurs inside the folder: only the last part goes.
        { L"C:\\a.png\\a.png", L"\"a.png\"", L"C:\\a.png\\" },
        { L"D:\\x\\shot\\shot", L"\"shot\"", L"D:\\x\\shot\\" },
        { L"a.png", L"\"a.png\"", L"" },
        { L"", L"", L"" },
    };
    for (const auto& c : cases) {
        const CEditorCommand command(L"C:\\Tools\\paint.exe", c.pszPicture);
        EXPECT_TRUE(command.HasEditor());
        EXPECT_EQ(Text(command.GetProgram()), L"C:\\Tools\\paint.exe");
        EXPECT_EQ(Text(command.GetParameters()), c.pszParameters) << c.pszPicture;
        EXPECT_EQ(Text(command.GetDirectory()), c.pszDirectory) << c.pszPicture;
    }
    EXPECT_FALSE(CEditorCommand(L"", L"C:\\shots\\a.png").HasEditor());
}

// The placeholder is a 450 x 320, 24-bit DIB section, so that a DC
// compatible with a printer's can select it (a device-dependent bitmap
// cannot be).
TEST(CPreviewPainter, ThePlaceholderIsADibSection)
{
    HBITMAP hPlaceholder = CPreviewPainter::LoadPlaceholder(::GetModuleHandleW(nullptr), IDB_DEFAULT_PREVIEW);
    ASSERT_NE(hPlaceholder, nullptr);
    DIBSECTION dib = {};
    EXPECT_EQ(::GetObjectW(hPlaceholder, sizeof(dib), &dib), static_cast<int>(sizeof(dib)));
    EXPECT_EQ(dib.dsBm.bmWidth, 450);
    EXPECT_EQ(dib.dsBm.bmHeight, 320);
    EXPECT_EQ(dib.dsBm.bmBitsPixel, 24);
    ::DeleteObject(hPlaceholder);
}

} // namespace
