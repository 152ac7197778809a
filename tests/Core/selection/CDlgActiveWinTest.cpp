// The window chooser driven like a user would: its list against the
// qualifying windows, real clicks on items and buttons, the keyboard, the
// close box, and the window that comes to the front.
#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "CDlgActiveWin.h"
#include "CQualifyingWindows.h"
#include "CTesLocalResource.h"
#include "DialogTemplateReader.h"
#include "InputSender.h"
#include "MessagePump.h"
#include "TimedAction.h"
#include "TopLevelWindows.h"
#include <commctrl.h>

using guitest::InputSender;
using guitest::MessagePump;
using seltest::DialogItemTemplate;
using seltest::DialogTemplate;
using seltest::DialogTemplateReader;
using seltest::TopLevelWindows;

namespace {

struct Item
{
    std::wstring title;
    HWND hWnd;
    bool operator==(const Item& other) const { return title == other.title && hWnd == other.hWnd; }
};

HWND List(HWND hDlg)
{
    return GetDlgItem(hDlg, IDC_WINDOW_LIST);
}

std::vector<Item> Items(HWND hDlg)
{
    std::vector<Item> items;
    HWND hList = List(hDlg);
    const int nCount = static_cast<int>(SendMessageW(hList, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < nCount; ++i) {
        std::wstring text(static_cast<size_t>(SendMessageW(hList, LB_GETTEXTLEN, i, 0)), L'\0');
        SendMessageW(hList, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
        items.push_back({ text, reinterpret_cast<HWND>(SendMessageW(hList, LB_GETITEMDATA, i, 0)) });
    }
    return items;
}

int ItemIndexOf(HWND hDlg, HWND hWnd)
{
    const std::vector<Item> items = Items(hDlg);
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].hWnd == hWnd)
            return static_cast<int>(i);
    }
    return -1;
}

POINT ItemCenter(HWND hDlg, int nIndex)
{
    RECT rc = {};
    SendMessageW(List(hDlg), LB_GETITEMRECT, nIndex, reinterpret_cast<LPARAM>(&rc));
    POINT pt = { (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2 };
    ClientToScreen(List(hDlg), &pt);
    return pt;
}

void ClickItem(HWND hDlg, int nIndex)
{
    const POINT pt = ItemCenter(hDlg, nIndex);
    EXPECT_TRUE(InputSender::Click(pt.x, pt.y));
}

void ClickButton(HWND hDlg, int nID)
{
    RECT rc = {};
    GetWindowRect(GetDlgItem(hDlg, nID), &rc);
    EXPECT_TRUE(InputSender::Click((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2));
}

// A screen point where the dialog's frame reports its close box; (-1, -1)
// when there is none.
POINT CloseBoxPoint(HWND hDlg)
{
    RECT rc = {};
    GetWindowRect(hDlg, &rc);
    for (int y = rc.top; y < rc.top + 40 && y < rc.bottom; ++y) {
        for (int x = rc.right - 1; x > rc.right - 80 && x >= rc.left; --x) {
            if (SendMessageW(hDlg, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE)
                return POINT{ x, y };
        }
    }
    return POINT{ -1, -1 };
}

// Runs the chooser modally inside TesLib's resource scope, as the capture
// engine does; drive runs once the dialog is on the screen. A watchdog closes
// it should the test fail to.
INT_PTR RunChooser(CDlgActiveWin& dlg, const std::function<void(HWND)>& drive)
{
    CTesLocalResource scope;
    guitest::ModalWatchdog watchdog(20000);
    guitest::TimedAction action(
        100, [&dlg] { return dlg.m_hWnd != nullptr && IsWindowVisible(dlg.m_hWnd) != FALSE; },
        [&dlg, &drive] { drive(dlg.m_hWnd); });
    const INT_PTR result = dlg.DoModal();
    EXPECT_TRUE(action.HasRun());
    EXPECT_FALSE(watchdog.Fired());
    return result;
}

void EndWith(HWND hDlg, int nID)
{
    PostMessageW(hDlg, WM_COMMAND, nID, 0);
}

// Four captioned windows, the last one on top. With nothing else on the
// screen the bottom one is the one the chooser leaves out.
class ChooserTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (LPCWSTR title : { L"测试窗口 甲", L"测试窗口 乙", L"测试窗口 丙", L"测试窗口 丁" }) {
            HWND hWnd = windows.AddPlain(title, 40 + 30 * windows.Count(), 40 + 30 * windows.Count());
            ASSERT_NE(nullptr, hWnd);
            handles.push_back(hWnd);
        }
        hPick = handles[1];
        ASSERT_GT(TopLevelWindows::ZIndex(hPick), TopLevelWindows::ZIndex(handles[3]));
    }

    TopLevelWindows windows;
    std::vector<HWND> handles;
    HWND hPick = nullptr;   // 乙: listed, below 丙 and 丁
};

TEST_F(ChooserTest, ListsTheQualifyingWindowsFrontToBackButTheBottomMost)
{
    HWND hMinimised = windows.AddMinimised(L"测试窗口 最小化");
    HWND hUntitled = windows.Add(L"", WS_POPUP | WS_VISIBLE, 120, 120, 300, 200);
    HWND hNarrow = windows.Add(L"测试窗口 窄", WS_POPUP | WS_VISIBLE, 140, 140, 4, 200);
    HWND hLow = windows.Add(L"测试窗口 矮", WS_POPUP | WS_VISIBLE, 140, 140, 200, 4);

    CQualifyingWindows qualifying;
    const int nCount = qualifying.Enumerate();
    ASSERT_GE(nCount, 4);
    std::vector<Item> expected;
    for (int i = 0; i + 1 < nCount; ++i)
        expected.push_back({ qualifying.GetTitle(i), qualifying.GetWindow(i) });

    CDlgActiveWin dlg;
    std::vector<Item> items;
    int nSelected = LB_ERR;
    HWND hDlgSeen = nullptr;
    RunChooser(dlg, [&](HWND hDlg) {
        hDlgSeen = hDlg;
        items = Items(hDlg);
        nSelected = static_cast<int>(SendMessageW(List(hDlg), LB_GETCURSEL, 0, 0));
        EndWith(hDlg, IDCANCEL);
    });

    EXPECT_EQ(expected, items);
    EXPECT_EQ(0, nSelected);
    auto listed = [&items](HWND hWnd) {
        for (const Item& item : items) {
            if (item.hWnd == hWnd)
                return true;
        }
        return false;
    };
    EXPECT_FALSE(listed(qualifying.GetWindow(nCount - 1)));
    for (HWND hWnd : { hMinimised, hUntitled, hNarrow, hLow, hDlgSeen })
        EXPECT_FALSE(listed(hWnd));
    // Our captioned windows appear newest first.
    std::vector<HWND> mine;
    for (const Item& item : items) {
        if (windows.Contains(item.hWnd))
            mine.push_back(item.hWnd);
    }
    const bool bottomIsOurs = qualifying.GetWindow(nCount - 1) == handles[0];
    std::vector<HWND> expectedMine = { handles[3], handles[2], handles[1] };
    if (!bottomIsOurs)
        expectedMine.push_back(handles[0]);
    EXPECT_EQ(expectedMine, mine);
}

TEST_F(ChooserTest, AClickBringsTheWindowToTheFrontAndOkRecordsIt)
{
    CDlgActiveWin dlg;
    bool bForeground = false, bStillOpen = false;
    int nZPick = -1, nZDialog = -1, nSelected = LB_ERR, nItem = -1;
    const INT_PTR result = RunChooser(dlg, [&](HWND hDlg) {
        nItem = ItemIndexOf(hDlg, hPick);
        ASSERT_GE(nItem, 1);
        ClickItem(hDlg, nItem);
        bForeground = MessagePump::PumpUntil([this] { return GetForegroundWindow() == hPick; });
        // A single click chooses nothing: the dialog stays open.
        MessagePump::PumpFor(300);
        bStillOpen = IsWindowVisible(hDlg) != FALSE;
        nSelected = static_cast<int>(SendMessageW(List(hDlg), LB_GETCURSEL, 0, 0));
        nZPick = TopLevelWindows::ZIndex(hPick);
        nZDialog = TopLevelWindows::ZIndex(hDlg);
        ClickButton(hDlg, IDOK);
    });
    EXPECT_TRUE(bForeground);
    EXPECT_TRUE(bStillOpen);
    EXPECT_EQ(nItem, nSelected);
    EXPECT_LT(nZDialog, nZPick);   // the topmost chooser stays in front of it
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(hPick, dlg.GetSelectedWindow());
    EXPECT_EQ(CString(L"测试窗口 乙"), dlg.GetSelectedTitle());
}

TEST_F(ChooserTest, OkWithoutMovingTheSelectionTakesTheFrontWindow)
{
    CDlgActiveWin dlg;
    HWND hFirst = nullptr;
    const INT_PTR result = RunChooser(dlg, [&](HWND hDlg) {
        hFirst = Items(hDlg).at(0).hWnd;
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(handles[3], hFirst);
    EXPECT_EQ(hFirst, dlg.GetSelectedWindow());
    EXPECT_EQ(CString(L"测试窗口 丁"), dlg.GetSelectedTitle());
}

TEST_F(ChooserTest, CancelEscapeAndTheCloseBoxChooseNothing)
{
    struct Case { const char* name; std::function<void(HWND)> end; };
    const Case cases[] = {
        { "Cancel button", [](HWND hDlg) { ClickButton(hDlg, IDCANCEL); } },
        { "Escape key", [](HWND hDlg) {
              SetForegroundWindow(hDlg);
              SetFocus(List(hDlg));
              EXPECT_TRUE(InputSender::Key(VK_ESCAPE));
          } },
        // What the close box sends. A synthesized click on it is not used:
        // Wine tracks the pressed box in a loop that only reads mouse
        // messages, which no watchdog timer could end should it stall.
        { "close box", [](HWND hDlg) {
              const POINT pt = CloseBoxPoint(hDlg);
              ASSERT_GE(pt.x, 0) << "no close box found";
              PostMessageW(hDlg, WM_SYSCOMMAND, SC_CLOSE, MAKELPARAM(pt.x, pt.y));
          } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CDlgActiveWin dlg;
        const INT_PTR result = RunChooser(dlg, [&](HWND hDlg) {
            // A selection exists when the dialog is dismissed.
            ClickItem(hDlg, ItemIndexOf(hDlg, hPick));
            EXPECT_TRUE(MessagePump::PumpUntil([this] { return GetForegroundWindow() == hPick; }));
            c.end(hDlg);
        });
        // The watchdog (checked by RunChooser) would also give IDCANCEL.
        EXPECT_EQ(IDCANCEL, result);
        EXPECT_EQ(nullptr, dlg.GetSelectedWindow());
        EXPECT_TRUE(dlg.GetSelectedTitle().IsEmpty());
    }
}

TEST_F(ChooserTest, ADoubleClickChoosesAtOnce)
{
    CDlgActiveWin dlg;
    const INT_PTR result = RunChooser(dlg, [&](HWND hDlg) {
        const int nItem = ItemIndexOf(hDlg, hPick);
        ASSERT_GE(nItem, 0);
        const POINT pt = ItemCenter(hDlg, nItem);
        EXPECT_TRUE(InputSender::Click(pt.x, pt.y));
        EXPECT_TRUE(InputSender::Click(pt.x, pt.y));
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(hPick, dlg.GetSelectedWindow());
    EXPECT_EQ(CString(L"测试窗口 乙"), dlg.GetSelectedTitle());
}

TEST_F(ChooserTest, OkWithNothingSelectedChoosesNothing)
{
    CDlgActiveWin dlg;
    const INT_PTR result = RunChooser(dlg, [&](HWND hDlg) {
        SendMessageW(List(hDlg), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(nullptr, dlg.GetSelectedWindow());
    EXPECT_TRUE(dlg.GetSelectedTitle().IsEmpty());
}

// This program's tooltip (showing, titled with its text) and owned windows qualify but are not offered.
TEST_F(ChooserTest, OurTooltipsAndOwnedWindowsAreNotOffered)
{
    const HWND hOwned = CreateWindowExW(0, L"STATIC", L"测试窗口 附属", WS_POPUP | WS_VISIBLE, 200, 200, 300, 200,
                                        handles[3], nullptr, nullptr, nullptr);
    const HWND hTip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP, 0, 0, 0, 0, handles[3],
                                      nullptr, nullptr, nullptr);
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof(tool), tool.uFlags = TTF_TRACK, tool.hwnd = handles[3],
    tool.lpszText = const_cast<LPWSTR>(L"点击访问官网");
    SendMessageW(hTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(hTip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    CQualifyingWindows qualifying;
    EXPECT_TRUE(qualifying.Enumerate() > 1 && qualifying.GetWindow(0) == hTip && qualifying.GetWindow(1) == hOwned);
    CDlgActiveWin dlg;
    RunChooser(dlg, [&](HWND hDlg) {
        EXPECT_EQ(handles[3], Items(hDlg).at(0).hWnd); // the front-most window not of ours
        EXPECT_TRUE(ItemIndexOf(hDlg, hTip) < 0 && ItemIndexOf(hDlg, hOwned) < 0);
        EndWith(hDlg, IDCANCEL);
    });
} // both go with their owner

// With no more than one qualifying window the list is empty and OK chooses
// nothing. Only checkable where the environment shows no window of its own.
TEST(Chooser, WithOneQualifyingWindowOrNoneTheListIsEmpty)
{
    CQualifyingWindows before;
    if (before.Enumerate() != 0)
        GTEST_SKIP() << "the desktop already shows " << before.GetCount() << " qualifying windows";
    for (int nWindows = 0; nWindows <= 1; ++nWindows) {
        SCOPED_TRACE(nWindows);
        TopLevelWindows windows;
        if (nWindows == 1)
            windows.AddPlain(L"唯一的窗口");
        CQualifyingWindows qualifying;
        ASSERT_EQ(nWindows, qualifying.Enumerate());
        CDlgActiveWin dlg;
        int nItems = -1;
        const INT_PTR result = RunChooser(dlg, [&](HWND hDlg) {
            nItems = static_cast<int>(Items(hDlg).size());
            ClickButton(hDlg, IDOK);
        });
        EXPECT_EQ(0, nItems);
        EXPECT_EQ(IDOK, result);
        EXPECT_EQ(nullptr, dlg.GetSelectedWindow());
    }
}

TEST(Chooser, TheTemplateIsTheLibrarysOwn)
{
    DialogTemplate dt;
    ASSERT_TRUE(DialogTemplateReader::Read(GetModuleHandleW(L"TesLib.dll"), IDD_ACTIVE_WIN, dt));
    EXPECT_EQ(L"活动程序窗口", dt.caption);
    EXPECT_EQ(183, dt.cx);
    EXPECT_EQ(124, dt.cy);
    EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS), dt.style);
    EXPECT_EQ(static_cast<DWORD>(WS_EX_TOPMOST), dt.exStyle);
    EXPECT_EQ(8, dt.pointSize);
    EXPECT_EQ(L"MS Shell Dlg", dt.typeface);

    struct Expected
    {
        DWORD id;
        WORD classAtom;
        LPCWSTR text;
        short x, y, cx, cy;
        DWORD style;
    };
    const DWORD child = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    const Expected expected[] = {
        { IDOK, 0x0080, L"确定", 64, 103, 50, 14, child | BS_DEFPUSHBUTTON },
        { IDCANCEL, 0x0080, L"取消", 126, 103, 50, 14, child | BS_PUSHBUTTON },
        { IDC_WINDOW_LIST, 0x0083, L"", 7, 7, 169, 88,
          child | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT },
    };
    ASSERT_EQ(std::size(expected), dt.items.size());
    for (size_t i = 0; i < dt.items.size(); ++i) {
        const Expected& e = expected[i];
        const DialogItemTemplate& item = dt.items[i];
        SCOPED_TRACE(e.id);
        EXPECT_EQ(e.id, item.id);
        // A class named in the script may stay a name instead of an atom.
        EXPECT_TRUE(item.classAtom == e.classAtom || _wcsicmp(item.className.c_str(), L"ListBox") == 0);
        EXPECT_EQ(std::wstring(e.text), item.text);
        EXPECT_EQ(e.x, item.x);
        EXPECT_EQ(e.y, item.y);
        EXPECT_EQ(e.cx, item.cx);
        EXPECT_EQ(e.cy, item.cy);
        EXPECT_EQ(e.style, item.style);   // no LBS_SORT: the list keeps the Z order
        EXPECT_EQ(0u, item.exStyle);
    }
}

TEST(Chooser, TheDialogIsCreatedFromItsTemplate)
{
    CDlgActiveWin dlg;
    EXPECT_STREQ("CDlgActiveWin", dlg.GetRuntimeClass()->m_lpszClassName);
    EXPECT_TRUE(dlg.IsKindOf(RUNTIME_CLASS(CDialog)));

    struct Control { int nID; LPCWSTR text; RECT units; };   // units: left, top, width, height
    const Control controls[] = {
        { IDOK, L"确定", { 64, 103, 50, 14 } },
        { IDCANCEL, L"取消", { 126, 103, 50, 14 } },
        { IDC_WINDOW_LIST, L"", { 7, 7, 169, 88 } },
    };
    struct Seen { std::wstring text; RECT rect, expected; };
    std::wstring caption;
    DWORD dwExStyle = 0, dwListStyle = 0, dwOkStyle = 0;
    std::vector<Seen> seen;
    RunChooser(dlg, [&](HWND hDlg) {
        wchar_t buffer[64] = {};
        GetWindowTextW(hDlg, buffer, 64);
        caption = buffer;
        dwExStyle = static_cast<DWORD>(GetWindowLongW(hDlg, GWL_EXSTYLE));
        dwListStyle = static_cast<DWORD>(GetWindowLongW(List(hDlg), GWL_STYLE));
        dwOkStyle = static_cast<DWORD>(GetWindowLongW(GetDlgItem(hDlg, IDOK), GWL_STYLE));
        for (const Control& c : controls) {
            HWND hCtrl = GetDlgItem(hDlg, c.nID);
            Seen s = {};
            GetWindowTextW(hCtrl, buffer, 64);
            s.text = buffer;
            GetWindowRect(hCtrl, &s.rect);
            MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&s.rect), 2);
            // The dialog manager converts position and size separately.
            RECT origin = { c.units.left, c.units.top, 0, 0 };
            RECT size = { 0, 0, c.units.right, c.units.bottom };
            MapDialogRect(hDlg, &origin);
            MapDialogRect(hDlg, &size);
            s.expected = { origin.left, origin.top, origin.left + size.right, origin.top + size.bottom };
            seen.push_back(s);
        }
        EndWith(hDlg, IDCANCEL);
    });

    EXPECT_EQ(L"活动程序窗口", caption);
    EXPECT_TRUE(dwExStyle & WS_EX_TOPMOST);
    EXPECT_EQ(static_cast<DWORD>(BS_DEFPUSHBUTTON), dwOkStyle & BS_TYPEMASK);
    const DWORD listWanted = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_TABSTOP;
    EXPECT_EQ(listWanted, dwListStyle & listWanted);
    EXPECT_EQ(0u, dwListStyle & LBS_SORT);
    ASSERT_EQ(std::size(controls), seen.size());
    for (size_t i = 0; i < seen.size(); ++i) {
        SCOPED_TRACE(controls[i].nID);
        EXPECT_EQ(std::wstring(controls[i].text), seen[i].text);
        EXPECT_EQ(seen[i].expected.left, seen[i].rect.left);
        EXPECT_EQ(seen[i].expected.top, seen[i].rect.top);
        EXPECT_EQ(seen[i].expected.right, seen[i].rect.right);
        EXPECT_EQ(seen[i].expected.bottom, seen[i].rect.bottom);
    }
}

} // namespace
