// Data exchange and validation: round trips of int, UINT, text, check and
// combo index, refusals with their message, focus and untouched members, the
// dialog-init items, and OnOK refusing to close on a bad value.
#include <gtest/gtest.h>

#include "CComboBox.h"
#include "CDataExchange.h"
#include "CDialog.h"
#include "CListBox.h"
#include "MessagePump.h"
#include "TestApp.h"
#include "TestResources.h"
#include "TimedAction.h"

namespace {

class DataDialog : public CDialog
{
public:
    DataDialog() : CDialog(IDD_DATA) {}
    CString m_strText = L"原文";
    int m_nAngle = 15;
    UINT m_nDelay = 300;
    int m_bCheck = 1;
    int m_nCombo = 1;
    CComboBox m_combo;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_COMBO, m_combo);
        DDX_Text(pDX, IDC_TEXT_EDIT, m_strText);
        DDX_Check(pDX, IDC_CHECK, m_bCheck);
        DDX_CBIndex(pDX, IDC_COMBO, m_nCombo);
        DDX_Text(pDX, IDC_INT_EDIT, m_nAngle);
        DDV_MinMaxInt(pDX, m_nAngle, -360, 360);
        DDX_Text(pDX, IDC_UINT_EDIT, m_nDelay);
        DDV_MinMaxUInt(pDX, m_nDelay, 0, 15000);
    }
};

CString TextOf(HWND hWnd)
{
    CString text;
    CWnd::FromHandle(hWnd)->GetWindowText(text);
    return text;
}

class DataExchangeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        theTestApp.m_boxes.clear();
        ASSERT_TRUE(dlg.Create(IDD_DATA));
        dlg.ShowWindow(SW_SHOW);
        dlg.SetForegroundWindow();
        guitest::MessagePump::PumpFor(30);
    }
    void TearDown() override { dlg.DestroyWindow(); }
    HWND Item(int nID) { return ::GetDlgItem(dlg.m_hWnd, nID); }
    DataDialog dlg;
};

TEST_F(DataExchangeTest, InitialisationLoadsTheMembersAndTheDialogInitItems)
{
    EXPECT_EQ(CString(L"原文"), TextOf(Item(IDC_TEXT_EDIT)));
    EXPECT_EQ(CString(L"15"), TextOf(Item(IDC_INT_EDIT)));
    EXPECT_EQ(CString(L"300"), TextOf(Item(IDC_UINT_EDIT)));
    EXPECT_EQ(BST_CHECKED, SendMessageW(Item(IDC_CHECK), BM_GETCHECK, 0, 0));
    ASSERT_EQ(3, dlg.m_combo.GetCount());
    const wchar_t* expected[] = { L"整个屏幕", L"选定区域", L"abc" };
    for (int i = 0; i < 3; ++i) {
        CString item;
        dlg.m_combo.GetLBText(i, item);
        EXPECT_EQ(CString(expected[i]), item);
    }
    EXPECT_EQ(1, dlg.m_combo.GetCurSel());
    EXPECT_TRUE(theTestApp.m_boxes.empty());
}

TEST_F(DataExchangeTest, SavingReadsEveryControl)
{
    SetWindowTextW(Item(IDC_TEXT_EDIT), L"新的路径");
    SetWindowTextW(Item(IDC_INT_EDIT), L" -360 ");
    SetWindowTextW(Item(IDC_UINT_EDIT), L"15000");
    SendMessageW(Item(IDC_CHECK), BM_SETCHECK, BST_UNCHECKED, 0);
    dlg.m_combo.SetCurSel(2);
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(CString(L"新的路径"), dlg.m_strText);
    EXPECT_EQ(-360, dlg.m_nAngle);
    EXPECT_EQ(15000u, dlg.m_nDelay);
    EXPECT_EQ(0, dlg.m_bCheck);
    EXPECT_EQ(2, dlg.m_nCombo);
    dlg.m_combo.SetCurSel(-1);
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(-1, dlg.m_nCombo);
    EXPECT_TRUE(theTestApp.m_boxes.empty());
}

TEST_F(DataExchangeTest, LoadingWritesEveryControl)
{
    dlg.m_strText = L"甲乙";
    dlg.m_nAngle = -7;
    dlg.m_nDelay = 4000000000u;
    dlg.m_bCheck = 0;
    dlg.m_nCombo = 0;
    EXPECT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(CString(L"甲乙"), TextOf(Item(IDC_TEXT_EDIT)));
    EXPECT_EQ(CString(L"-7"), TextOf(Item(IDC_INT_EDIT)));
    EXPECT_EQ(CString(L"4000000000"), TextOf(Item(IDC_UINT_EDIT)));
    EXPECT_EQ(BST_UNCHECKED, SendMessageW(Item(IDC_CHECK), BM_GETCHECK, 0, 0));
    EXPECT_EQ(0, dlg.m_combo.GetCurSel());
}

TEST_F(DataExchangeTest, AcceptedBoundsAndForms)
{
    struct Case { const wchar_t* angle; const wchar_t* delay; int expectedAngle; UINT expectedDelay; };
    const Case cases[] = {
        { L"360", L"0", 360, 0 }, { L"-360", L"15000", -360, 15000 }, { L"+7", L" 12 ", 7, 12 }, { L"0", L"007", 0, 7 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "angle case " << c.expectedAngle);
        SetWindowTextW(Item(IDC_INT_EDIT), c.angle);
        SetWindowTextW(Item(IDC_UINT_EDIT), c.delay);
        EXPECT_TRUE(dlg.UpdateData(TRUE));
        EXPECT_EQ(c.expectedAngle, dlg.m_nAngle);
        EXPECT_EQ(c.expectedDelay, dlg.m_nDelay);
    }
    EXPECT_TRUE(theTestApp.m_boxes.empty());
}

TEST_F(DataExchangeTest, RefusedValuesShowOneMessageRefocusAndLeaveEveryMemberUnchanged)
{
    struct Case { const wchar_t* angle; const wchar_t* delay; int focusId; const wchar_t* message; };
    const Case cases[] = {
        { L"abc", L"10", IDC_INT_EDIT, L"请输入一个整数。" },
        { L"12x", L"10", IDC_INT_EDIT, L"请输入一个整数。" },
        { L"", L"10", IDC_INT_EDIT, L"请输入一个整数。" },
        { L"99999999999", L"10", IDC_INT_EDIT, L"请输入一个整数。" },
        { L"361", L"10", IDC_INT_EDIT, L"请输入一个介于 -360 和 360 之间的整数。" },
        { L"-361", L"10", IDC_INT_EDIT, L"请输入一个介于 -360 和 360 之间的整数。" },
        { L"10", L"-1", IDC_UINT_EDIT, L"请输入一个不小于 0 的整数。" },
        { L"10", L"4294967296", IDC_UINT_EDIT, L"请输入一个不小于 0 的整数。" },
        { L"10", L"15001", IDC_UINT_EDIT, L"请输入一个介于 0 和 15000 之间的整数。" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "message " << CString(c.message).GetLength() << " chars, angle text len "
                                        << CString(c.angle).GetLength());
        theTestApp.m_boxes.clear();
        dlg.m_strText = L"原文";
        dlg.m_nAngle = 15;
        dlg.m_nDelay = 300;
        dlg.m_bCheck = 1;
        dlg.m_nCombo = 1;
        // Controls exchanged before the bad one change too; the members must not.
        SetWindowTextW(Item(IDC_TEXT_EDIT), L"改过的文字");
        SendMessageW(Item(IDC_CHECK), BM_SETCHECK, BST_UNCHECKED, 0);
        dlg.m_combo.SetCurSel(0);
        SetWindowTextW(Item(IDC_INT_EDIT), c.angle);
        SetWindowTextW(Item(IDC_UINT_EDIT), c.delay);
        SetFocus(Item(IDC_TEXT_EDIT));

        EXPECT_FALSE(dlg.UpdateData(TRUE));
        ASSERT_EQ(1u, theTestApp.m_boxes.size());
        EXPECT_EQ(CString(c.message), theTestApp.m_boxes[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), theTestApp.m_boxes[0].type & MB_ICONMASK);
        EXPECT_EQ(Item(c.focusId), GetFocus());
        DWORD selStart = 1, selEnd = 0;
        SendMessageW(Item(c.focusId), EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
        EXPECT_EQ(0u, selStart);
        EXPECT_EQ(static_cast<DWORD>(TextOf(Item(c.focusId)).GetLength()), selEnd);

        EXPECT_EQ(CString(L"原文"), dlg.m_strText);
        EXPECT_EQ(15, dlg.m_nAngle);
        EXPECT_EQ(300u, dlg.m_nDelay);
        EXPECT_EQ(1, dlg.m_bCheck);
        EXPECT_EQ(1, dlg.m_nCombo);
    }
}

TEST(DataExchangeModal, OkWithABadValueKeepsTheDialogOpenUntilTheValueIsFixed)
{
    theTestApp.m_boxes.clear();
    DataDialog dlg;
    guitest::ModalWatchdog watchdog(10000);
    bool bStillOpen = false;
    guitest::TimedAction refuse(200, [&] {
        SetDlgItemTextW(dlg.m_hWnd, IDC_INT_EDIT, L"720");
        SendMessageW(GetDlgItem(dlg.m_hWnd, IDOK), BM_CLICK, 0, 0);
        bStillOpen = IsWindowVisible(dlg.m_hWnd) != FALSE;
    });
    guitest::TimedAction accept(400, [&] {
        SetDlgItemTextW(dlg.m_hWnd, IDC_INT_EDIT, L"90");
        SendMessageW(GetDlgItem(dlg.m_hWnd, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_FALSE(watchdog.Fired());
    EXPECT_TRUE(bStillOpen);
    ASSERT_EQ(1u, theTestApp.m_boxes.size());
    EXPECT_EQ(CString(L"请输入一个介于 -360 和 360 之间的整数。"), theTestApp.m_boxes[0].text);
    EXPECT_EQ(90, dlg.m_nAngle);
}

TEST(DataExchangeItems, ItemsGivenInCodeAreAddedWhenTheDialogInitialises)
{
    DataDialog dlg;
    const CString items[] = { L"第一", L"第二" };
    dlg.SetInitialItems(IDC_LIST, items, 2);
    dlg.SetInitialItems(IDC_COMBO, items, 1);
    ASSERT_TRUE(dlg.Create(IDD_DATA));
    CListBox list;
    ASSERT_TRUE(list.SubclassDlgItem(IDC_LIST, &dlg));
    ASSERT_EQ(2, list.GetCount());
    CString text;
    list.GetText(1, text);
    EXPECT_EQ(CString(L"第二"), text);
    ASSERT_EQ(4, dlg.m_combo.GetCount());   // three from the resource, then one
    dlg.m_combo.GetLBText(3, text);
    EXPECT_EQ(CString(L"第一"), text);
    dlg.DestroyWindow();
}

} // namespace
