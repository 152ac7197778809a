// CWnd::EnableToolTips: the tip text asked for each child control (string
// resource, the window's own text, none), and the relay of the framework's
// message loop that makes a tip appear when the mouse rests on a control.
#include <gtest/gtest.h>

#include "CWnd.h"
#include "ExtrasResources.h"
#include "InputSender.h"
#include "MessagePump.h"

#include <commctrl.h>

using guitest::InputSender;
using guitest::MessagePump;

namespace {

// A popup with three buttons; it provides the tip of one of them itself.
class ToolWindow : public CWnd
{
public:
    ToolWindow()
    {
        CreateEx(WS_EX_TOPMOST, nullptr, L"提示", WS_POPUP, 300, 300, 360, 60, nullptr, nullptr);
        const int ids[3] = { IDC_TIP_FROM_STRING, IDC_TIP_FROM_WINDOW, IDC_TIP_NONE };
        for (int i = 0; i < 3; ++i) {
            CreateWindowExW(0, L"Button", L"按钮", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10 + 115 * i, 10, 105, 40,
                            m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids[i])), nullptr, nullptr);
        }
    }
    BOOL OnToolTipText(UINT nID, CString& strTipText) override
    {
        if (nID == IDC_TIP_FROM_WINDOW) {
            strTipText = L"窗口提供的提示";
            return TRUE;
        }
        return CWnd::OnToolTipText(nID, strTipText);
    }
};

TEST(ToolTips, TheTextOfEachControlIsAnswered)
{
    ToolWindow window;
    ASSERT_TRUE(window.EnableToolTips(TRUE));
    HWND hTip = window.GetToolTipHwnd();
    ASSERT_NE(nullptr, hTip);
    EXPECT_EQ(3, static_cast<int>(SendMessageW(hTip, TTM_GETTOOLCOUNT, 0, 0)));
    struct Case { int nID; const wchar_t* expected; };
    const Case cases[] = {
        { IDC_TIP_FROM_STRING, L"按钮的提示" },   // the part after the prompt's '\n'
        { IDC_TIP_FROM_WINDOW, L"窗口提供的提示" },
        { IDC_TIP_NONE, L"" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nID);
        NMTTDISPINFOW info = {};
        info.hdr.hwndFrom = hTip;
        info.hdr.idFrom = reinterpret_cast<UINT_PTR>(GetDlgItem(window.m_hWnd, c.nID));
        info.hdr.code = TTN_NEEDTEXTW;
        info.uFlags = TTF_IDISHWND;
        SendMessageW(window.m_hWnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        ASSERT_NE(nullptr, info.lpszText);
        EXPECT_EQ(CString(c.expected), CString(info.lpszText));
    }
    EXPECT_TRUE(window.EnableToolTips(FALSE));
    EXPECT_EQ(nullptr, window.GetToolTipHwnd());
    EXPECT_FALSE(IsWindow(hTip));
}

TEST(ToolTips, RestingTheMouseOnAControlShowsItsTip)
{
    ToolWindow window;
    window.SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ASSERT_TRUE(window.EnableToolTips(TRUE));
    HWND hTip = window.GetToolTipHwnd();
    MessagePump::PumpFor(200);
    struct Case { int nID; const wchar_t* expected; };
    const Case cases[] = { { IDC_TIP_FROM_STRING, L"按钮的提示" }, { IDC_TIP_FROM_WINDOW, L"窗口提供的提示" } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nID);
        RECT rc;
        GetWindowRect(GetDlgItem(window.m_hWnd, c.nID), &rc);
        // The mouse comes in from the side and rests in the middle.
        InputSender::MoveTo(rc.left + 5, rc.top + 5);
        MessagePump::PumpFor(100);
        InputSender::MoveTo((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
        wchar_t text[128] = {};
        const bool bShown = MessagePump::PumpUntil([&] {
            if (!IsWindowVisible(hTip))
                return false;
            GetWindowTextW(hTip, text, 128);
            return CString(text) == CString(c.expected);
        }, 5000);
        EXPECT_TRUE(bShown) << "tip text \"" << CString(text).GetString() << "\"";
        // Away from the window: the tip goes.
        InputSender::MoveTo(5, 5);
        MessagePump::PumpUntil([&] { return !IsWindowVisible(hTip); }, 3000);
    }
}

} // namespace
