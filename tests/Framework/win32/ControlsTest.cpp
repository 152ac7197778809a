// Control wrappers on real controls, and the harness's own known-pixel
// window read back from the screen.
#include <gtest/gtest.h>

#include "CButton.h"
#include "CEdit.h"
#include "CHotKeyCtrl.h"
#include "CListBox.h"
#include "CStatic.h"
#include "CToolTipCtrl.h"
#include "MessagePump.h"
#include "PatternWindow.h"
#include "ScreenReader.h"

#include <commctrl.h>

using guitest::PatternWindow;

namespace {

class ControlsTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(host.Create(L"控件宿主", CRect(300, 300, 700, 600))); }
    HWND Child(LPCWSTR lpszClass, DWORD dwStyle, int nID)
    {
        return CreateWindowExW(0, lpszClass, L"", WS_CHILD | WS_VISIBLE | dwStyle, 10, 10, 200, 100, host.m_hWnd,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(nID)), nullptr, nullptr);
    }
    PatternWindow host;
};

TEST_F(ControlsTest, ListBoxItemsTextAndData)
{
    CListBox list;
    ASSERT_TRUE(list.SubclassWindow(Child(L"LISTBOX", LBS_NOTIFY, 10)));
    EXPECT_EQ(0, list.InsertString(-1, L"第一个窗口"));
    EXPECT_EQ(1, list.InsertString(-1, L"第二个窗口"));
    EXPECT_EQ(0, list.InsertString(0, L"最前"));
    EXPECT_EQ(3, list.GetCount());
    EXPECT_NE(LB_ERR, list.SetItemData(2, reinterpret_cast<DWORD_PTR>(host.m_hWnd)));
    EXPECT_EQ(reinterpret_cast<DWORD_PTR>(host.m_hWnd), list.GetItemData(2));
    CString text;
    EXPECT_EQ(5, list.GetText(2, text));
    EXPECT_EQ(CString(L"第二个窗口"), text);
    EXPECT_EQ(LB_ERR, list.GetText(7, text));
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(LB_ERR, list.GetCurSel());
    list.SetCurSel(1);
    EXPECT_EQ(1, list.GetCurSel());
    list.ResetContent();
    EXPECT_EQ(0, list.GetCount());
}

TEST_F(ControlsTest, HotKeyControlRoundTrips)
{
    CHotKeyCtrl hotKey;
    ASSERT_TRUE(hotKey.SubclassWindow(Child(HOTKEY_CLASSW, 0, 11)));
    struct Case { WORD vk; WORD mods; };
    const Case cases[] = { { VK_SNAPSHOT, 0 }, { 'A', HOTKEYF_CONTROL | HOTKEYF_ALT }, { VK_F7, HOTKEYF_SHIFT } };
    for (const Case& c : cases) {
        hotKey.SetHotKey(c.vk, c.mods);
        WORD vk = 0, mods = 0;
        hotKey.GetHotKey(vk, mods);
        EXPECT_EQ(c.vk, vk);
        EXPECT_EQ(c.mods, mods);
        EXPECT_EQ(static_cast<DWORD>(MAKEWORD(c.vk, c.mods)), hotKey.GetHotKey());
    }
}

TEST_F(ControlsTest, ButtonEditAndStaticWrappers)
{
    CButton check;
    ASSERT_TRUE(check.SubclassWindow(Child(L"BUTTON", BS_AUTOCHECKBOX, 12)));
    EXPECT_EQ(BST_UNCHECKED, check.GetCheck());
    check.SetCheck(BST_CHECKED);
    EXPECT_EQ(BST_CHECKED, check.GetCheck());

    CEdit edit;
    ASSERT_TRUE(edit.SubclassWindow(Child(L"EDIT", ES_AUTOHSCROLL, 13)));
    edit.SetWindowText(L"你好世界");
    edit.SetSel(1, 3);
    int start = 0, end = 0;
    edit.GetSel(start, end);
    EXPECT_EQ(1, start);
    EXPECT_EQ(3, end);
    edit.ReplaceSel(L"X");
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(CString(L"你X界"), text);

    CStatic picture;
    ASSERT_TRUE(picture.SubclassWindow(Child(L"STATIC", SS_BITMAP, 14)));
    HBITMAP hBitmap = CreateBitmap(8, 8, 1, 32, nullptr);
    EXPECT_EQ(nullptr, picture.SetBitmap(hBitmap));
    EXPECT_EQ(hBitmap, picture.GetBitmap());
    picture.DestroyWindow();
    DeleteObject(hBitmap);
}

TEST_F(ControlsTest, ToolTipTakesAWindowTool)
{
    CWnd* pTarget = CWnd::FromHandle(Child(L"STATIC", SS_NOTIFY, 15));
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&host));
    tip.Activate(TRUE);
    EXPECT_TRUE(tip.AddTool(pTarget, L"点击访问Brivane官网"));
    EXPECT_EQ(1, tip.GetToolCount());
    MSG msg = { pTarget->m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), 0, { 0, 0 } };
    tip.RelayEvent(&msg);
    EXPECT_TRUE(tip.IsWindow());
}

TEST(Harness, PatternWindowPixelsAreReadBackFromTheScreen)
{
    PatternWindow window;
    const CRect rect(600, 100, 900, 300);
    ASSERT_TRUE(window.Create(L"已知像素", rect));
    window.UpdateWindow();
    guitest::MessagePump::PumpFor(100);
    EXPECT_EQ(window.m_hWnd, FindWindowW(nullptr, L"已知像素"));
    const int w = rect.Width();
    const int h = rect.Height();
    const POINT probes[] = { { 5, 5 }, { w - 5, h - 5 }, { w * 3 / 4, h / 4 }, { w / 2, h / 2 }, { w / 3 - 1, h - 1 } };
    for (const POINT& p : probes) {
        SCOPED_TRACE(testing::Message() << "client " << p.x << "," << p.y);
        EXPECT_EQ(PatternWindow::ExpectedColor(p.x, p.y, w, h), guitest::ScreenReader::Pixel(rect.left + p.x, rect.top + p.y));
    }
    const TestImage pixels = guitest::ScreenReader::Rect(rect);
    ASSERT_EQ(CSize(w, h), pixels.Size());
    int mismatches = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            mismatches += pixels.Color(x, y) != PatternWindow::ExpectedColor(x, y, w, h);
    EXPECT_EQ(0, mismatches);
}

} // namespace
