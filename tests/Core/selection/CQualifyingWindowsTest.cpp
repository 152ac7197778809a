// The qualifying-window enumeration against real top-level windows: which
// windows it takes, their order, title cutting and the 254-entry limit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CQualifyingWindows.h"
#include "CSize.h"
#include "TopLevelWindows.h"

using seltest::TopLevelWindows;

namespace {

std::vector<HWND> Handles(const CQualifyingWindows& list)
{
    std::vector<HWND> handles;
    for (int i = 0; i < list.GetCount(); ++i)
        handles.push_back(list.GetWindow(i));
    return handles;
}

int IndexOf(const std::vector<HWND>& handles, HWND hWnd)
{
    for (size_t i = 0; i < handles.size(); ++i) {
        if (handles[i] == hWnd)
            return static_cast<int>(i);
    }
    return -1;
}

CSize ClientSize(HWND hWnd)
{
    RECT rc = {};
    GetClientRect(hWnd, &rc);
    return CSize(rc.right, rc.bottom);
}

TEST(QualifyingWindows, TakesOnlyVisibleRestoredTitledWindowsWithAClientAreaAbove4x4)
{
    struct Case
    {
        const char* name;
        LPCWSTR title;
        DWORD style;
        int cx, cy;        // window size; popups have no frame, so also the client size
        bool minimise;
        bool listed;
    };
    const DWORD popup = WS_POPUP | WS_VISIBLE;
    const Case cases[] = {
        { "plain window", L"普通窗口", popup, 300, 200, false, true },
        { "popup 5 x 5", L"五乘五", popup, 5, 5, false, true },
        { "popup 5 x 300", L"五宽", popup, 5, 300, false, true },
        { "popup 4 wide", L"四宽", popup, 4, 300, false, false },
        { "popup 4 high", L"四高", popup, 300, 4, false, false },
        { "popup 4 x 4", L"四乘四", popup, 4, 4, false, false },
        { "popup 0 x 0", L"零", popup, 0, 0, false, false },
        { "untitled", L"", popup, 300, 200, false, false },
        { "hidden", L"隐藏窗口", WS_POPUP, 300, 200, false, false },
        { "minimised", L"最小化窗口", WS_POPUP, 300, 200, true, false },
    };
    TopLevelWindows windows;
    std::vector<HWND> handles;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND hWnd = c.minimise ? windows.AddMinimised(c.title) : windows.Add(c.title, c.style, 60, 60, c.cx, c.cy);
        ASSERT_NE(nullptr, hWnd);
        if (c.minimise) {
            ASSERT_TRUE(IsIconic(hWnd));
            ASSERT_TRUE(IsWindowVisible(hWnd));
        } else {
            ASSERT_EQ(CSize(c.cx, c.cy), ClientSize(hWnd));
        }
        handles.push_back(hWnd);
    }

    CQualifyingWindows list;
    const int nCount = list.Enumerate();
    EXPECT_EQ(nCount, list.GetCount());
    const std::vector<HWND> found = Handles(list);
    for (size_t i = 0; i < handles.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        const int nIndex = IndexOf(found, handles[i]);
        EXPECT_EQ(cases[i].listed, nIndex >= 0);
        if (nIndex >= 0) {
            EXPECT_EQ(std::wstring(cases[i].title), std::wstring(list.GetTitle(nIndex)));
        }
    }
}

TEST(QualifyingWindows, ListsFrontToBackInTheZOrder)
{
    TopLevelWindows windows;
    std::vector<HWND> created;   // each one goes on top of the ones before
    for (LPCWSTR title : { L"底层", L"中层", L"上层", L"顶层" })
        created.push_back(windows.AddPlain(title));
    // Bring the second one to the front: order now 中层, 顶层, 上层, 底层.
    SetWindowPos(created[1], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const std::vector<HWND> expectedOrder = { created[1], created[3], created[2], created[0] };

    CQualifyingWindows list;
    list.Enumerate();
    const std::vector<HWND> found = Handles(list);
    std::vector<HWND> mine;
    for (HWND hWnd : found) {
        if (windows.Contains(hWnd))
            mine.push_back(hWnd);
    }
    EXPECT_EQ(expectedOrder, mine);
    // Everything listed follows the platform's own Z order.
    for (size_t i = 1; i < found.size(); ++i)
        EXPECT_LT(TopLevelWindows::ZIndex(found[i - 1]), TopLevelWindows::ZIndex(found[i]));
}

TEST(QualifyingWindows, TitlesAreCutTo259Characters)
{
    // A title whose every position is recognisable, so a cut in the wrong
    // place shows.
    auto title = [](size_t n) {
        std::wstring s;
        for (size_t i = 0; i < n; ++i)
            s += static_cast<wchar_t>(L'A' + i % 26);
        return s;
    };
    struct Case { size_t length; size_t listedLength; };
    const Case cases[] = { { 1, 1 }, { 258, 258 }, { 259, 259 }, { 260, 259 }, { 400, 259 } };
    TopLevelWindows windows;
    std::vector<HWND> handles;
    for (const Case& c : cases)
        handles.push_back(windows.AddPlain(title(c.length).c_str()));

    CQualifyingWindows list;
    list.Enumerate();
    const std::vector<HWND> found = Handles(list);
    for (size_t i = 0; i < handles.size(); ++i) {
        SCOPED_TRACE(cases[i].length);
        const int nIndex = IndexOf(found, handles[i]);
        ASSERT_GE(nIndex, 0);
        EXPECT_EQ(title(cases[i].listedLength), std::wstring(list.GetTitle(nIndex)));
    }
}

TEST(QualifyingWindows, KeepsTheFront254)
{
    const int nMine = CQualifyingWindows::MAX_WINDOWS + 3;
    TopLevelWindows windows;
    std::vector<HWND> created;   // oldest first, so the newest is on top
    for (int i = 0; i < nMine; ++i) {
        const std::wstring title = L"窗口 " + std::to_wstring(i);
        HWND hWnd = windows.Add(title.c_str(), WS_POPUP | WS_VISIBLE, 10 + i, 10, 20, 20);
        ASSERT_NE(nullptr, hWnd);
        created.push_back(hWnd);
    }

    CQualifyingWindows list;
    ASSERT_EQ(CQualifyingWindows::MAX_WINDOWS, list.Enumerate());
    // Only topmost windows of the environment can come before ours; the rest
    // of the list is our newest windows, front to back.
    int nFirstMine = 0;
    while (nFirstMine < list.GetCount() && !windows.Contains(list.GetWindow(nFirstMine)))
        ++nFirstMine;
    for (int i = 0; i < nFirstMine; ++i)
        EXPECT_TRUE(GetWindowLongW(list.GetWindow(i), GWL_EXSTYLE) & WS_EX_TOPMOST);
    for (int i = nFirstMine; i < list.GetCount(); ++i) {
        const HWND expected = created[static_cast<size_t>(nMine - 1 - (i - nFirstMine))];
        EXPECT_EQ(expected, list.GetWindow(i)) << "entry " << i;
    }
    EXPECT_EQ(nullptr, list.GetWindow(CQualifyingWindows::MAX_WINDOWS));
    EXPECT_STREQ(L"", list.GetTitle(-1));
}

TEST(QualifyingWindows, EachEnumerationStartsAfresh)
{
    TopLevelWindows windows;
    HWND hWnd = windows.AddPlain(L"会消失的窗口");
    CQualifyingWindows list;
    const int nWith = list.Enumerate();
    EXPECT_GE(IndexOf(Handles(list), hWnd), 0);
    ShowWindow(hWnd, SW_HIDE);
    EXPECT_EQ(nWith - 1, list.Enumerate());
    EXPECT_LT(IndexOf(Handles(list), hWnd), 0);
}

} // namespace
