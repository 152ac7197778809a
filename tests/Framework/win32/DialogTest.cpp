// Dialogs from templates: modal runs ended by OK, Cancel, Escape and the close
// box, the owner disabled meanwhile, idle messages, modeless dialogs.
#include <gtest/gtest.h>

#include <functional>

#include "CDialog.h"
#include "InputSender.h"
#include "MessagePump.h"
#include "PatternWindow.h"
#include "TestResources.h"
#include "TimedAction.h"

using guitest::MessagePump;
using guitest::ModalWatchdog;
using guitest::TimedAction;

namespace {

class SimpleDialog : public CDialog
{
public:
    explicit SimpleDialog(CWnd* pParent = nullptr, UINT nID = IDD_SIMPLE) : CDialog(nID, pParent) {}
    CString strCaption;
    int nInit = 0;
    int nKickIdle = 0;
    WPARAM kickIdleW = 0;
    int nEndInInit = 0;   // non-zero: EndDialog with it in OnInitDialog

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        ++nInit;
        GetWindowText(strCaption);
        if (nEndInInit != 0)
            EndDialog(nEndInInit);
        return TRUE;
    }

protected:
    DECLARE_MESSAGE_MAP()
    LRESULT OnKickIdle(WPARAM wParam, LPARAM) { ++nKickIdle; kickIdleW = wParam; return 0; }
};

BEGIN_MESSAGE_MAP(SimpleDialog, CDialog)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

// Runs dlg modally while action drives it after delayMs.
INT_PTR RunModal(CDialog& dlg, DWORD delayMs, std::function<void(HWND)> action)
{
    ModalWatchdog watchdog(10000);
    TimedAction drive(delayMs, [&dlg, action] { action(dlg.m_hWnd); });
    const INT_PTR result = dlg.DoModal();
    EXPECT_FALSE(watchdog.Fired());
    return result;
}

TEST(Dialog, ModalRunsFromTheTemplateAndEndsWithTheChosenButton)
{
    struct Case { const char* name; std::function<void(HWND)> end; INT_PTR expected; };
    const Case cases[] = {
        { "OK button", [](HWND h) { SendMessageW(GetDlgItem(h, IDOK), BM_CLICK, 0, 0); }, IDOK },
        { "Cancel button", [](HWND h) { SendMessageW(GetDlgItem(h, IDCANCEL), BM_CLICK, 0, 0); }, IDCANCEL },
        { "close box", [](HWND h) { PostMessageW(h, WM_CLOSE, 0, 0); }, IDCANCEL },
        { "Escape key typed", [](HWND h) { SetForegroundWindow(h); SetFocus(GetDlgItem(h, IDC_TEXT_EDIT)); guitest::InputSender::Key(VK_ESCAPE); }, IDCANCEL },
        { "Enter key typed", [](HWND h) { SetForegroundWindow(h); SetFocus(GetDlgItem(h, IDC_TEXT_EDIT)); guitest::InputSender::Key(VK_RETURN); }, IDOK },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimpleDialog dlg;
        EXPECT_EQ(c.expected, RunModal(dlg, 200, c.end));
        EXPECT_EQ(1, dlg.nInit);
        EXPECT_EQ(CString(L"程序对话框"), dlg.strCaption);
        EXPECT_EQ(nullptr, dlg.m_hWnd);
    }
}

TEST(Dialog, TheOwnerIsDisabledDuringTheModalRun)
{
    guitest::PatternWindow owner;
    ASSERT_TRUE(owner.Create(L"所有者", CRect(50, 50, 250, 250)));
    SimpleDialog dlg(&owner);
    BOOL bEnabledDuring = TRUE;
    HWND hOwnerSeen = nullptr;
    RunModal(dlg, 200, [&](HWND h) {
        bEnabledDuring = owner.IsWindowEnabled();
        hOwnerSeen = GetWindow(h, GW_OWNER);
        PostMessageW(h, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_FALSE(bEnabledDuring);
    EXPECT_EQ(owner.m_hWnd, hOwnerSeen);
    EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST(Dialog, TheModalLoopSendsKickIdleWhenTheQueueIsEmptyAndShowsTheDialog)
{
    SimpleDialog dlg;
    BOOL bVisible = FALSE;
    RunModal(dlg, 300, [&](HWND h) { bVisible = IsWindowVisible(h); PostMessageW(h, WM_COMMAND, IDOK, 0); });
    EXPECT_TRUE(bVisible);
    EXPECT_GT(dlg.nKickIdle, 0);
    EXPECT_EQ(static_cast<WPARAM>(MSGF_DIALOGBOX), dlg.kickIdleW);
}

TEST(Dialog, EndDialogDuringInitialisationSkipsTheLoop)
{
    SimpleDialog dlg;
    dlg.nEndInInit = 42;
    EXPECT_EQ(42, RunModal(dlg, 5000, [](HWND) {}));
    EXPECT_EQ(0, dlg.nKickIdle);
}

TEST(Dialog, AMissingTemplateGivesMinusOne)
{
    SimpleDialog dlg(nullptr, 9999);
    EXPECT_EQ(-1, dlg.DoModal());
    EXPECT_EQ(0, dlg.nInit);
}

TEST(Dialog, ModelessDialogLivesUntilDestroyed)
{
    SimpleDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_SIMPLE));
    EXPECT_EQ(1, dlg.nInit);
    EXPECT_EQ(&dlg, CWnd::FromHandlePermanent(dlg.m_hWnd));
    dlg.ShowWindow(SW_SHOW);
    dlg.SendMessage(WM_COMMAND, IDCANCEL, 0);   // hides a modeless dialog
    EXPECT_FALSE(dlg.IsWindowVisible());
    EXPECT_TRUE(dlg.IsWindow());
    HWND hWnd = dlg.m_hWnd;
    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_FALSE(IsWindow(hWnd));
}

} // namespace
