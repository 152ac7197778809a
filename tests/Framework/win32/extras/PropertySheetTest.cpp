// CPropertySheet and CPropertyPage driven for real: the start page, pages
// built from templates with their dialog-init items, the notifications in
// their order (data saved when a page is left, a refusal keeping the page, OK
// only for pages that were shown, Cancel for none), and sheets that cannot be
// shown.
#include <gtest/gtest.h>

#include <string>

#include "CComboBox.h"
#include "CDataExchange.h"
#include "CPropertyPage.h"
#include "CPropertySheet.h"
#include "ExtrasResources.h"
#include "ExtrasTestApp.h"
#include "MessagePump.h"
#include "PropertySheetDriver.h"
#include "TimedAction.h"

#include <commctrl.h>

using guitest::Click;
using guitest::CurrentPage;
using guitest::FindSheet;
using guitest::MessagePump;
using guitest::ModalWatchdog;
using guitest::TimedAction;

namespace {

// A page with one integer field; it writes what happened to it into a log.
class LoggingPage : public CPropertyPage
{
public:
    LoggingPage(UINT nIDTemplate, char name, std::string& log) : CPropertyPage(nIDTemplate), m_name(name), m_log(log) {}
    int m_nValue = 0;
    CComboBox m_combo;

    BOOL OnSetActive() override { Note("S"); return CPropertyPage::OnSetActive(); }
    BOOL OnKillActive() override
    {
        const BOOL bOk = CPropertyPage::OnKillActive();
        Note(bOk ? "K" : "k");
        return bOk;
    }
    void OnOK() override { Note("O"); }
    void OnCancel() override { Note("C"); }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_PAGE_EDIT, m_nValue);
        if (::GetDlgItem(m_hWnd, IDC_PAGE_COMBO) != nullptr)
            DDX_Control(pDX, IDC_PAGE_COMBO, m_combo);
    }

private:
    void Note(const char* what) { m_log += m_name; m_log += what; m_log += ' '; }
    char m_name;
    std::string& m_log;
};

TEST(PropertySheets, NotificationsAndResultsOfOkAndCancel)
{
    // A and B are the pages; S set active, K/k left (saved / refused), O OK,
    // C cancelled. The sheet starts on B.
    struct Case { const char* name; void (*drive)(HWND); INT_PTR result; const char* log; int a; int b; };
    const Case cases[] = {
        { "OK at once: only the page shown gets OK",
          [](HWND h) { SetDlgItemTextW(CurrentPage(h), IDC_PAGE_EDIT, L"22"); Click(h, IDOK); },
          IDOK, "BS BK BO ", 1, 22 },
        { "both pages shown, then OK",
          [](HWND h) {
              SendMessageW(h, PSM_SETCURSEL, 0, 0);
              SetDlgItemTextW(CurrentPage(h), IDC_PAGE_EDIT, L"11");
              Click(h, IDOK);
          },
          IDOK, "BS BK AS AK AO BO ", 11, 2 },
        { "a refused value keeps the page, a good one then passes",
          [](HWND h) {
              SetDlgItemTextW(CurrentPage(h), IDC_PAGE_EDIT, L"x");
              SendMessageW(h, PSM_SETCURSEL, 0, 0);
              Click(h, IDOK);
              SetDlgItemTextW(CurrentPage(h), IDC_PAGE_EDIT, L"5");
              Click(h, IDOK);
          },
          IDOK, "BS Bk Bk BK BO ", 1, 5 },
        { "Cancel: no OK, nothing saved on the current page",
          [](HWND h) {
              SetDlgItemTextW(CurrentPage(h), IDC_PAGE_EDIT, L"9");
              Click(h, IDCANCEL);
          },
          IDCANCEL, "BS BC ", 1, 2 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string log;
        LoggingPage a(IDD_EXTRA_PAGE, 'A', log);
        LoggingPage b(IDD_EXTRA_SECOND_PAGE, 'B', log);
        a.m_nValue = 1;
        b.m_nValue = 2;
        CPropertySheet sheet(L"框架属性表", nullptr, 1);
        sheet.AddPage(&a);
        sheet.AddPage(&b);
        EXPECT_EQ(2, sheet.GetPageCount());
        ModalWatchdog watchdog(15000);
        CPropertyPage* pActive = nullptr;
        TimedAction drive(300, [&] {
            HWND hSheet = FindSheet(L"框架属性表");
            pActive = sheet.GetActivePage();
            if (hSheet != nullptr)
                c.drive(hSheet);
        });
        const size_t nBoxes = theTestApp.m_boxes.size();
        EXPECT_EQ(c.result, sheet.DoModal());
        EXPECT_FALSE(watchdog.Fired());
        EXPECT_EQ(&b, pActive);
        EXPECT_EQ(std::string(c.log), log);
        EXPECT_EQ(c.a, a.m_nValue);
        EXPECT_EQ(c.b, b.m_nValue);
        // One conversion message per refusal.
        size_t nRefusals = 0;
        for (size_t i = 0; c.log[i] != 0; ++i)
            nRefusals += c.log[i] == 'k';
        EXPECT_EQ(nBoxes + nRefusals, theTestApp.m_boxes.size());
        EXPECT_EQ(nullptr, sheet.m_hWnd);
        EXPECT_EQ(nullptr, a.m_hWnd);
        EXPECT_EQ(nullptr, b.m_hWnd);
    }
}

TEST(PropertySheets, PageFromItsTemplateWithUnicodeComboItems)
{
    std::string log;
    LoggingPage a(IDD_EXTRA_PAGE, 'A', log);
    CPropertySheet sheet(L"框架属性表", nullptr, 0);
    sheet.AddPage(&a);
    CString items[2];
    int nCount = -1;
    CString caption;
    ModalWatchdog watchdog(15000);
    TimedAction drive(300, [&] {
        HWND hSheet = FindSheet(L"框架属性表");
        if (hSheet == nullptr)
            return;
        nCount = a.m_combo.GetCount();
        for (int i = 0; i < 2 && i < nCount; ++i)
            a.m_combo.GetLBText(i, items[i]);
        sheet.GetWindowText(caption);
        Click(hSheet, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_EQ(2, nCount);
    EXPECT_EQ(CString(L"界面对象"), items[0]);
    EXPECT_EQ(CString(L"活动程序客户区"), items[1]);
    EXPECT_EQ(CString(L"框架属性表"), caption);
}

TEST(PropertySheets, SheetsThatCannotBeShown)
{
    std::string log;
    CPropertySheet empty(L"空");
    EXPECT_EQ(-1, empty.DoModal());

    LoggingPage good(IDD_EXTRA_PAGE, 'A', log);
    LoggingPage missing(IDD_MISSING, 'M', log);
    CPropertySheet sheet(L"缺页");
    sheet.AddPage(&good);
    sheet.AddPage(&missing);
    EXPECT_EQ(-1, sheet.DoModal());
    EXPECT_EQ(std::string(), log);
}

// The sheet sizes its page area in its own (smaller) dialog units; a page in a
// larger font must still fit whole: its corner button lies inside the tab
// control's display area, on the first page shown and on one shown later.
TEST(PropertySheets, PagesInALargerFontFitTheSheet)
{
    for (UINT nStartPage : { 0u, 1u }) {
        SCOPED_TRACE(nStartPage);
        std::string log;
        LoggingPage small(IDD_EXTRA_SECOND_PAGE, 'A', log);
        CPropertyPage large(IDD_LARGE_FONT_PAGE);
        CPropertySheet sheet(L"大字属性表", nullptr, nStartPage);
        sheet.AddPage(&small);
        sheet.AddPage(&large);
        RECT button = {}, area = {};
        bool bMeasured = false;
        ModalWatchdog watchdog(15000);
        TimedAction drive(300, [&] {
            HWND hSheet = FindSheet(L"大字属性表");
            if (hSheet == nullptr)
                return;
            SendMessageW(hSheet, PSM_SETCURSEL, 1, 0);
            MessagePump::PumpFor(50);
            HWND hButton = GetDlgItem(CurrentPage(hSheet), IDC_PAGE_CORNER_BUTTON);
            HWND hTab = reinterpret_cast<HWND>(SendMessageW(hSheet, PSM_GETTABCONTROL, 0, 0));
            if (hButton != nullptr && hTab != nullptr) {
                GetWindowRect(hButton, &button);
                GetClientRect(hTab, &area);
                TabCtrl_AdjustRect(hTab, FALSE, &area);
                MapWindowPoints(hTab, nullptr, reinterpret_cast<POINT*>(&area), 2);
                bMeasured = true;
            }
            Click(hSheet, IDCANCEL);
        });
        EXPECT_EQ(IDCANCEL, sheet.DoModal());
        ASSERT_TRUE(bMeasured);
        EXPECT_GE(button.left, area.left);
        EXPECT_GE(button.top, area.top);
        EXPECT_LE(button.right, area.right) << "button " << button.right << ", page area " << area.right;
        EXPECT_LE(button.bottom, area.bottom) << "button " << button.bottom << ", page area " << area.bottom;
    }
}

} // namespace
