// CPropertyPage: a page of a property sheet (see CPropertyPage.h).
#include "CPropertyPage.h"
#include "CPropertySheet.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage(UINT nIDTemplate) : CDialog(nIDTemplate, nullptr), m_psp(), m_pSheet(nullptr)
{
    m_psp.dwSize = sizeof(PROPSHEETPAGEW);
    m_psp.dwFlags = PSP_DEFAULT;
}

CPropertyPage::~CPropertyPage() = default;

BOOL CPropertyPage::PrepareForSheet()
{
    LPCWSTR lpszType = reinterpret_cast<LPCWSTR>(RT_DIALOG);
    HINSTANCE hModule = AfxFindResourceHandle(m_lpszTemplateName, lpszType);
    HRSRC hResource = FindResourceW(hModule, m_lpszTemplateName, lpszType);
    if (hResource == nullptr)
        return FALSE;
    HGLOBAL hTemplate = LoadResource(hModule, hResource);
    const void* pTemplate = hTemplate ? LockResource(hTemplate) : nullptr;
    if (pTemplate == nullptr)
        return FALSE;
    m_hTemplateModule = hModule;
    m_psp.dwSize = sizeof(PROPSHEETPAGEW);
    m_psp.dwFlags |= PSP_DLGINDIRECT;
    m_psp.hInstance = hModule;
    m_psp.pResource = static_cast<LPCDLGTEMPLATEW>(pTemplate);
    m_psp.pfnDlgProc = &PageDialogProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    return TRUE;
}

INT_PTR CALLBACK CPropertyPage::PageDialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    // Every message but the first reaches the object through the framework's
    // window procedure, which the page's window gets here.
    if (message != WM_INITDIALOG)
        return FALSE;
    const PROPSHEETPAGEW* pPsp = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
    CPropertyPage* pPage = pPsp != nullptr ? reinterpret_cast<CPropertyPage*>(pPsp->lParam) : nullptr;
    if (pPage == nullptr)
        return TRUE;
    if (pPage->m_hWnd == nullptr && !pPage->SubclassWindow(hWnd))
        return TRUE;
    try {
        return pPage->OnInitDialog();
    } catch (...) {
        // No exception may unwind through the dialog manager.
        return FALSE;
    }
}

BOOL CPropertyPage::OnSetActive()
{
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnOK()
{
}

void CPropertyPage::OnCancel()
{
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR == nullptr || m_hWnd == nullptr || pNMHDR->hwndFrom != ::GetParent(m_hWnd))
        return CDialog::OnNotify(wParam, lParam, pResult);
    switch (pNMHDR->code) {
    case PSN_SETACTIVE:
        *pResult = OnSetActive() ? 0 : -1;
        break;
    case PSN_KILLACTIVE:
        // Non-zero keeps the page (and the sheet) open.
        *pResult = OnKillActive() ? FALSE : TRUE;
        break;
    case PSN_APPLY:
        if (OnApply()) {
            *pResult = PSNRET_NOERROR;
            if (reinterpret_cast<PSHNOTIFY*>(pNMHDR)->lParam && m_pSheet != nullptr)
                m_pSheet->m_bConfirmed = TRUE;
        } else {
            *pResult = PSNRET_INVALID_NOCHANGEPAGE;
        }
        break;
    case PSN_RESET:
        OnCancel();
        *pResult = 0;
        break;
    default:
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
    // The sheet reads the answer from the message result (and, as for any
    // dialog, from DWLP_MSGRESULT).
    ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, *pResult);
    return TRUE;
}
