// CPropertyPage: one page of a CPropertySheet, a child dialog made from a
// DIALOGEX template (style WS_CHILD | WS_CAPTION; the template's caption is
// the tab's title). The template is found through AfxFindResourceHandle when
// the sheet is shown, and its dialog-init data fills combo and list boxes as
// for any dialog.
//
// The page's window exists from the first time the page is shown until the
// sheet closes; pages never shown keep their member values untouched. The
// sheet's notifications reach the page as virtual functions:
//   PSN_SETACTIVE   OnSetActive()   the page is about to be shown
//   PSN_KILLACTIVE  OnKillActive()  the page is being left (another tab, or
//                                   OK): UpdateData(TRUE); FALSE keeps the
//                                   page, and the sheet stays open
//   PSN_APPLY       OnApply()       OK was pressed: run for every page that
//                                   has a window, it calls OnOK()
//   PSN_RESET       OnCancel()      the sheet was cancelled
// m_psp is the page record given to the system; PSP_HASHELP is off by default
// and a page sets more PSP_ flags there before the sheet is shown.
//
// The sheet sizes its page area from the pages' templates read in its own
// dialog units ("MS Shell Dlg", 8 points), while a page lays out its controls
// in the units of its template's font. So the sheet gets a copy of the
// template whose width and height are grown, by the ratio of the two fonts'
// dialog base units, to cover the page's real pixel size (never shrunk): a
// page in 9-point SimSun, base units 7 x 14 under Wine against the sheet's
// 6 x 13, needs 485 x 394 pixels for 277 x 225 units, which the sheet reads
// as 324 x 243 of its own units. The page itself keeps its font and layout.
#pragma once

#include "FrameworkApi.h"
#include "PlatformTypes.h"
#include "CDialog.h"

#include <prsht.h>

#include <memory>

class CPropertySheet;

class FRAMEWORK_API CPropertyPage : public CDialog
{
    DECLARE_DYNAMIC(CPropertyPage)
public:
    explicit CPropertyPage(UINT nIDTemplate);
    ~CPropertyPage() override;

    CPropertyPage(const CPropertyPage&) = delete;
    CPropertyPage& operator=(const CPropertyPage&) = delete;

    PROPSHEETPAGEW m_psp;

    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    virtual BOOL OnApply();
    // Confirmation of the sheet, after the page's data were saved when it
    // was left. The base does nothing (it never ends a dialog of its own).
    void OnOK() override;
    void OnCancel() override;

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    friend class CPropertySheet;
    // Fills m_psp for the sheet: a copy of the template found through the
    // framework's resource lookup, sized in the sheet's dialog units; FALSE
    // when there is none.
    BOOL PrepareForSheet();
    static INT_PTR CALLBACK PageDialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    // The sheet the page was added to (told when OK confirms it).
    CPropertySheet* m_pSheet;
    // The template copy handed to the sheet, sized in the sheet's units.
    struct SheetTemplate;
    std::unique_ptr<SheetTemplate> m_pSheetTemplate;
};
