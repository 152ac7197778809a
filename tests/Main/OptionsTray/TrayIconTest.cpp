// The tray icon under Wine: the icon really added to and removed from the
// notification area (probed with NIM_MODIFY, which the shell refuses for an
// icon it does not have), the record's size and tooltip, the menu of resource
// 131 tracked for real, the double click, the animation (also over zero
// images), the return after "TaskbarCreated", and hidden windows that cannot
// be created.
#include <gtest/gtest.h>

#include <vector>

#include "CMenu.h"
#include "CTrayNotifyIcon.h"
#include "CTrayTimerWnd.h"
#include "CWnd.h"
#include "InputSender.h"
#include "MessagePump.h"
#include "OptionsTrayResource.h"
#include "TimedAction.h"

using guitest::InputSender;
using guitest::MessagePump;
using guitest::TimedAction;

namespace {

const wchar_t kAnimationTitle[] = L"CTrayNotifyIcon Animation Notification Window";
const wchar_t kRestoreTitle[] = L"CTrayNotifyIcon Resurrection Notification Window";
const UINT kCallback = WM_USER + 100;

// The window that receives the icon's messages; it records the commands.
class NotifyWindow : public CWnd
{
public:
    NotifyWindow() { CreateEx(0, nullptr, L"托盘测试", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr); }
    std::vector<UINT> commands;
    BOOL OnCommand(WPARAM wParam, LPARAM) override
    {
        commands.push_back(LOWORD(wParam));
        return TRUE;
    }
};

// TRUE when the shell has an icon (hWnd, uID).
bool IconInTray(HWND hWnd, UINT uID)
{
    NOTIFYICONDATAW nid = {};
    nid.cbSize = sizeof(nid);
    nid.hWnd = hWnd;
    nid.uID = uID;
    return Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}

HICON Icon(int n)
{
    static const LPCWSTR kIds[] = { IDI_APPLICATION, IDI_WARNING, IDI_ERROR, IDI_INFORMATION };
    return LoadIconW(nullptr, kIds[n]);
}

TEST(TrayIcon, MenuResourceHasThePopupWithItsItemsInOrder)
{
    struct Item { UINT id; const wchar_t* text; };
    const Item expected[] = {
        { 32799, L"显示/隐藏(&S)\tCtrl+8" }, { 0, nullptr },
        { 32795, L"整个屏幕(&F)\tCtrl+1" }, { 32846, L"活动程序窗口(&A)\tCtrl+3" },
        { 32847, L"当前窗口(&W)\tCtrl+4" }, { 32848, L"活动程序客户区(&C)\tCtrl+5" },
        { 32850, L"界面对象/菜单(&M)\tCtrl+6" }, { 32845, L"选定区域(&R)...\tCtrl+7" }, { 0, nullptr },
        { 32830, L"设置(&O)..." }, { 0, nullptr }, { 57665, L"退出(&X)\tAlt+X" },
    };
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TRAY_MENU));
    ASSERT_EQ(1, menu.GetMenuItemCount());
    CString popupName;
    menu.GetMenuString(0, popupName, MF_BYPOSITION);
    EXPECT_EQ(CString(L"_POP_"), popupName);
    CMenu* pPopup = menu.GetSubMenu(0);
    ASSERT_NE(nullptr, pPopup);
    ASSERT_EQ(static_cast<int>(sizeof(expected) / sizeof(expected[0])), pPopup->GetMenuItemCount());
    for (int i = 0; i < pPopup->GetMenuItemCount(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(expected[i].id, pPopup->GetMenuItemID(i));
        CString text;
        pPopup->GetMenuString(i, text, MF_BYPOSITION);
        const bool bSeparator = (pPopup->GetMenuState(i, MF_BYPOSITION) & MF_SEPARATOR) != 0;
        EXPECT_EQ(expected[i].text == nullptr, bSeparator);
        if (expected[i].text != nullptr) {
            EXPECT_EQ(CString(expected[i].text), text);
        }
    }
}

TEST(TrayIcon, AddedWithItsRecordAndRemovedAgain)
{
    NotifyWindow window;
    CString longTip;
    for (int i = 0; i < 140; ++i)
        longTip += static_cast<wchar_t>(L'甲' + i % 10);
    struct Case { const wchar_t* tip; int expectedLength; };
    const Case cases[] = { { L"Tessaly（Brivane作品）", 18 }, { longTip, 127 } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expectedLength);
        {
            CTrayNotifyIcon icon;
            ASSERT_TRUE(icon.AddAnimatedToTray(&window, IDR_TRAY_MENU, c.tip, std::vector<HICON>{ Icon(0) }.data(),
                                               1, 1000, kCallback));
            const NOTIFYICONDATAW& nid = icon.GetIconData();
            // The size of this build's record (976 on x64, not the 32-bit 956).
            EXPECT_EQ(sizeof(NOTIFYICONDATAW), nid.cbSize);
            EXPECT_EQ(window.m_hWnd, nid.hWnd);
            EXPECT_EQ(static_cast<UINT>(IDR_TRAY_MENU), nid.uID);
            EXPECT_EQ(kCallback, nid.uCallbackMessage);
            EXPECT_EQ(Icon(0), nid.hIcon);
            EXPECT_EQ(c.expectedLength, lstrlenW(nid.szTip));
            EXPECT_EQ(0, wcsncmp(c.tip, nid.szTip, c.expectedLength));
            EXPECT_TRUE(icon.IsAdded());
            EXPECT_TRUE(icon.IsAnimated());
            EXPECT_TRUE(IconInTray(window.m_hWnd, IDR_TRAY_MENU));
            EXPECT_NE(nullptr, FindWindowW(nullptr, kAnimationTitle));
            EXPECT_NE(nullptr, FindWindowW(nullptr, kRestoreTitle));

            icon.RemoveFromTray();
            EXPECT_FALSE(icon.IsAdded());
            EXPECT_FALSE(IconInTray(window.m_hWnd, IDR_TRAY_MENU));
            ASSERT_TRUE(icon.AddToTray(&window, IDR_TRAY_MENU, c.tip, Icon(1), kCallback));
            EXPECT_TRUE(IconInTray(window.m_hWnd, IDR_TRAY_MENU));
        }
        // The object's end removes the icon and closes both hidden windows.
        EXPECT_FALSE(IconInTray(window.m_hWnd, IDR_TRAY_MENU));
        EXPECT_EQ(nullptr, FindWindowW(nullptr, kAnimationTitle));
        EXPECT_EQ(nullptr, FindWindowW(nullptr, kRestoreTitle));
    }
}

TEST(TrayIcon, ClicksOnTheIcon)
{
    // Another icon's message, a single click and a double click; the double
    // click sends the menu's first command at once.
    NotifyWindow window;
    CTrayNotifyIcon icon;
    ASSERT_TRUE(icon.AddToTray(&window, IDR_TRAY_MENU, L"托盘", Icon(0), kCallback));
    struct Case { WPARAM id; LPARAM mouse; LRESULT result; std::vector<UINT> commands; };
    const Case cases[] = {
        { IDR_TRAY_MENU + 1, WM_LBUTTONDBLCLK, 0, {} },
        { IDR_TRAY_MENU, WM_LBUTTONUP, 1, {} },
        { IDR_TRAY_MENU, WM_MOUSEMOVE, 1, {} },
        { IDR_TRAY_MENU, WM_LBUTTONDBLCLK, 1, { 32799 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.id << " " << c.mouse);
        window.commands.clear();
        EXPECT_EQ(c.result, icon.HandleNotifyMessage(c.id, c.mouse));
        EXPECT_EQ(c.commands, window.commands);
    }
}

TEST(TrayIcon, RightClickTracksTheMenuWithShowHideAsDefault)
{
    NotifyWindow window;
    CTrayNotifyIcon icon;
    ASSERT_TRUE(icon.AddToTray(&window, IDR_TRAY_MENU, L"托盘", Icon(0), kCallback));
    HMENU hTracked = nullptr;
    UINT defaultItem = 0;
    int itemCount = 0;
    TimedAction choose(400, [&] {
        HWND hMenuWnd = FindWindowW(L"#32768", nullptr);
        if (hMenuWnd != nullptr)
            hTracked = reinterpret_cast<HMENU>(SendMessageW(hMenuWnd, 0x01E1 /* MN_GETHMENU */, 0, 0));
        if (hTracked != nullptr) {
            defaultItem = GetMenuDefaultItem(hTracked, FALSE, 0);
            itemCount = GetMenuItemCount(hTracked);
        }
        // Down to the third item (separators are skipped): whole screen.
        InputSender::Key(VK_DOWN);
        InputSender::Key(VK_DOWN);
        InputSender::Key(VK_RETURN);
    });
    TimedAction giveUp(5000, [] { EndMenu(); });
    EXPECT_EQ(1, icon.HandleNotifyMessage(IDR_TRAY_MENU, WM_RBUTTONUP));
    MessagePump::PumpUntil([&] { return !window.commands.empty(); }, 2000);
    EXPECT_FALSE(giveUp.HasRun());
    ASSERT_NE(nullptr, hTracked);
    EXPECT_EQ(32799u, defaultItem);
    EXPECT_EQ(12, itemCount);
    EXPECT_EQ(std::vector<UINT>{ 32795 }, window.commands);
    // The loaded menu is gone once the handler returns.
    EXPECT_FALSE(IsMenu(hTracked));
}

TEST(TrayIcon, AnimationStepsThroughTheImagesAndToleratesNone)
{
    NotifyWindow window;
    struct Case { std::vector<HICON> icons; std::vector<HICON> shownAfterTicks; };
    const Case cases[] = {
        { { Icon(0), Icon(1), Icon(2) }, { Icon(1), Icon(2), Icon(0), Icon(1) } },
        { { Icon(3) }, { Icon(3), Icon(3) } },
        { {}, { nullptr, nullptr } },   // no images: nothing to show, nothing to divide by
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.icons.size());
        CTrayNotifyIcon icon;
        ASSERT_TRUE(icon.AddAnimatedToTray(&window, IDR_TRAY_MENU, L"动画", c.icons.data(),
                                           static_cast<UINT>(c.icons.size()), 1000000, kCallback));
        HWND hTimer = FindWindowW(nullptr, kAnimationTitle);
        ASSERT_NE(nullptr, hTimer);
        for (HICON expected : c.shownAfterTicks) {
            SendMessageW(hTimer, WM_TIMER, 1, 0);
            EXPECT_EQ(expected, icon.GetIconData().hIcon);
        }
        EXPECT_TRUE(IconInTray(window.m_hWnd, IDR_TRAY_MENU));
    }
    // The timer itself runs: with 50 ms frames the image changes soon.
    CTrayNotifyIcon icon;
    const HICON icons[] = { Icon(0), Icon(1) };
    ASSERT_TRUE(icon.AddAnimatedToTray(&window, IDR_TRAY_MENU, L"动画", icons, 2, 50, kCallback));
    EXPECT_TRUE(MessagePump::PumpUntil([&] { return icon.GetIconData().hIcon == Icon(1); }, 2000));
}

TEST(TrayIcon, ComesBackAfterTaskbarCreatedUnlessItWasRemoved)
{
    NotifyWindow window;
    CTrayNotifyIcon icon;
    ASSERT_TRUE(icon.AddAnimatedToTray(&window, IDR_TRAY_MENU, L"复活", std::vector<HICON>{ Icon(0) }.data(), 1, 1000,
                                       kCallback));
    HWND hRestore = FindWindowW(nullptr, kRestoreTitle);
    ASSERT_NE(nullptr, hRestore);
    ASSERT_NE(0u, g_nTaskbarCreatedMsg);
    EXPECT_EQ(g_nTaskbarCreatedMsg, RegisterWindowMessageW(L"TaskbarCreated"));

    // The taskbar went away with the icon; the new one announces itself.
    NOTIFYICONDATAW gone = icon.GetIconData();
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &gone));
    ASSERT_FALSE(IconInTray(window.m_hWnd, IDR_TRAY_MENU));
    EXPECT_EQ(0, SendMessageW(hRestore, g_nTaskbarCreatedMsg, 0, 0));
    EXPECT_TRUE(IconInTray(window.m_hWnd, IDR_TRAY_MENU));
    EXPECT_TRUE(icon.IsAdded());
    EXPECT_EQ(CString(L"复活"), CString(icon.GetIconData().szTip));
    // Its record is whole again: the callback still reaches the window.
    EXPECT_EQ(static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP), icon.GetIconData().uFlags);

    // A refusing taskbar (found first by the shell; its default procedure answers FALSE) does not end the tries.
    WNDCLASSW refusing = {};
    refusing.lpfnWndProc = DefWindowProcW;
    refusing.lpszClassName = L"Shell_TrayWnd";
    ASSERT_NE(0, RegisterClassW(&refusing));
    HWND hTaskbar = CreateWindowExW(WS_EX_TOPMOST, L"Shell_TrayWnd", nullptr, WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                    nullptr, nullptr);
    SendMessageW(hRestore, g_nTaskbarCreatedMsg, 0, 0);
    EXPECT_FALSE(icon.IsAdded());
    DestroyWindow(hTaskbar);
    SendMessageW(hRestore, g_nTaskbarCreatedMsg, 0, 0);
    EXPECT_TRUE(icon.IsAdded() && IconInTray(window.m_hWnd, IDR_TRAY_MENU));

    // Taken out on purpose (as the main window does at its end): stays out.
    icon.RemoveFromTray();
    SendMessageW(hRestore, g_nTaskbarCreatedMsg, 0, 0);
    EXPECT_FALSE(IconInTray(window.m_hWnd, IDR_TRAY_MENU));
    EXPECT_FALSE(icon.IsAdded());
}

// Refuses the creation of windows with one title while it lives.
class RefuseWindow
{
public:
    explicit RefuseWindow(const wchar_t* pszTitle)
    {
        s_pszTitle = pszTitle;
        m_hHook = SetWindowsHookExW(WH_CBT, &Hook, nullptr, GetCurrentThreadId());
    }
    ~RefuseWindow()
    {
        UnhookWindowsHookEx(m_hHook);
        s_pszTitle = nullptr;
    }

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam)
    {
        if (nCode == HCBT_CREATEWND && s_pszTitle != nullptr) {
            const CBT_CREATEWNDW* pCreate = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
            const LPCWSTR pszName = pCreate->lpcs->lpszName;
            if (pszName != nullptr && !IS_INTRESOURCE(pszName) && lstrcmpW(pszName, s_pszTitle) == 0)
                return 1;
        }
        return CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    static const wchar_t* s_pszTitle;
    HHOOK m_hHook;
};
const wchar_t* RefuseWindow::s_pszTitle = nullptr;

TEST(TrayIcon, HiddenWindowsThatCannotBeCreatedLeaveNothingBehind)
{
    NotifyWindow window;
    const HICON icons[] = { Icon(0) };
    struct Case { const wchar_t* refused; bool animated; };
    const Case cases[] = { { kAnimationTitle, true }, { kRestoreTitle, true }, { kRestoreTitle, false } };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << CString(c.refused).GetString() << " " << c.animated);
        CTrayNotifyIcon icon;
        {
            RefuseWindow refuse(c.refused);
            const BOOL bAdded = c.animated
                ? icon.AddAnimatedToTray(&window, IDR_TRAY_MENU, L"失败", icons, 1, 1000, kCallback)
                : icon.AddToTray(&window, IDR_TRAY_MENU, L"失败", icons[0], kCallback);
            EXPECT_FALSE(bAdded);
        }
        EXPECT_FALSE(icon.IsAdded());
        EXPECT_FALSE(IconInTray(window.m_hWnd, IDR_TRAY_MENU));
        EXPECT_EQ(nullptr, FindWindowW(nullptr, c.refused));
        // Once the windows can be made, the same object works.
        EXPECT_TRUE(icon.AddToTray(&window, IDR_TRAY_MENU, L"再试", icons[0], kCallback));
        EXPECT_TRUE(IconInTray(window.m_hWnd, IDR_TRAY_MENU));
        HWND hRestore = FindWindowW(nullptr, kRestoreTitle);
        ASSERT_NE(nullptr, hRestore);
        NOTIFYICONDATAW gone = icon.GetIconData();
        Shell_NotifyIconW(NIM_DELETE, &gone);
        SendMessageW(hRestore, g_nTaskbarCreatedMsg, 0, 0);
        EXPECT_TRUE(IconInTray(window.m_hWnd, IDR_TRAY_MENU));
    }
    EXPECT_EQ(nullptr, FindWindowW(nullptr, kRestoreTitle));
    EXPECT_EQ(nullptr, FindWindowW(nullptr, kAnimationTitle));
}

TEST(TrayIcon, TimerWindowWithoutImagesKeepsItsFirstIndex)
{
    CTrayNotifyIcon icon;
    CTrayTimerWnd* pTimer = new CTrayTimerWnd(&icon, nullptr, 0, 1000000);
    ASSERT_TRUE(pTimer->CreateHidden());
    const HWND hTimer = pTimer->m_hWnd;
    pTimer->Advance();
    SendMessageW(hTimer, WM_TIMER, 1, 0);
    EXPECT_EQ(0, pTimer->GetCurrentIcon());
    // It deletes itself with its window.
    SendMessageW(hTimer, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hTimer));
}

} // namespace
