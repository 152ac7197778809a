// The real tes.exe: it starts with its main window, ends by each of the four
// ways of closing (and not by minimising), and writes config.xml beside
// itself when it ends; with TES_START_TRACE set it lists its start-up stages.
#include <windows.h>

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "TestProcess.h"
#include "resource.h"

namespace {

enum class Closing { ExitButton, Escape, CloseBox, ExitCommand };

void Close(HWND hDlg, Closing way)
{
    switch (way) {
    case Closing::ExitButton:
        ::PostMessageW(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(hDlg, IDOK)));
        break;
    case Closing::Escape:
        // To the focused control, as a key press would go; the dialog's
        // keyboard handling turns it into its cancel command.
        ::PostMessageW(::GetDlgItem(hDlg, IDC_GRAYSCALE), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        break;
    case Closing::CloseBox:
        ::PostMessageW(hDlg, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case Closing::ExitCommand:
        ::PostMessageW(hDlg, WM_COMMAND, MAKEWPARAM(ID_APP_EXIT, 0), 0);
        break;
    }
}

TEST(Program, EndsByEachOfTheFourWaysOfClosingAndSavesItsSettings)
{
    const std::wstring config = apptest::BinDir() + L"config.xml";
    const Closing ways[] = { Closing::ExitButton, Closing::Escape, Closing::CloseBox, Closing::ExitCommand };
    for (Closing way : ways) {
        const int nWay = static_cast<int>(way);
        ::DeleteFileW(config.c_str());
        apptest::ChildProcess program;
        ASSERT_TRUE(program.Start(apptest::BinDir() + L"tes.exe", L""));
        const HWND hDlg = apptest::WaitForDialogOf(program.Id(), 30000);
        ASSERT_NE(hDlg, nullptr) << "no main window, way " << nWay;
        wchar_t title[64] = {};
        ::GetWindowTextW(hDlg, title, 64);
        EXPECT_STREQ(title, L"Tessaly（Brivane作品）");
        if (way == Closing::ExitButton) {
            // Minimising hides the window and the program runs on.
            ::PostMessageW(hDlg, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            EXPECT_FALSE(program.Wait(1500));
            EXPECT_FALSE(::IsWindowVisible(hDlg));
        }
        Close(hDlg, way);
        EXPECT_TRUE(program.Wait(30000)) << "still running, way " << nWay;
        EXPECT_NE(::GetFileAttributesW(config.c_str()), INVALID_FILE_ATTRIBUTES) << "no config.xml, way " << nWay;
    }
    // The other test programs beside tes.exe start from the defaults.
    ::DeleteFileW(config.c_str());
}

// The stages in the order they run: the hot keys and the tray icon after the
// first paint; each mark later than the process's creation and not earlier
// than the one before.
TEST(Program, TracesItsStartUpStagesInOrder)
{
    const std::wstring trace = apptest::BinDir() + L"start-trace.txt";
    ::DeleteFileW(trace.c_str());
    ::SetEnvironmentVariableW(L"TES_START_TRACE", trace.c_str());
    apptest::ChildProcess program;
    const bool bStarted = program.Start(apptest::BinDir() + L"tes.exe", L"");
    ::SetEnvironmentVariableW(L"TES_START_TRACE", nullptr);
    ASSERT_TRUE(bStarted);
    const HWND hDlg = apptest::WaitForDialogOf(program.Id(), 30000);
    ASSERT_NE(hDlg, nullptr);
    for (int i = 0; i < 300 && apptest::ReadText(trace).find(L"tray-icon") == std::wstring::npos; ++i)
        ::Sleep(100);
    ::PostMessageW(hDlg, WM_COMMAND, MAKEWPARAM(ID_APP_EXIT, 0), 0);
    EXPECT_TRUE(program.Wait(30000));

    const std::vector<std::wstring> expected = { L"entry", L"common-controls", L"gdi+", L"dialog-created", L"settings",
                                                 L"init-dialog", L"first-paint", L"hot-keys", L"tray-icon" };
    std::wistringstream lines(apptest::ReadText(trace));
    std::vector<std::wstring> stages;
    std::wstring stage;
    double dMs = 0.0;
    double dPrevious = 0.0;
    while (lines >> stage >> dMs) {
        stages.push_back(stage);
        EXPECT_GE(dMs, dPrevious) << stage;
        dPrevious = dMs;
    }
    EXPECT_EQ(stages, expected);
    EXPECT_GT(dPrevious, 0.0);
    ::DeleteFileW(trace.c_str());
}

} // namespace
