// CPropertySheet: a modal property sheet (PropertySheetW) over a list of
// CPropertyPage objects, which the caller owns and which outlive DoModal.
//
// The sheet has no Apply button and no Help button (PSH_NOAPPLYNOW set,
// PSH_HASHELP clear in m_psh, which a caller may change before DoModal). The
// page shown first is the one given at construction. OK runs the current
// page's data exchange (a refused value keeps the page and the sheet open),
// then the OK handling of every page that was shown; Cancel runs none.
// While the sheet is shown the object is attached to its window (m_hWnd).
#pragma once

#include "FrameworkApi.h"
#include "PlatformTypes.h"
#include "CString.h"
#include "CWnd.h"

#include <prsht.h>

#include <memory>

class CPropertyPage;

class FRAMEWORK_API CPropertySheet : public CWnd
{
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CPropertySheet() override;

    CPropertySheet(const CPropertySheet&) = delete;
    CPropertySheet& operator=(const CPropertySheet&) = delete;

    PROPSHEETHEADERW m_psh;

    void AddPage(CPropertyPage* pPage);
    int GetPageCount() const;
    CPropertyPage* GetPage(int nPage) const;
    // The page shown now (while the sheet is shown), else null.
    CPropertyPage* GetActivePage() const;

    // IDOK when the sheet was confirmed, IDCANCEL when it was cancelled, -1
    // when it could not be shown (a page without its template, no pages).
    virtual INT_PTR DoModal();

private:
    friend class CPropertyPage;
    static int CALLBACK SheetCallback(HWND hWnd, UINT message, LPARAM lParam);

    CString m_strCaption;
    CWnd* m_pParentWnd;
    struct Pages;
    std::unique_ptr<Pages> m_pPages;
    BOOL m_bConfirmed;
};
