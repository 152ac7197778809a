// Command update: marks on a real menu when it opens (WM_INITMENUPOPUP) and
// on dialog buttons when the modal loop goes idle (WM_KICKIDLE).
#include <gtest/gtest.h>

#include "CButton.h"
#include "CCmdUI.h"
#include "CDialog.h"
#include "CFrameWnd.h"
#include "CMenu.h"
#include "TestResources.h"
#include "TimedAction.h"

namespace {

class MenuFrame : public CFrameWnd
{
public:
    bool bChecked = true;
    bool bEnabled = false;
    bool bRadio = true;

protected:
    DECLARE_MESSAGE_MAP()
    void OnUpdateCheck(CCmdUI* pCmdUI) { pCmdUI->SetCheck(bChecked ? 1 : 0); }
    void OnUpdateDisable(CCmdUI* pCmdUI) { pCmdUI->Enable(bEnabled); }
    void OnUpdateRadio(CCmdUI* pCmdUI) { pCmdUI->SetRadio(bRadio); }
    void OnUpdateText(CCmdUI* pCmdUI) { pCmdUI->SetText(L"新文本"); }
};

BEGIN_MESSAGE_MAP(MenuFrame, CFrameWnd)
    ON_UPDATE_COMMAND_UI(ID_CMD_CHECK, OnUpdateCheck)
    ON_UPDATE_COMMAND_UI(ID_CMD_DISABLE, OnUpdateDisable)
    ON_UPDATE_COMMAND_UI(ID_CMD_RADIO, OnUpdateRadio)
    ON_UPDATE_COMMAND_UI(ID_CMD_TEXT, OnUpdateText)
END_MESSAGE_MAP()

struct ItemState
{
    UINT type;
    UINT state;
    CString text;
};

ItemState StateOf(HMENU hMenu, UINT nID)
{
    wchar_t szText[64] = {};
    MENUITEMINFOW mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
    mii.dwTypeData = szText;
    mii.cch = 64;
    GetMenuItemInfoW(hMenu, nID, FALSE, &mii);
    return ItemState{ mii.fType, mii.fState, CString(szText) };
}

TEST(CommandUpdate, MenuItemsTakeTheirMarksWhenThePopupOpens)
{
    MenuFrame* pFrame = new MenuFrame;
    ASSERT_TRUE(pFrame->Create(nullptr, L"菜单框架", WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, nullptr,
                               MAKEINTRESOURCEW(IDR_TEST_MENU)));
    HMENU hPopup = GetSubMenu(GetMenu(pFrame->m_hWnd), 0);
    ASSERT_NE(nullptr, hPopup);
    const UINT noHandlerBefore = StateOf(hPopup, ID_CMD_NOHANDLER).state;

    pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hPopup), MAKELPARAM(0, FALSE));
    ItemState check = StateOf(hPopup, ID_CMD_CHECK);
    EXPECT_TRUE(check.state & MFS_CHECKED);
    EXPECT_FALSE(check.type & MFT_RADIOCHECK);
    EXPECT_TRUE(StateOf(hPopup, ID_CMD_DISABLE).state & MFS_DISABLED);
    ItemState radio = StateOf(hPopup, ID_CMD_RADIO);
    EXPECT_TRUE(radio.state & MFS_CHECKED);
    EXPECT_TRUE(radio.type & MFT_RADIOCHECK);
    EXPECT_EQ(noHandlerBefore, StateOf(hPopup, ID_CMD_NOHANDLER).state);   // left as it was
    EXPECT_EQ(CString(L"新文本"), StateOf(hPopup, ID_CMD_TEXT).text);

    pFrame->bChecked = false;
    pFrame->bEnabled = true;
    pFrame->bRadio = false;
    pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hPopup), MAKELPARAM(0, FALSE));
    EXPECT_FALSE(StateOf(hPopup, ID_CMD_CHECK).state & MFS_CHECKED);
    EXPECT_FALSE(StateOf(hPopup, ID_CMD_DISABLE).state & MFS_DISABLED);
    EXPECT_FALSE(StateOf(hPopup, ID_CMD_RADIO).state & MFS_CHECKED);
    pFrame->DestroyWindow();   // deletes the frame
}

class CommandsDialog : public CDialog
{
public:
    explicit CommandsDialog(BOOL bDisableIfNoHandler) : CDialog(IDD_COMMANDS), m_bDisable(bDisableIfNoHandler) {}
    struct Snapshot { BOOL command, noHandler, disabled, autoCheck, ok; int checked; };
    Snapshot Take() const
    {
        auto enabled = [this](int nID) { return ::IsWindowEnabled(::GetDlgItem(m_hWnd, nID)); };
        return Snapshot{ enabled(IDC_BTN_COMMAND), enabled(IDC_BTN_NOHANDLER), enabled(IDC_BTN_DISABLED),
                         enabled(IDC_BTN_AUTOCHECK), enabled(IDOK),
                         static_cast<int>(::IsDlgButtonChecked(m_hWnd, IDC_BTN_CHECKED)) };
    }
    int nCommand = 0;

protected:
    DECLARE_MESSAGE_MAP()
    void OnCommandButton() { ++nCommand; }
    void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        if (m_bDisable)
            UpdateDialogControls(this, TRUE);
        else
            CDialog::OnKickIdle(0, 0);
        return 0;
    }
    BOOL m_bDisable;
};

BEGIN_MESSAGE_MAP(CommandsDialog, CDialog)
    ON_BN_CLICKED(IDC_BTN_COMMAND, OnCommandButton)
    ON_UPDATE_COMMAND_UI(IDC_BTN_DISABLED, OnUpdateDisabled)
    ON_UPDATE_COMMAND_UI(IDC_BTN_CHECKED, OnUpdateChecked)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

TEST(CommandUpdate, DialogButtonsAreUpdatedWhenTheModalLoopIsIdle)
{
    for (BOOL bDisable : { TRUE, FALSE }) {
        SCOPED_TRACE(bDisable ? "buttons without handlers disabled" : "default idle update");
        CommandsDialog dlg(bDisable);
        CommandsDialog::Snapshot seen = {};
        guitest::ModalWatchdog watchdog(10000);
        guitest::TimedAction look(300, [&] { seen = dlg.Take(); dlg.PostMessage(WM_COMMAND, IDCANCEL); });
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
        EXPECT_FALSE(watchdog.Fired());
        EXPECT_TRUE(seen.command);
        EXPECT_EQ(!bDisable, seen.noHandler);
        EXPECT_FALSE(seen.disabled);
        EXPECT_TRUE(seen.autoCheck);   // automatic check boxes act by themselves
        EXPECT_TRUE(seen.ok);          // CDialog handles IDOK
        EXPECT_EQ(BST_CHECKED, seen.checked);
    }
}

} // namespace
