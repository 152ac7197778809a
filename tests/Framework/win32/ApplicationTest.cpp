// The application object: registration, registry key, message boxes, the
// exit command 57665 and the main message loop.
#include <gtest/gtest.h>

#include "CDialog.h"
#include "CFrameWnd.h"
#include "MessagePump.h"
#include "TestApp.h"
#include "TestResources.h"
#include "TimedAction.h"

guitest::CapturingApp theTestApp;

namespace {

class DestroyCountingFrame : public CFrameWnd
{
public:
    explicit DestroyCountingFrame(bool* pDeleted) : m_pDeleted(pDeleted) {}
    ~DestroyCountingFrame() override { *m_pDeleted = true; }

private:
    bool* m_pDeleted;
};

TEST(Application, TheObjectIsTheApplicationWithItsNameAndKey)
{
    EXPECT_EQ(&theTestApp, AfxGetApp());
    EXPECT_STREQ(L"GuiTest", theTestApp.m_pszAppName);
    EXPECT_EQ(nullptr, AfxGetMainWnd());
    theTestApp.SetRegistryKey(L"Brivane");
    EXPECT_STREQ(L"Brivane", theTestApp.m_pszRegistryKey);
    EXPECT_STREQ(L"GuiTest", theTestApp.m_pszProfileName);
    EXPECT_EQ(GetModuleHandleW(nullptr), AfxGetInstanceHandle());
}

TEST(Application, MessageBoxesGoThroughDoMessageBox)
{
    theTestApp.m_boxes.clear();
    theTestApp.m_nAnswer = IDRETRY;
    EXPECT_EQ(IDRETRY, AfxMessageBox(L"初始化GDI+失败", MB_RETRYCANCEL | MB_ICONERROR));
    theTestApp.m_nAnswer = IDOK;
    ASSERT_EQ(1u, theTestApp.m_boxes.size());
    EXPECT_EQ(CString(L"初始化GDI+失败"), theTestApp.m_boxes[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_RETRYCANCEL | MB_ICONERROR), theTestApp.m_boxes[0].type);
}

TEST(Application, ExitCommandClosesAMainFrame)
{
    bool bDeleted = false;
    DestroyCountingFrame* pFrame = new DestroyCountingFrame(&bDeleted);
    ASSERT_TRUE(pFrame->Create(nullptr, L"主框架"));
    HWND hWnd = pFrame->m_hWnd;
    theTestApp.m_pMainWnd = pFrame;
    SendMessageW(hWnd, WM_COMMAND, ID_APP_EXIT, 0);
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_TRUE(bDeleted);
    EXPECT_EQ(nullptr, AfxGetMainWnd());
}

TEST(Application, ExitCommandEndsAModalMainDialog)
{
    CDialog dlg(IDD_SIMPLE);
    theTestApp.m_pMainWnd = &dlg;
    guitest::ModalWatchdog watchdog(10000);
    guitest::TimedAction exit(200, [&] { dlg.PostMessage(WM_COMMAND, ID_APP_EXIT); });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_FALSE(watchdog.Fired());
    EXPECT_EQ(nullptr, AfxGetMainWnd());   // forgotten when its window went
}

TEST(Application, RunEndsWhenTheMainWindowIsClosed)
{
    bool bDeleted = false;
    DestroyCountingFrame* pFrame = new DestroyCountingFrame(&bDeleted);
    ASSERT_TRUE(pFrame->Create(nullptr, L"运行"));
    theTestApp.m_pMainWnd = pFrame;
    bool bRescued = false;
    guitest::TimedAction exit(200, [&] { pFrame->PostMessage(WM_COMMAND, ID_APP_EXIT); });
    guitest::TimedAction rescue(10000, [&] { bRescued = true; PostQuitMessage(5); });
    EXPECT_EQ(0, theTestApp.Run());
    EXPECT_FALSE(bRescued);
    EXPECT_TRUE(bDeleted);
    EXPECT_EQ(nullptr, AfxGetMainWnd());
}

} // namespace
