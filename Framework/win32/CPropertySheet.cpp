// CPropertySheet: a modal property sheet (see CPropertySheet.h).
#include "CPropertySheet.h"
#include "CPropertyPage.h"

#include <commctrl.h>
#include <vector>

namespace {

// The sheet whose PropertySheetW call is running (the system's callback has
// no user data); sheets are modal, one at a time per thread.
CPropertySheet* g_pStartingSheet = nullptr;

// A DLGTEMPLATEEX starts with version 1 and the signature 0xFFFF.
struct DialogTemplateStyles
{
    DWORD* pStyle;
    DWORD* pExStyle;
};

DialogTemplateStyles StylesOf(void* pTemplate)
{
    WORD* pWords = static_cast<WORD*>(pTemplate);
    if (pWords[1] == 0xFFFF) {
        BYTE* p = static_cast<BYTE*>(pTemplate);
        return { reinterpret_cast<DWORD*>(p + 12), reinterpret_cast<DWORD*>(p + 8) };
    }
    DLGTEMPLATE* pPlain = static_cast<DLGTEMPLATE*>(pTemplate);
    return { &pPlain->style, &pPlain->dwExtendedStyle };
}

} // namespace

struct CPropertySheet::Pages
{
    std::vector<CPropertyPage*> list;
};

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_psh(), m_strCaption(pszCaption != nullptr ? pszCaption : L""), m_pParentWnd(pParentWnd),
      m_pPages(new Pages), m_bConfirmed(FALSE)
{
    m_psh.dwSize = sizeof(PROPSHEETHEADERW);
    m_psh.dwFlags = PSH_NOAPPLYNOW;
    m_psh.nStartPage = iSelectPage;
}

CPropertySheet::~CPropertySheet()
{
    if (m_hWnd != nullptr)
        Detach();
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (pPage == nullptr)
        return;
    pPage->m_pSheet = this;
    m_pPages->list.push_back(pPage);
}

int CPropertySheet::GetPageCount() const
{
    return static_cast<int>(m_pPages->list.size());
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    if (nPage < 0 || nPage >= GetPageCount())
        return nullptr;
    return m_pPages->list[static_cast<size_t>(nPage)];
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    HWND hPage = reinterpret_cast<HWND>(::SendMessageW(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0));
    for (CPropertyPage* pPage : m_pPages->list) {
        if (pPage->m_hWnd != nullptr && pPage->m_hWnd == hPage)
            return pPage;
    }
    return nullptr;
}

int CALLBACK CPropertySheet::SheetCallback(HWND hWnd, UINT message, LPARAM lParam)
{
    if (message == PSCB_PRECREATE && lParam != 0) {
        // No context-help button in the caption.
        DialogTemplateStyles styles = StylesOf(reinterpret_cast<void*>(lParam));
        *styles.pStyle &= ~static_cast<DWORD>(DS_CONTEXTHELP);
        *styles.pExStyle &= ~static_cast<DWORD>(WS_EX_CONTEXTHELP);
    } else if (message == PSCB_INITIALIZED && g_pStartingSheet != nullptr && g_pStartingSheet->m_hWnd == nullptr) {
        g_pStartingSheet->Attach(hWnd);
    }
    return 0;
}

INT_PTR CPropertySheet::DoModal()
{
    if (m_pPages->list.empty() || m_hWnd != nullptr)
        return -1;
    std::vector<PROPSHEETPAGEW> records;
    for (CPropertyPage* pPage : m_pPages->list) {
        if (!pPage->PrepareForSheet())
            return -1;
        records.push_back(pPage->m_psp);
    }

    HWND hWndParent = m_pParentWnd != nullptr ? m_pParentWnd->GetSafeHwnd() : nullptr;
    if (hWndParent == nullptr) {
        CWnd* pMain = AfxGetMainWnd();
        if (pMain != nullptr && ::IsWindow(pMain->GetSafeHwnd()))
            hWndParent = pMain->GetSafeHwnd();
    }
    if (hWndParent != nullptr)
        hWndParent = ::GetAncestor(hWndParent, GA_ROOT);

    m_psh.dwSize = sizeof(PROPSHEETHEADERW);
    m_psh.dwFlags |= PSH_PROPSHEETPAGE | PSH_USECALLBACK;
    m_psh.dwFlags &= ~static_cast<DWORD>(PSH_MODELESS);
    m_psh.hwndParent = hWndParent;
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.pszCaption = m_strCaption.GetString();
    m_psh.nPages = static_cast<UINT>(records.size());
    if (m_psh.nStartPage >= m_psh.nPages)
        m_psh.nStartPage = 0;
    m_psh.ppsp = records.data();
    m_psh.pfnCallback = &SheetCallback;

    m_bConfirmed = FALSE;
    CPropertySheet* pPrevious = g_pStartingSheet;
    g_pStartingSheet = this;
    const INT_PTR nResult = ::PropertySheetW(&m_psh);
    g_pStartingSheet = pPrevious;
    m_psh.ppsp = nullptr;
    if (m_hWnd != nullptr)
        Detach();
    if (nResult < 0)
        return -1;
    return (m_bConfirmed || nResult > 0) ? IDOK : IDCANCEL;
}
