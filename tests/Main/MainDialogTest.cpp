// The main dialog driven in this process: start-up state, effects kept in
// step between boxes, menu and settings, captures and the capture-type list,
// showing and hiding, hot keys and accelerators from synthesized input, the
// hot-key failure messages of a second window, the external editor, the
// preview's pixels and printing to the PDF printer.
#include <windows.h>
// GDI+ needs the COM declarations that the lean Windows header leaves out.
#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <algorithm>
#include <climits>
#include <initializer_list>
#include <memory>
#include <tuple>
#include <vector>

#include "Afx.h"
#include "CHotKeyTable.h"
#include "CTessalyDlg.h"
#include "CapturingApp.h"
#include "DefaultPrinter.h"
#include "FileDialogDriver.h"
#include "ImportPatch.h"
#include "InputSender.h"
#include "MessagePump.h"
#include "PatternWindow.h"
#include "ScreenReader.h"
#include "TestProcess.h"
#include "TimedAction.h"
#include "resource.h"

namespace {

guitest::CapturingApp& App()
{
    return *static_cast<guitest::CapturingApp*>(AfxGetApp());
}

// config.xml beside the test program: captures without hiding, waiting or
// sound, none at start, then whatever the test adjusts.
void WriteConfig(const std::function<void(CTesConfig&)>& adjust = nullptr)
{
    CTesConfig config;
    config.SetHideMainWnd(0);
    config.SetSnapOnStart(0);
    config.SetSnapDelayTime(0);
    config.SetPlaySnapSound(0);
    if (adjust)
        adjust(config);
    config.SaveConfig();
}

// Runs a main dialog modally and calls body once it is up; the dialog is
// ended afterwards. A watchdog ends anything left hanging.
void RunMainDialog(const std::function<void(CTessalyDlg&)>& body)
{
    App().m_boxes.clear();
    CTessalyDlg dlg;
    App().m_pMainWnd = &dlg;
    bool bRan = false;
    guitest::TimedAction action(300, [&] { return dlg.GetSafeHwnd() != nullptr && dlg.IsWindowVisible(); }, [&] {
        guitest::MessagePump::PumpFor(100);
        body(dlg);
        bRan = true;
        if (dlg.GetSafeHwnd() != nullptr)
            dlg.EndDialog(IDOK);
    });
    guitest::ModalWatchdog watchdog(90000);
    dlg.DoModal();
    App().m_pMainWnd = nullptr;
    EXPECT_TRUE(bRan);
    EXPECT_FALSE(watchdog.Fired());
}

void Command(CTessalyDlg& dlg, UINT nID)
{
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0), 0);
}

// Runs the idle-time update of buttons and menus, then reads a menu item's
// check mark.
bool MenuChecked(CTessalyDlg& dlg, UINT nID)
{
    dlg.SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, 0);
    return (::GetMenuState(::GetMenu(dlg.GetSafeHwnd()), nID, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

int ComboSelection(CTessalyDlg& dlg)
{
    return static_cast<int>(dlg.SendDlgItemMessage(IDC_SNAP_TYPE, CB_GETCURSEL));
}

// Presses the keys in order and releases them in reverse order.
void SendChord(std::initializer_list<WORD> keys)
{
    std::vector<INPUT> inputs;
    for (WORD vk : keys) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        inputs.push_back(input);
    }
    for (auto it = keys.end(); it != keys.begin();) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *--it;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool Near(COLORREF actual, COLORREF expected, int tolerance)
{
    return std::abs(GetRValue(actual) - GetRValue(expected)) <= tolerance
           && std::abs(GetGValue(actual) - GetGValue(expected)) <= tolerance
           && std::abs(GetBValue(actual) - GetBValue(expected)) <= tolerance;
}

// Screen point of the preview's client point (x, y).
POINT PreviewToScreen(CTessalyDlg& dlg, int x, int y)
{
    POINT pt = { x, y };
    ::ClientToScreen(dlg.GetDlgItem(IDC_PREVIEW)->GetSafeHwnd(), &pt);
    return pt;
}

const COLORREF kPlaceholderFrame = RGB(40, 90, 160);

// A file dialog step: the name typed, OK posted (what the dialog then shows runs in its own loop).
using guitest::FileDialogDriver;
FileDialogDriver::Step NameAndOK(const std::wstring& name)
{
    return [name](HWND h) { FileDialogDriver::SetFileName(h, name.c_str()), ::PostMessageW(h, WM_COMMAND, IDOK, 0); };
}

TEST(MainDialog, StartsFromTheStoredSettings)
{
    WriteConfig([](CTesConfig& config) {
        config.SetSnapMode(3);
        config.SetBlur(1);
        config.SetGrayScale(1);
        config.SetKeepOnTop(0);
    });
    RunMainDialog([](CTessalyDlg& dlg) {
        const wchar_t* items[] = { L"整个屏幕", L"活动程序窗口", L"当前窗口", L"活动程序客户区", L"界面对象/菜单", L"选定区域" };
        ASSERT_EQ(dlg.SendDlgItemMessage(IDC_SNAP_TYPE, CB_GETCOUNT), 6);
        for (int i = 0; i < 6; ++i) {
            wchar_t text[64] = {};
            dlg.SendDlgItemMessage(IDC_SNAP_TYPE, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            EXPECT_STREQ(text, items[i]);
        }
        EXPECT_EQ(ComboSelection(dlg), 3);
        EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_BLUR), 1u);
        EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_GRAYSCALE), 1u);
        EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_SHARPEN), 0u);
        CString title;
        dlg.GetWindowText(title);
        EXPECT_STREQ(title, L"Tessaly（Brivane作品）");
        EXPECT_TRUE(dlg.IsWindowVisible());
        EXPECT_FALSE(::GetWindowLongW(dlg.GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST); // the template's is not kept
        EXPECT_TRUE(dlg.IsTrayIconAdded());
        // The system menu ends with the about item.
        HMENU hSys = ::GetSystemMenu(dlg.GetSafeHwnd(), FALSE);
        wchar_t about[64] = {};
        ::GetMenuStringW(hSys, IDM_ABOUTBOX, about, 64, MF_BYCOMMAND);
        EXPECT_STREQ(about, L"关于 Brivane Tessaly(&A)...");
        // The window holds the default keys: nobody else can have F3.
        EXPECT_FALSE(::RegisterHotKey(nullptr, 0x3000, 0, VK_F3));
        // Every button has its command: idle-time updating leaves all enabled.
        dlg.SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, 0);
        for (int nID : { IDOK, ID_HELP_TOPICS, ID_SNAP_NEW, ID_EDIT_COPY, ID_FILE_SAVE_AS, ID_EDIT_EXTERNAL })
            EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dlg.GetSafeHwnd(), nID))) << nID;
        // A change made now reaches config.xml when the window closes.
        Command(dlg, ID_EFFECT_SHARPEN);
    });
    EXPECT_TRUE(App().m_boxes.empty());
    CTesConfig saved;
    saved.LoadConfig();
    EXPECT_EQ(saved.GetSharpen(), 1);
    EXPECT_EQ(saved.GetBlur(), 1);
    // The keys were given back.
    ASSERT_TRUE(::RegisterHotKey(nullptr, 0x3000, 0, VK_F3));
    ::UnregisterHotKey(nullptr, 0x3000);
}

// Without a font that has them, every Chinese character is drawn as the
// same empty box, and reading the texts back through messages cannot tell.
// "水平翻转" and "垂直翻转" are check boxes of one size with four characters
// each: drawn as boxes their pixels are identical, drawn as glyphs the first
// two characters differ.
TEST(MainDialog, ChineseLabelsAreDrawnAsGlyphsNotBoxes)
{
    WriteConfig();
    RunMainDialog([](CTessalyDlg& dlg) {
        dlg.GetDlgItem(ID_SNAP_NEW)->SetFocus();
        guitest::MessagePump::PumpFor(300);
        std::vector<COLORREF> labels[2];
        int nInk[2] = {};
        const int nIDs[2] = { IDC_FLIP_HORZ, IDC_FLIP_VERT };
        for (int i = 0; i < 2; ++i) {
            RECT rect;
            ::GetWindowRect(::GetDlgItem(dlg.GetSafeHwnd(), nIDs[i]), &rect);
            labels[i] = guitest::ScreenReader::Rect(rect).Colors();
            ASSERT_FALSE(labels[i].empty());
            for (COLORREF pixel : labels[i])
                nInk[i] += GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 3 * 128;
        }
        ASSERT_EQ(labels[0].size(), labels[1].size());
        // Ink beyond the check square's frame (about 4 x 13 pixels).
        EXPECT_GT(nInk[0], 60);
        EXPECT_GT(nInk[1], 60);
        EXPECT_NE(labels[0], labels[1]) << "both labels drawn alike: boxes instead of glyphs";
    });
}

// After an open the effect boxes and marks are off; Ctrl+S asks for a name where no encoder writes the format.
TEST(MainDialog, OpeningClearsTheEffectsAndSavingWithoutAnEncoderAsks)
{
    const std::wstring emf = apptest::BinDir() + L"drawing.emf", png = apptest::BinDir() + L"drawing.png";
    ::DeleteFileW(png.c_str());
    const HDC hdc = ::CreateEnhMetaFileW(nullptr, emf.c_str(), nullptr, nullptr);
    ::DeleteEnhMetaFile(::CloseEnhMetaFile((::Rectangle(hdc, 0, 0, 60, 40), hdc)));
    WriteConfig([](CTesConfig& config) { config.SetGrayScale(1), config.SetBlur(1); });
    RunMainDialog([&](CTessalyDlg& dlg) {
        std::unique_ptr<FileDialogDriver> driver(new FileDialogDriver({ NameAndOK(emf) }));
        Command(dlg, ID_FILE_OPEN);
        EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_GRAYSCALE), 0u);
        EXPECT_FALSE(MenuChecked(dlg, ID_EFFECT_BLUR));
        dlg.SendDlgItemMessage(IDC_NEGATE, BM_CLICK);
        EXPECT_EQ(dlg.GetCore().m_config.GetGrayScale() + dlg.GetCore().m_config.GetBlur(), 0);
        dlg.GetCore().SetPathName(emf.c_str());
        driver.reset(new FileDialogDriver({ NameAndOK(png) }));
        Command(dlg, ID_FILE_SAVE);
        EXPECT_STREQ(dlg.GetCore().GetPathName(), png.c_str());
    });
}

// Paths up to the system's limit (259) are saved, longer names refused; unwritable files reported with the reason.
TEST(MainDialog, SaveCommandsWriteOrSayWhyNot)
{
    const std::wstring bin = apptest::BinDir(), folder = L"C:\\tes-long-names-folder"; // 24 characters
    ::CreateDirectoryW(folder.c_str(), nullptr);
    ::CreateDirectoryW((bin + L"folder.png").c_str(), nullptr);
    const HANDLE hHeld = ::CreateFileW((bin + L"held.png").c_str(), GENERIC_READ, 0, 0, CREATE_ALWAYS, 0, nullptr);
    const auto yesToReplace = [](HWND h) { ::PostMessageW(::GetLastActivePopup(h), WM_COMMAND, IDYES, 0); };
    const std::wstring room(259 - 25 - 4, L'n');
    const std::tuple<UINT, std::wstring, const wchar_t*> cases[] = {
        { ID_FILE_SAVE_AS, room + L".png", nullptr },
        { ID_FILE_SAVE_AS, room, nullptr },
        { ID_FILE_SAVE_AS, room + L"n.png", L"文件名太长" },
        { ID_FILE_SAVE_AS, room + L"n", L"文件名太长" },
        { ID_FILE_SAVE, bin + L"no such folder\\a.png", L"文件夹不存在" },
        { ID_FILE_SAVE, bin + L"folder.png", L"没有在该位置写入的权限" },
        { ID_FILE_SAVE_AS, bin + L"held.png", L"文件正被其他程序使用" },
    };
    WriteConfig();
    RunMainDialog([&](CTessalyDlg& dlg) {
        Command(dlg, ID_SNAP_FULLSCREEN);
        for (const auto& [nCommand, name, pszSaid] : cases) {
            App().m_boxes.clear();
            dlg.GetCore().SetPathName(name.c_str());
            FileDialogDriver saveAs({ NameAndOK(folder), NameAndOK(name), yesToReplace });
            Command(dlg, nCommand);
            ASSERT_EQ(App().m_boxes.size(), pszSaid ? 1u : 0u) << name.size();
            EXPECT_TRUE(!pszSaid || wcsstr(App().m_boxes[0].text, pszSaid)) << name.size();
            EXPECT_EQ(dlg.GetCore().GetPathName().GetLength(), pszSaid ? static_cast<int>(name.size()) : 259);
        }
    });
    ::CloseHandle(hHeld);
}

TEST(MainDialog, EffectsStayInStepBetweenMenuBoxesAndSettings)
{
    WriteConfig();
    RunMainDialog([](CTessalyDlg& dlg) {
        CTesConfig& config = dlg.GetCore().m_config;
        const struct { UINT nMenu; int nBox; int (CTesConfig::*pfnGet)() const; } effects[] = {
            { ID_EFFECT_GRAYSCALE, IDC_GRAYSCALE, &CTesConfig::GetGrayScale },
            { ID_EFFECT_NEGATE, IDC_NEGATE, &CTesConfig::GetNegate },
            { ID_EFFECT_FLIP_HORZ, IDC_FLIP_HORZ, &CTesConfig::GetFlipHorz },
            { ID_EFFECT_FLIP_VERT, IDC_FLIP_VERT, &CTesConfig::GetFlipVert },
            { ID_EFFECT_ROTATE, IDC_ROTATE, &CTesConfig::GetRotate },
            { ID_EFFECT_SCALE, IDC_SCALE, &CTesConfig::GetScale },
            { ID_EFFECT_SHEAR_ACROSS, IDC_SHEAR_ACROSS, &CTesConfig::GetShearAcross },
            { ID_EFFECT_SHEAR_DOWN, IDC_SHEAR_DOWN, &CTesConfig::GetShearDown },
            { ID_EFFECT_BLUR, IDC_BLUR, &CTesConfig::GetBlur },
            { ID_EFFECT_SHARPEN, IDC_SHARPEN, &CTesConfig::GetSharpen },
        };
        for (const auto& e : effects) {
            // Menu on: box, setting and menu mark follow; menu again: all off.
            Command(dlg, e.nMenu);
            EXPECT_EQ(dlg.IsDlgButtonChecked(e.nBox), 1u) << e.nMenu;
            EXPECT_EQ((config.*e.pfnGet)(), 1) << e.nMenu;
            EXPECT_TRUE(MenuChecked(dlg, e.nMenu)) << e.nMenu;
            Command(dlg, e.nMenu);
            EXPECT_EQ(dlg.IsDlgButtonChecked(e.nBox), 0u) << e.nMenu;
            EXPECT_EQ((config.*e.pfnGet)(), 0) << e.nMenu;
            EXPECT_FALSE(MenuChecked(dlg, e.nMenu)) << e.nMenu;
            // A click on the box: setting and menu mark follow.
            dlg.SendDlgItemMessage(e.nBox, BM_CLICK);
            EXPECT_EQ((config.*e.pfnGet)(), 1) << e.nBox;
            EXPECT_TRUE(MenuChecked(dlg, e.nMenu)) << e.nBox;
            dlg.SendDlgItemMessage(e.nBox, BM_CLICK);
            EXPECT_EQ((config.*e.pfnGet)(), 0) << e.nBox;
        }
        // Automatic copy toggles twice back to where it was.
        const int bAutoCopy = config.GetAutoCopy();
        Command(dlg, ID_AUTO_COPY);
        EXPECT_EQ(config.GetAutoCopy(), !bAutoCopy);
        EXPECT_EQ(MenuChecked(dlg, ID_AUTO_COPY), !bAutoCopy);
        Command(dlg, ID_AUTO_COPY);
        EXPECT_EQ(config.GetAutoCopy(), bAutoCopy);
    });
}

TEST(MainDialog, CapturesShowTheRecordedModeAndTheNewPicture)
{
    WriteConfig([](CTesConfig& config) { config.SetSnapMode(5); });
    guitest::PatternWindow pattern;
    const RECT screen = { 0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN) };
    ASSERT_TRUE(pattern.Create(L"tes pattern", screen));
    guitest::MessagePump::PumpFor(200);
    RunMainDialog([&](CTessalyDlg& dlg) {
        CTesCore& core = dlg.GetCore();
        dlg.UpdateWindow();
        guitest::MessagePump::PumpFor(200);
        // No picture yet: the placeholder's frame fills the preview's edge.
        POINT corner = PreviewToScreen(dlg, 3, 3);
        EXPECT_TRUE(Near(guitest::ScreenReader::Pixel(corner.x, corner.y), kPlaceholderFrame, 24));
        EXPECT_EQ(ComboSelection(dlg), 5);

        // No selection in the list: the new-capture button does nothing.
        dlg.SendDlgItemMessage(IDC_SNAP_TYPE, CB_SETCURSEL, static_cast<WPARAM>(-1));
        dlg.SendDlgItemMessage(ID_SNAP_NEW, BM_CLICK);
        EXPECT_EQ(core.GetImage(), nullptr);
        EXPECT_EQ(core.m_config.GetSnapMode(), 5);

        // Whole screen from the list and the button.
        dlg.SendDlgItemMessage(IDC_SNAP_TYPE, CB_SETCURSEL, 0);
        dlg.SendDlgItemMessage(ID_SNAP_NEW, BM_CLICK);
        ASSERT_NE(core.GetImage(), nullptr);
        EXPECT_EQ(core.m_config.GetSnapMode(), 0);
        EXPECT_EQ(ComboSelection(dlg), 0);
        EXPECT_TRUE(MenuChecked(dlg, ID_SNAP_FULLSCREEN));
        EXPECT_FALSE(MenuChecked(dlg, ID_SNAP_SELECT_RECT));
        guitest::MessagePump::PumpFor(200);

        // The thumbnail on screen shows the pattern where the main window
        // did not cover it: the left band and the background at the right.
        int x = 0;
        int y = 0;
        Gdiplus::Image* pThumb = core.GetThubImage(x, y);
        ASSERT_NE(pThumb, nullptr);
        const int tw = static_cast<int>(pThumb->GetWidth());
        const int th = static_cast<int>(pThumb->GetHeight());
        const int sw = screen.right;
        const int sh = screen.bottom;
        const POINT samples[] = { { sw / 10, sh / 2 }, { sw * 19 / 20, sh * 9 / 10 }, { sw / 10, sh / 10 } };
        for (const POINT& s : samples) {
            const POINT pt = PreviewToScreen(dlg, x + s.x * tw / sw, y + s.y * th / sh);
            const COLORREF expected = guitest::PatternWindow::ExpectedColor(s.x, s.y, sw, sh);
            EXPECT_TRUE(Near(guitest::ScreenReader::Pixel(pt.x, pt.y), expected, 40))
                << "screen sample " << s.x << "," << s.y;
        }
        // The preview's edge is white around the thumbnail.
        corner = PreviewToScreen(dlg, 2, 2);
        if (x > 3 && y > 3) {
            EXPECT_TRUE(Near(guitest::ScreenReader::Pixel(corner.x, corner.y), RGB(255, 255, 255), 8));
        }

        // Clear: the placeholder comes back.
        Command(dlg, ID_EDIT_CLEAR);
        EXPECT_EQ(core.GetImage(), nullptr);
        dlg.UpdateWindow();
        guitest::MessagePump::PumpFor(200);
        corner = PreviewToScreen(dlg, 3, 3);
        EXPECT_TRUE(Near(guitest::ScreenReader::Pixel(corner.x, corner.y), kPlaceholderFrame, 24));
    });
    pattern.DestroyWindow();
}

TEST(MainDialog, MinimiseHidesAndShowHideComesBack)
{
    WriteConfig();
    RunMainDialog([](CTessalyDlg& dlg) {
        dlg.SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
        EXPECT_FALSE(dlg.IsWindowVisible());
        EXPECT_FALSE(dlg.IsIconic());
        Command(dlg, ID_SHOW_HIDE);
        EXPECT_TRUE(dlg.IsWindowVisible());
        EXPECT_FALSE(dlg.IsIconic());
        Command(dlg, ID_SHOW_HIDE);
        EXPECT_FALSE(dlg.IsWindowVisible());
        // The show/hide hot key F8 reaches the hidden window.
        guitest::InputSender::Key(VK_F8);
        EXPECT_TRUE(guitest::MessagePump::PumpUntil([&] { return dlg.IsWindowVisible() != FALSE; }, 5000));
    });
}

// The tray icon's double click shows and hides the window like the
// show/hide command.
TEST(MainDialog, TrayDoubleClickTogglesTheWindow)
{
    WriteConfig();
    RunMainDialog([](CTessalyDlg& dlg) {
        ASSERT_TRUE(dlg.IsTrayIconAdded());
        dlg.SendMessage(CTessalyDlg::WM_TRAY_NOTIFY, 131, WM_LBUTTONDBLCLK);
        EXPECT_FALSE(dlg.IsWindowVisible());
        // Another icon's message is not ours.
        dlg.SendMessage(CTessalyDlg::WM_TRAY_NOTIFY, 132, WM_LBUTTONDBLCLK);
        EXPECT_FALSE(dlg.IsWindowVisible());
        dlg.SendMessage(CTessalyDlg::WM_TRAY_NOTIFY, 131, WM_LBUTTONDBLCLK);
        EXPECT_TRUE(dlg.IsWindowVisible());
    });
}

// The options command releases the hot keys while its sheet is open and
// registers them again when it closes, also after Cancel.
TEST(MainDialog, OptionsReleaseTheHotKeysWhileOpen)
{
    WriteConfig();
    RunMainDialog([](CTessalyDlg& dlg) {
        bool bFreeWhileOpen = false;
        CString caption;
        guitest::TimedAction cancel(800, [&] {
            HWND hSheet = ::GetActiveWindow();
            wchar_t text[64] = {};
            ::GetWindowTextW(hSheet, text, 64);
            caption = text;
            bFreeWhileOpen = ::RegisterHotKey(nullptr, 0x3001, 0, VK_F5) != FALSE;
            ::UnregisterHotKey(nullptr, 0x3001);
            ::PostMessageW(hSheet, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        });
        Command(dlg, ID_OPTIONS);
        EXPECT_TRUE(cancel.HasRun());
        EXPECT_STREQ(caption, L"参数设置");
        EXPECT_TRUE(bFreeWhileOpen);
        EXPECT_FALSE(::RegisterHotKey(nullptr, 0x3001, 0, VK_F5));
    });
    EXPECT_TRUE(App().m_boxes.empty());
}

// The about box from the system menu, with its three links.
TEST(MainDialog, AboutBoxFromTheSystemMenu)
{
    // As the program's start-up does: the links' window class.
    AfxEnableControlContainer();
    WriteConfig();
    RunMainDialog([](CTessalyDlg& dlg) {
        CString caption;
        int nLinks = 0;
        guitest::TimedAction close(800, [&] {
            HWND hAbout = ::GetActiveWindow();
            wchar_t text[64] = {};
            ::GetWindowTextW(hAbout, text, 64);
            caption = text;
            for (int nID : { IDC_LINK_HOME, IDC_LINK_IM, IDC_LINK_MAIL }) {
                wchar_t cls[32] = {};
                ::GetClassNameW(::GetDlgItem(hAbout, nID), cls, 32);
                nLinks += std::wstring(cls) == L"SysLink";
            }
            ::PostMessageW(hAbout, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        dlg.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        EXPECT_TRUE(close.HasRun());
        EXPECT_STREQ(caption, L"关于 Brivane Tessaly");
        EXPECT_EQ(nLinks, 3);
    });
}

TEST(MainDialog, GlobalHotKeysStartTheirCaptures)
{
    WriteConfig([](CTesConfig& config) { config.SetSnapMode(5); });
    RunMainDialog([](CTessalyDlg& dlg) {
        CTesCore& core = dlg.GetCore();
        // Ctrl+Print Screen: the whole screen, whatever the list says.
        SendChord({ VK_CONTROL, VK_SNAPSHOT });
        ASSERT_TRUE(guitest::MessagePump::PumpUntil([&] { return core.GetImage() != nullptr; }, 5000));
        EXPECT_EQ(ComboSelection(dlg), 0);
        // Print Screen: the list's choice (now the whole screen again).
        Command(dlg, ID_EDIT_CLEAR);
        guitest::InputSender::Key(VK_SNAPSHOT);
        EXPECT_TRUE(guitest::MessagePump::PumpUntil([&] { return core.GetImage() != nullptr; }, 5000));
        EXPECT_EQ(core.m_config.GetSnapMode(), 0);
    });
}

TEST(MainDialog, AcceleratorsReachTheirCommands)
{
    WriteConfig([](CTesConfig& config) { config.SetSnapMode(5); });
    RunMainDialog([](CTessalyDlg& dlg) {
        CTesCore& core = dlg.GetCore();
        ::SetForegroundWindow(dlg.GetSafeHwnd());
        dlg.GetDlgItem(IDC_GRAYSCALE)->SetFocus();
        guitest::MessagePump::PumpFor(100);
        ASSERT_EQ(core.GetImage(), nullptr);
        SendChord({ VK_CONTROL, '1' });
        ASSERT_TRUE(guitest::MessagePump::PumpUntil([&] { return core.GetImage() != nullptr; }, 5000));
        EXPECT_EQ(core.m_config.GetSnapMode(), 0);
        guitest::InputSender::Key(VK_DELETE);
        EXPECT_TRUE(guitest::MessagePump::PumpUntil([&] { return core.GetImage() == nullptr; }, 5000));
        SendChord({ VK_CONTROL, '8' });
        EXPECT_TRUE(guitest::MessagePump::PumpUntil([&] { return dlg.IsWindowVisible() == FALSE; }, 5000));
        dlg.ShowWindow(SW_SHOW);
    });
}

TEST(MainDialog, ASecondWindowReportsEachKeyItCannotRegister)
{
    WriteConfig();
    std::vector<guitest::CapturingApp::Box> boxes;
    RunMainDialog([&](CTessalyDlg&) {
        // The first window holds the keys; a second one runs inside it.
        CTessalyDlg second;
        guitest::TimedAction end(300, [&] { second.EndDialog(IDOK); });
        second.DoModal();
        boxes = App().m_boxes;
    });
    CTesConfig defaults;
    ASSERT_EQ(boxes.size(), 8u);
    for (int nRow = 0; nRow < CHotKeyTable::COUNT; ++nRow) {
        WORD wModifier = 0;
        WORD wVk = 0;
        CHotKeyTable::GetKey(defaults, nRow, wModifier, wVk);
        EXPECT_STREQ(boxes[nRow].text, CHotKeyTable::GetFailureMessage(nRow, wVk)) << nRow;
        EXPECT_EQ(boxes[nRow].type, static_cast<UINT>(MB_OK));
    }
    // Print Screen and Ctrl+Print Screen carry the extra line.
    EXPECT_NE(std::wstring(boxes[0].text).find(L'\n'), std::wstring::npos);
    EXPECT_NE(std::wstring(boxes[1].text).find(L'\n'), std::wstring::npos);
    EXPECT_EQ(std::wstring(boxes[2].text).find(L'\n'), std::wstring::npos);

    // Two rows with one key: only the second fails.
    WriteConfig([](CTesConfig& config) { config.SetCurrentWinHotkey(0, VK_F3); });
    RunMainDialog([](CTessalyDlg&) {});
    ASSERT_EQ(App().m_boxes.size(), 1u);
    EXPECT_STREQ(App().m_boxes[0].text, L"注册捕捉<当前窗口>热键失败,请更换热键");
}

// A held key acts once: MOD_NOREPEAT, or where the system refuses it each key again without it, silently.
TEST(MainDialog, HotKeysAreRegisteredWithoutRepeats)
{
    // RegisterHotKey recording the modifiers, refusing MOD_NOREPEAT as systems before Windows 7 do.
    static std::vector<UINT> s_registered;
    guitest::ImportPatch patch(::GetModuleHandleW(nullptr), "user32.dll", "RegisterHotKey",
                               reinterpret_cast<void*>(+[](HWND, int, UINT nModifiers, UINT) -> BOOL {
                                   s_registered.push_back(nModifiers);
                                   return !(nModifiers & MOD_NOREPEAT);
                               }));
    ASSERT_TRUE(patch.Applied());
    WriteConfig();
    RunMainDialog([](CTessalyDlg&) {});
    ASSERT_EQ(s_registered.size(), 16u);
    for (size_t i = 0; i < s_registered.size(); ++i) // each key with the flag, then again without it
        EXPECT_EQ(s_registered[i], i % 2 ? s_registered[i - 1] & ~MOD_NOREPEAT : s_registered[i] | MOD_NOREPEAT);
    EXPECT_TRUE(App().m_boxes.empty());
}

// A dialog of the main window open: tray clicks and the end of a capture bring it forward and run nothing more.
TEST(MainDialog, TrayClicksAndCapturesBringTheOpenDialogForward)
{
    WriteConfig([](CTesConfig& config) { config.SetHideMainWnd(1); });
    RunMainDialog([](CTessalyDlg& dlg) {
        // A tray click, (0) the hot key Ctrl+Print Screen: a capture of the whole screen, or
        // (WM_COMMAND) the options command itself, as a menu choice queued before the box opened.
        const std::pair<UINT, LPARAM> cases[] = { { ID_OPTIONS, WM_RBUTTONUP },
                                                  { ID_OPTIONS, WM_LBUTTONDBLCLK },
                                                  { ID_APP_ABOUT, 0 },
                                                  { ID_APP_ABOUT, WM_COMMAND } };
        for (const auto& [nDialog, lClick] : cases) {
            HWND hDialog = nullptr, hForeground = nullptr;
            guitest::TimedAction menu(8000, [] { ::EndMenu(); }); // runs only inside a menu the click opened
            guitest::TimedAction act(800, [&] {
                hDialog = ::GetActiveWindow();
                if (lClick == WM_COMMAND)
                    dlg.SendMessage(WM_COMMAND, ID_OPTIONS, 0);
                else
                    dlg.SendMessage(lClick ? CTessalyDlg::WM_TRAY_NOTIFY : WM_HOTKEY,
                                    lClick ? 131 : CHotKeyTable::GetId(1), lClick);
                guitest::MessagePump::PumpFor(300);
                hForeground = ::GetForegroundWindow();
                ::PostMessageW(hDialog, WM_COMMAND, IDCANCEL, 0);
            });
            Command(dlg, nDialog);
            EXPECT_TRUE(hForeground == hDialog && dlg.IsWindowVisible() && !menu.HasRun()) << lClick;
        }
        EXPECT_NE(dlg.GetCore().GetImage(), nullptr); // the hot key's capture ran
    });
}

// The edit/browse command with the recording editor.
class EditBrowse : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_record = apptest::BinDir() + L"edit-record.txt";
        ::DeleteFileW(m_record.c_str());
        ::SetEnvironmentVariableW(L"TES_RECORD_FILE", m_record.c_str());
        m_folder = apptest::BinDir() + L"edit dir";
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override { ::SetEnvironmentVariableW(L"TES_RECORD_FILE", nullptr); }

    std::wstring WaitForRecord()
    {
        guitest::MessagePump::PumpUntil([&] { return !apptest::ReadText(m_record).empty(); }, 10000);
        return apptest::ReadText(m_record);
    }

    std::wstring m_record;
    std::wstring m_folder;
};

TEST_F(EditBrowse, TheEditorGetsTheQuotedNameInItsFolder)
{
    const std::wstring editor = apptest::BinDir() + L"tes_record_args.exe";
    WriteConfig([&](CTesConfig& config) { config.SetEditAppPath(editor.c_str()); });
    std::wstring recorded;
    RunMainDialog([&](CTessalyDlg& dlg) {
        const std::wstring picture = m_folder + L"\\edit dir.png";
        dlg.GetCore().SetPathName(picture.c_str());
        dlg.GetCore().SetFileName(L"edit dir.png");
        Command(dlg, ID_EDIT_EXTERNAL);
        recorded = WaitForRecord();
    });
    // Command line, working folder, editor's own folder.
    ASSERT_FALSE(recorded.empty());
    const size_t nLine = recorded.find(L'\n');
    const std::wstring commandLine = recorded.substr(0, nLine);
    const std::wstring quotedName = L" \"edit dir.png\"";
    ASSERT_GT(commandLine.size(), quotedName.size());
    EXPECT_EQ(commandLine.substr(commandLine.size() - quotedName.size()), quotedName);
    const std::wstring cwd = recorded.substr(nLine + 1, recorded.find(L'\n', nLine + 1) - nLine - 1);
    EXPECT_EQ(cwd, m_folder);
    EXPECT_TRUE(App().m_boxes.empty());
}

TEST_F(EditBrowse, AnEmptyEditorPathStartsNothingAndSaysWhy)
{
    WriteConfig([](CTesConfig& config) { config.SetEditAppPath(L""); });
    RunMainDialog([&](CTessalyDlg& dlg) {
        dlg.GetCore().SetPathName((m_folder + L"\\a.png").c_str());
        Command(dlg, ID_EDIT_EXTERNAL);
        guitest::MessagePump::PumpFor(1500);
    });
    ASSERT_EQ(App().m_boxes.size(), 1u);
    EXPECT_NE(std::wstring(App().m_boxes[0].text).find(L"图像编辑程序"), std::wstring::npos);
    EXPECT_TRUE(apptest::ReadText(m_record).empty());
}

// The printed page, read back from the PDF printer's output.
class PrintPreview : public ::testing::Test
{
protected:
    // cups-pdf writes to ~/PDF; Wine names the home folder in WINEHOMEDIR
    // ("\\??\\Z:\\root").
    static std::wstring PdfFolder()
    {
        wchar_t home[MAX_PATH] = {};
        if (::GetEnvironmentVariableW(L"WINEHOMEDIR", home, MAX_PATH) == 0)
            return std::wstring();
        std::wstring folder(home);
        if (folder.rfind(L"\\??\\", 0) == 0)
            folder.erase(0, 4);
        return folder + L"\\PDF";
    }
    static bool HasDefaultPrinter()
    {
        return !guitest::DefaultPrinterName().empty();
    }
};

// A path on Wine's Z: drive as the Unix path it stands for.
std::wstring UnixPath(std::wstring path)
{
    if (path.rfind(L"Z:", 0) == 0)
        path.erase(0, 2);
    std::replace(path.begin(), path.end(), L'\\', L'/');
    return path;
}

// The bounding box of the placeholder's frame colour in a picture file;
// right stays -1 when there is none.
void FindFrame(const std::wstring& file, int& left, int& top, int& right, int& bottom)
{
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&token, &input, nullptr), Gdiplus::Ok);
    {
        Gdiplus::Bitmap page(file.c_str());
        ASSERT_EQ(page.GetLastStatus(), Gdiplus::Ok);
        Gdiplus::Rect all(0, 0, static_cast<INT>(page.GetWidth()), static_cast<INT>(page.GetHeight()));
        Gdiplus::BitmapData data;
        ASSERT_EQ(page.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppRGB, &data), Gdiplus::Ok);
        for (int y = 0; y < all.Height; ++y) {
            const DWORD* row = reinterpret_cast<const DWORD*>(static_cast<const BYTE*>(data.Scan0) + y * data.Stride);
            for (int x = 0; x < all.Width; ++x) {
                const DWORD c = row[x];   // 0x00RRGGBB
                if (Near(RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF), kPlaceholderFrame, 30)) {
                    left = std::min(left, x);
                    top = std::min(top, y);
                    right = std::max(right, x);
                    bottom = std::max(bottom, y);
                }
            }
        }
        page.UnlockBits(&data);
    }
    Gdiplus::GdiplusShutdown(token);
}

// Presses OK in the print dialog that the print command opens.
void ConfirmPrintDialogSoon(std::unique_ptr<guitest::TimedAction>& action, HWND hMain)
{
    action.reset(new guitest::TimedAction(1500, [hMain] {
        HWND hPrint = ::GetActiveWindow();
        if (hPrint != nullptr && hPrint != hMain)
            ::PostMessageW(hPrint, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }));
}

TEST_F(PrintPreview, ThePlaceholderIsPrintedAtThePreviewsPixelSize)
{
    if (!HasDefaultPrinter())
        GTEST_SKIP() << "no default printer on this machine";
    const std::wstring folder = PdfFolder();
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.path().filename().wstring().rfind(L"Voruzev", 0) == 0)
            std::filesystem::remove(entry.path(), error);
    WriteConfig();
    RECT preview = {};
    RunMainDialog([&](CTessalyDlg& dlg) {
        dlg.GetDlgItem(IDC_PREVIEW)->GetClientRect(&preview);
        std::unique_ptr<guitest::TimedAction> confirm;
        ConfirmPrintDialogSoon(confirm, dlg.GetSafeHwnd());
        Command(dlg, ID_FILE_PRINT);
        EXPECT_TRUE(confirm->HasRun());
    });
    // cups-pdf writes the file a little later.
    std::wstring pdf;
    guitest::MessagePump::PumpUntil([&] {
        for (const auto& entry : std::filesystem::directory_iterator(folder, error))
            if (entry.path().filename().wstring().rfind(L"Voruzev", 0) == 0 && entry.file_size() > 0)
                pdf = entry.path().wstring();
        return !pdf.empty();
    }, 30000);
    ASSERT_FALSE(pdf.empty()) << "no Voruzev PDF in " << std::string(folder.begin(), folder.end());

    // The page at 300 dots per inch through pdftoppm, a Linux program that
    // Wine starts as such: it takes Unix paths, and Wine gives no wait on it,
    // so the test waits for its picture.
    const std::wstring png = apptest::BinDir() + L"printed";
    const std::wstring pngFile = png + L"-1.png";
    ::DeleteFileW(pngFile.c_str());
    apptest::ChildProcess convert;
    if (!convert.Start(L"Z:\\usr\\bin\\pdftoppm", L"-r 300 -png \"" + UnixPath(pdf) + L"\" \"" + UnixPath(png) + L"\""))
        GTEST_SKIP() << "pdftoppm cannot be started from here";
    ASSERT_TRUE(guitest::MessagePump::PumpUntil([&] {
        HANDLE hFile = ::CreateFileW(pngFile.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (hFile == INVALID_HANDLE_VALUE)
            return false;
        ::CloseHandle(hFile);
        return true;
    }, 60000));
    guitest::MessagePump::PumpFor(500);
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    FindFrame(pngFile, left, top, right, bottom);
    ASSERT_GE(right, 0) << "the placeholder is not on the page";
    // Printer pixels: the page was read back at 300 dpi; the printer's own
    // resolution is asked from its DC.
    const HDC hPrinter = ::CreateDCW(L"WINSPOOL", guitest::DefaultPrinterName().c_str(), nullptr, nullptr);
    ASSERT_NE(hPrinter, nullptr);
    const int dpi = ::GetDeviceCaps(hPrinter, LOGPIXELSX);
    ::DeleteDC(hPrinter);
    const double expectedWidth = (preview.right + 1) * 300.0 / dpi;
    const double expectedHeight = (preview.bottom + 1) * 300.0 / dpi;
    EXPECT_NEAR(right - left + 1, expectedWidth, 4 + expectedWidth / 50);
    EXPECT_NEAR(bottom - top + 1, expectedHeight, 4 + expectedHeight / 50);
}

} // namespace
