// The options sheet driven for real under Wine: it opens on the image page,
// OK writes every value back (pages never shown keep what was loaded), Cancel
// writes nothing, refused values keep the page and the sheet open, the
// parent's topmost state follows keep-on-top, and the hot-key page takes
// Print Screen, sent as real input, into its new-capture control only.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "COptionsCommand.h"
#include "CTesConfig.h"
#include "CWnd.h"
#include "FileDialogDriver.h"
#include "InputSender.h"
#include "MainTestApp.h"
#include "MessagePump.h"
#include "OptionsTrayResource.h"
#include "PropertySheetDriver.h"
#include "TimedAction.h"

#include <commctrl.h>

using guitest::Click;
using guitest::CurrentPage;
using guitest::CurrentPageIndex;
using guitest::FindSheet;
using guitest::InputSender;
using guitest::MessagePump;
using guitest::ModalWatchdog;
using guitest::TabControl;
using guitest::TimedAction;

namespace {

// A settings object whose every edited value differs from the defaults and
// from the pages' constructor values.
CTesConfig SampleConfig()
{
    CTesConfig config;
    config.SetPlaySnapSound(0);
    config.SetHideMainWnd(0);
    config.SetSnapOnStart(1);
    config.SetSnapDelayTime(1234);
    config.SetKeepOnTop(0);
    config.SetEditAppPath(L"C:\\图像工具\\画图 2.exe");
    config.SetRotateAngle(-90);
    config.SetScaleFactor(75);
    config.SetShearAcrossAmout(11);
    config.SetShearDownAmout(22);
    config.SetBlurFactor(3);
    config.SetSharpenFactor(7);
    config.SetNewSnapHotkey(HOTKEYF_SHIFT, VK_F9);
    config.SetFullScreenHotkey(HOTKEYF_CONTROL | HOTKEYF_ALT, 'A');
    config.SetActiveWinHotkey(0, VK_F10);
    config.SetCurrentWinHotkey(HOTKEYF_ALT, 'B');
    config.SetWinClientHotkey(0, 'C');
    config.SetWinObjHotkey(HOTKEYF_SHIFT | HOTKEYF_CONTROL, 'D');
    config.SetSelectRectHotkey(0, VK_F11);
    config.SetShowHideHotkey(HOTKEYF_CONTROL, VK_F12);
    return config;
}

// Every setting the sheet edits, in one comparable record.
struct Edited
{
    int sound, hide, onStart;
    unsigned delay;
    int keepOnTop;
    CString editor;
    int angle, scale, shearX, shearY, blur, sharpen;
    WORD hotkeys[8][2];
};

Edited Read(CTesConfig& c)
{
    Edited e{ c.GetPlaySnapSound(), c.GetHideMainWnd(), c.GetSnapOnStart(), c.GetSnapDelayTime(), c.GetKeepOnTop(),
              c.GetEditAppPath(), c.GetRotateAngle(), c.GetScaleFactor(), c.GetShearAcrossAmout(),
              c.GetShearDownAmout(), c.GetBlurFactor(), c.GetSharpenFactor(), {} };
    c.GetNewSnapHotkey(e.hotkeys[0][0], e.hotkeys[0][1]);
    c.GetFullScreenHotkey(e.hotkeys[1][0], e.hotkeys[1][1]);
    c.GetActiveWinHotkey(e.hotkeys[2][0], e.hotkeys[2][1]);
    c.GetCurrentWinHotkey(e.hotkeys[3][0], e.hotkeys[3][1]);
    c.GetWinClientHotkey(e.hotkeys[4][0], e.hotkeys[4][1]);
    c.GetWinObjHotkey(e.hotkeys[5][0], e.hotkeys[5][1]);
    c.GetSelectRectHotkey(e.hotkeys[6][0], e.hotkeys[6][1]);
    c.GetShowHideHotkey(e.hotkeys[7][0], e.hotkeys[7][1]);
    return e;
}

void ExpectEqual(const Edited& expected, const Edited& actual)
{
    EXPECT_EQ(expected.sound, actual.sound);
    EXPECT_EQ(expected.hide, actual.hide);
    EXPECT_EQ(expected.onStart, actual.onStart);
    EXPECT_EQ(expected.delay, actual.delay);
    EXPECT_EQ(expected.keepOnTop, actual.keepOnTop);
    EXPECT_EQ(expected.editor, actual.editor);
    EXPECT_EQ(expected.angle, actual.angle);
    EXPECT_EQ(expected.scale, actual.scale);
    EXPECT_EQ(expected.shearX, actual.shearX);
    EXPECT_EQ(expected.shearY, actual.shearY);
    EXPECT_EQ(expected.blur, actual.blur);
    EXPECT_EQ(expected.sharpen, actual.sharpen);
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(expected.hotkeys[i][0], actual.hotkeys[i][0]);
        EXPECT_EQ(expected.hotkeys[i][1], actual.hotkeys[i][1]);
    }
}

// The window that owns the sheet, as the main window does: a topmost popup,
// one for the whole program (destroying an activated window under Wine on a
// bare display costs seconds).
class OwnerWindow : public CWnd
{
public:
    OwnerWindow()
    {
        CreateEx(WS_EX_TOPMOST, nullptr, L"选项测试", WS_POPUP | WS_VISIBLE, 10, 10, 200, 100, nullptr, nullptr);
    }
    bool IsTopmost() const { return (GetExStyle() & WS_EX_TOPMOST) != 0; }
};

// The shared owner, topmost again at the start of each use.
OwnerWindow& Owner()
{
    static OwnerWindow owner;
    owner.SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return owner;
}

const wchar_t kSheetCaption[] = L"参数设置";

CString ItemText(HWND hDlg, int nID)
{
    wchar_t text[512] = {};
    GetDlgItemTextW(hDlg, nID, text, 512);
    return CString(text);
}

// Runs the options command over config; script gets the sheet once it is
// shown. The result of the command.
INT_PTR RunSheet(CWnd* pParent, CTesConfig& config, const std::function<void(HWND)>& script)
{
    ModalWatchdog watchdog(20000);
    bool bFound = false;
    TimedAction drive(300, [&] {
        HWND hSheet = FindSheet(kSheetCaption);
        bFound = hSheet != nullptr;
        if (bFound)
            script(hSheet);
    });
    const INT_PTR nResult = COptionsCommand::Run(pParent, config);
    EXPECT_TRUE(bFound);
    EXPECT_FALSE(watchdog.Fired());
    return nResult;
}

TEST(OptionsSheet, OpensOnTheImagePageWithTheLoadedValuesAndNoApplyOrHelp)
{
    OwnerWindow& owner = Owner();
    CTesConfig config = SampleConfig();
    CString tabs[3];
    int nStartPage = -1;
    CString editor, angle, sharpen;
    BOOL bApplyShown = TRUE, bHelpShown = TRUE;
    const INT_PTR nResult = RunSheet(&owner, config, [&](HWND hSheet) {
        for (int i = 0; i < 3; ++i) {
            wchar_t text[64] = {};
            TCITEMW item = {};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = 64;
            SendMessageW(TabControl(hSheet), TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
            tabs[i] = text;
        }
        nStartPage = CurrentPageIndex(hSheet);
        HWND hPage = CurrentPage(hSheet);
        editor = ItemText(hPage, IDC_OPTION_EDIT_APP_PATH);
        angle = ItemText(hPage, IDC_OPTION_ROTATE_ANGLE);
        sharpen = ItemText(hPage, IDC_OPTION_SHARPEN_FACTOR);
        const HWND hApply = GetDlgItem(hSheet, 0x3021);
        const HWND hHelp = GetDlgItem(hSheet, IDHELP);
        bApplyShown = hApply != nullptr && IsWindowVisible(hApply);
        bHelpShown = hHelp != nullptr && IsWindowVisible(hHelp);
        Click(hSheet, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, nResult);
    EXPECT_EQ(CString(L"常规"), tabs[0]);
    EXPECT_EQ(CString(L"图像"), tabs[1]);
    EXPECT_EQ(CString(L"热键"), tabs[2]);
    EXPECT_EQ(1, nStartPage);
    EXPECT_EQ(CString(L"C:\\图像工具\\画图 2.exe"), editor);
    EXPECT_EQ(CString(L"-90"), angle);
    EXPECT_EQ(CString(L"7"), sharpen);
    EXPECT_FALSE(bApplyShown);
    EXPECT_FALSE(bHelpShown);
}

TEST(OptionsSheet, OkWritesBackAndPagesNeverShownKeepTheLoadedValues)
{
    // Only the image page is shown and edited; the general and hot-key pages
    // never get a window, and their loaded values come back unchanged.
    OwnerWindow& owner = Owner();
    CTesConfig config = SampleConfig();
    Edited expected = Read(config);
    expected.editor = L"D:\\新编辑器.exe";
    expected.angle = 30;
    expected.blur = 9;
    const INT_PTR nResult = RunSheet(&owner, config, [&](HWND hSheet) {
        HWND hPage = CurrentPage(hSheet);
        SetDlgItemTextW(hPage, IDC_OPTION_EDIT_APP_PATH, L"D:\\新编辑器.exe");
        SetDlgItemTextW(hPage, IDC_OPTION_ROTATE_ANGLE, L" 30 ");
        SetDlgItemTextW(hPage, IDC_OPTION_BLUR_FACTOR, L"9");
        Click(hSheet, IDOK);
    });
    EXPECT_EQ(IDOK, nResult);
    ExpectEqual(expected, Read(config));
}

TEST(OptionsSheet, CancelWritesNothingAfterEditsOnEveryPage)
{
    OwnerWindow& owner = Owner();
    CTesConfig config = SampleConfig();
    const Edited before = Read(config);
    const INT_PTR nResult = RunSheet(&owner, config, [&](HWND hSheet) {
        SetDlgItemTextW(CurrentPage(hSheet), IDC_OPTION_SCALE_FACTOR, L"200");
        SendMessageW(hSheet, PSM_SETCURSEL, 0, 0);
        SetDlgItemTextW(CurrentPage(hSheet), IDC_OPTION_SNAP_DELAY_TIME, L"99");
        CheckDlgButton(CurrentPage(hSheet), IDC_OPTION_PLAY_SNAP_SOUND, BST_CHECKED);
        SendMessageW(hSheet, PSM_SETCURSEL, 2, 0);
        SendDlgItemMessageW(CurrentPage(hSheet), IDC_HOTKEY_SHOW_HIDE, HKM_SETHOTKEY, MAKEWORD(VK_F2, HOTKEYF_ALT), 0);
        Click(hSheet, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, nResult);
    ExpectEqual(before, Read(config));
    EXPECT_TRUE(owner.IsTopmost());   // the window keeps its state
}

TEST(OptionsSheet, LimitsOfTheDelayAndTheRotationAngle)
{
    struct Case { int page; int nID; const wchar_t* text; bool accepted; unsigned delay; int angle; };
    const Case cases[] = {
        { 0, IDC_OPTION_SNAP_DELAY_TIME, L"15000", true, 15000, -90 },
        { 0, IDC_OPTION_SNAP_DELAY_TIME, L"0", true, 0, -90 },
        { 0, IDC_OPTION_SNAP_DELAY_TIME, L"15001", false, 0, 0 },
        { 0, IDC_OPTION_SNAP_DELAY_TIME, L"-1", false, 0, 0 },
        { 0, IDC_OPTION_SNAP_DELAY_TIME, L"12a", false, 0, 0 },
        { 1, IDC_OPTION_ROTATE_ANGLE, L"360", true, 1234, 360 },
        { 1, IDC_OPTION_ROTATE_ANGLE, L"-360", true, 1234, -360 },
        { 1, IDC_OPTION_ROTATE_ANGLE, L"361", false, 0, 0 },
        { 1, IDC_OPTION_ROTATE_ANGLE, L"-361", false, 0, 0 },
        { 1, IDC_OPTION_SCALE_FACTOR, L"", false, 0, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "page " << c.page << " text \"" << CString(c.text).GetString() << "\"");
        OwnerWindow& owner = Owner();
        CTesConfig config = SampleConfig();
        const Edited before = Read(config);
        const size_t nBoxes = theTestApp.m_boxes.size();
        bool bStayedOnTabChange = false, bStayedOnOk = false;
        const INT_PTR nResult = RunSheet(&owner, config, [&](HWND hSheet) {
            SendMessageW(hSheet, PSM_SETCURSEL, c.page, 0);
            SetDlgItemTextW(CurrentPage(hSheet), c.nID, c.text);
            if (!c.accepted) {
                // Another tab, then OK: both refused, the page stays.
                SendMessageW(hSheet, PSM_SETCURSEL, 2, 0);
                bStayedOnTabChange = CurrentPageIndex(hSheet) == c.page;
                Click(hSheet, IDOK);
                bStayedOnOk = IsWindow(hSheet) && IsWindowVisible(hSheet) && CurrentPageIndex(hSheet) == c.page;
                Click(hSheet, IDCANCEL);
            } else {
                Click(hSheet, IDOK);
            }
        });
        if (c.accepted) {
            EXPECT_EQ(IDOK, nResult);
            EXPECT_EQ(nBoxes, theTestApp.m_boxes.size());
            Edited expected = before;
            expected.delay = c.delay;
            expected.angle = c.angle;
            ExpectEqual(expected, Read(config));
        } else {
            EXPECT_EQ(IDCANCEL, nResult);
            EXPECT_TRUE(bStayedOnTabChange);
            EXPECT_TRUE(bStayedOnOk);
            // One message for the tab change and one for OK.
            EXPECT_EQ(nBoxes + 2, theTestApp.m_boxes.size());
            ExpectEqual(before, Read(config));
        }
    }
}

TEST(OptionsSheet, KeepOnTopDecidesTheParentsTopmostStateAfterOk)
{
    struct Case { int stored; bool clearInSheet; bool topmostAfter; };
    const Case cases[] = {
        { 0, false, false },   // OK untouched: the stored state is applied
        { 1, false, true },
        { 1, true, false },    // cleared in the sheet: not topmost at once
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "stored " << c.stored << " cleared " << c.clearInSheet);
        OwnerWindow& owner = Owner();
        if (c.stored)
            owner.SetWindowPos(&CWnd::wndNoTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        RECT before;
        owner.GetWindowRect(&before);
        CTesConfig config = SampleConfig();
        config.SetKeepOnTop(c.stored);
        const INT_PTR nResult = RunSheet(&owner, config, [&](HWND hSheet) {
            if (c.clearInSheet) {
                SendMessageW(hSheet, PSM_SETCURSEL, 0, 0);
                CheckDlgButton(CurrentPage(hSheet), IDC_OPTION_KEEP_ON_TOP, BST_UNCHECKED);
            }
            Click(hSheet, IDOK);
        });
        EXPECT_EQ(IDOK, nResult);
        EXPECT_EQ(c.topmostAfter, owner.IsTopmost());
        EXPECT_EQ(c.topmostAfter ? 1 : 0, config.GetKeepOnTop());
        RECT after;
        owner.GetWindowRect(&after);
        EXPECT_TRUE(EqualRect(&before, &after));
    }
}

TEST(OptionsSheet, HotkeyPageShowsThePairsAndOkReadsTheControlsBack)
{
    OwnerWindow& owner = Owner();
    CTesConfig config = SampleConfig();
    Edited expected = Read(config);
    expected.hotkeys[1][0] = HOTKEYF_ALT;
    expected.hotkeys[1][1] = VK_F2;
    DWORD shown[8] = {};
    const INT_PTR nResult = RunSheet(&owner, config, [&](HWND hSheet) {
        SendMessageW(hSheet, PSM_SETCURSEL, 2, 0);
        HWND hPage = CurrentPage(hSheet);
        const int ids[8] = { IDC_HOTKEY_NEW_SNAP, IDC_HOTKEY_FULL_SCREEN, IDC_HOTKEY_ACTIVE_WIN,
                             IDC_HOTKEY_CURRENT_WIN, IDC_HOTKEY_WIN_CLIENT, IDC_HOTKEY_WIN_OBJ,
                             IDC_HOTKEY_SELECT_RECT, IDC_HOTKEY_SHOW_HIDE };
        for (int i = 0; i < 8; ++i)
            shown[i] = static_cast<DWORD>(SendDlgItemMessageW(hPage, ids[i], HKM_GETHOTKEY, 0, 0)) & 0xFFFF;
        SendDlgItemMessageW(hPage, IDC_HOTKEY_FULL_SCREEN, HKM_SETHOTKEY, MAKEWORD(VK_F2, HOTKEYF_ALT), 0);
        Click(hSheet, IDOK);
    });
    EXPECT_EQ(IDOK, nResult);
    const Edited loaded = Read(*std::make_unique<CTesConfig>(SampleConfig()));
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(MAKEWORD(loaded.hotkeys[i][1], loaded.hotkeys[i][0]), shown[i]);
    }
    ExpectEqual(expected, Read(config));
}

TEST(OptionsSheet, PrintScreenFillsOnlyTheNewCaptureControl)
{
    OwnerWindow& owner = Owner();
    CTesConfig config = SampleConfig();
    Edited expected = Read(config);
    expected.hotkeys[0][0] = 0;
    expected.hotkeys[0][1] = VK_SNAPSHOT;
    DWORD newSnap = 0, showHide = 0;
    const INT_PTR nResult = RunSheet(&owner, config, [&](HWND hSheet) {
        SendMessageW(hSheet, PSM_SETCURSEL, 2, 0);
        HWND hPage = CurrentPage(hSheet);
        // The focus is in another control: the page's own hot key decides.
        SetForegroundWindow(hSheet);
        SetFocus(GetDlgItem(hPage, IDC_HOTKEY_SHOW_HIDE));
        InputSender::Key(VK_SNAPSHOT);
        MessagePump::PumpUntil([&] {
            return (SendDlgItemMessageW(hPage, IDC_HOTKEY_NEW_SNAP, HKM_GETHOTKEY, 0, 0) & 0xFFFF) == VK_SNAPSHOT;
        }, 3000);
        newSnap = static_cast<DWORD>(SendDlgItemMessageW(hPage, IDC_HOTKEY_NEW_SNAP, HKM_GETHOTKEY, 0, 0)) & 0xFFFF;
        showHide = static_cast<DWORD>(SendDlgItemMessageW(hPage, IDC_HOTKEY_SHOW_HIDE, HKM_GETHOTKEY, 0, 0)) & 0xFFFF;
        Click(hSheet, IDOK);
    });
    EXPECT_EQ(IDOK, nResult);
    EXPECT_EQ(static_cast<DWORD>(VK_SNAPSHOT), newSnap);
    EXPECT_EQ(static_cast<DWORD>(MAKEWORD(VK_F12, HOTKEYF_CONTROL)), showHide);
    ExpectEqual(expected, Read(config));
    // Print Screen was given back with the page.
    ASSERT_TRUE(RegisterHotKey(owner.m_hWnd, 1000, 0, VK_SNAPSHOT));
    UnregisterHotKey(owner.m_hWnd, 1000);
}

TEST(OptionsSheet, PrintScreenIsGivenBackWhenTheSheetIsCancelled)
{
    OwnerWindow& owner = Owner();
    CTesConfig config = SampleConfig();
    BOOL bHeldByPage = FALSE;
    RunSheet(&owner, config, [&](HWND hSheet) {
        SendMessageW(hSheet, PSM_SETCURSEL, 2, 0);
        // While the page lives it holds Print Screen.
        bHeldByPage = !RegisterHotKey(owner.m_hWnd, 1000, 0, VK_SNAPSHOT);
        if (!bHeldByPage)
            UnregisterHotKey(owner.m_hWnd, 1000);
        Click(hSheet, IDCANCEL);
    });
    EXPECT_TRUE(bHeldByPage);
    ASSERT_TRUE(RegisterHotKey(owner.m_hWnd, 1000, 0, VK_SNAPSHOT));
    UnregisterHotKey(owner.m_hWnd, 1000);
}

} // namespace

namespace {

TEST(OptionsSheet, BrowseFillsOnlyThePathFieldAndCancelKeepsIt)
{
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    struct Case { bool choose; };
    for (const Case c : { Case{ true }, Case{ false } }) {
        SCOPED_TRACE(c.choose ? "chosen" : "cancelled");
        OwnerWindow& owner = Owner();
        CTesConfig config = SampleConfig();
        std::vector<std::wstring> types;
        CString pathShown, angleShown;
        const INT_PTR nResult = RunSheet(&owner, config, [&](HWND hSheet) {
            HWND hPage = CurrentPage(hSheet);
            SetDlgItemTextW(hPage, IDC_OPTION_ROTATE_ANGLE, L"45");
            std::vector<guitest::FileDialogDriver::Step> steps;
            steps.push_back([&](HWND h) { types = guitest::FileDialogDriver::TypeTexts(h); });
            if (c.choose) {
                steps.push_back([&](HWND h) { guitest::FileDialogDriver::SetFileName(h, self); });
                steps.push_back([](HWND h) { guitest::FileDialogDriver::PressOK(h); });
            } else {
                steps.push_back([](HWND h) { guitest::FileDialogDriver::PressCancel(h); });
            }
            guitest::FileDialogDriver driver(steps);
            SendMessageW(GetDlgItem(hPage, IDC_OPTION_BROWSE), BM_CLICK, 0, 0);
            EXPECT_FALSE(driver.TimedOut());
            pathShown = ItemText(hPage, IDC_OPTION_EDIT_APP_PATH);
            angleShown = ItemText(hPage, IDC_OPTION_ROTATE_ANGLE);
            Click(hSheet, IDOK);
        });
        EXPECT_EQ(IDOK, nResult);
        ASSERT_EQ(1u, types.size());
        EXPECT_EQ(std::wstring(L"图像编辑程序(*.exe)"), types[0]);
        const CString expectedPath = c.choose ? CString(self) : CString(L"C:\\图像工具\\画图 2.exe");
        EXPECT_EQ(0, lstrcmpiW(expectedPath, pathShown)) << CString(pathShown).GetString();
        EXPECT_EQ(0, lstrcmpiW(expectedPath, config.GetEditAppPath()));
        // What was typed into the other fields stays.
        EXPECT_EQ(CString(L"45"), angleShown);
        EXPECT_EQ(45, config.GetRotateAngle());
    }
}

} // namespace
