// CPrintDialog: the common print dialog (see CPrintDialog.h).
#include "CPrintDialog.h"
#include "Afx.h"
#include "CWnd.h"

#include <cstddef>

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
    : m_pd(), m_pParentWnd(pParentWnd)
{
    m_pd.lStructSize = sizeof(PRINTDLGW);
    m_pd.Flags = dwFlags;
    if (bPrintSetupOnly)
        m_pd.Flags |= PD_PRINTSETUP;
    else
        m_pd.Flags |= PD_RETURNDC;
    m_pd.nCopies = 1;
}

CPrintDialog::~CPrintDialog()
{
    FreePrinterData();
}

void CPrintDialog::FreePrinterData()
{
    if (m_pd.hDC != nullptr)
        ::DeleteDC(m_pd.hDC);
    m_pd.hDC = nullptr;
    if (m_pd.hDevMode != nullptr)
        ::GlobalFree(m_pd.hDevMode);
    m_pd.hDevMode = nullptr;
    if (m_pd.hDevNames != nullptr)
        ::GlobalFree(m_pd.hDevNames);
    m_pd.hDevNames = nullptr;
}

INT_PTR CPrintDialog::DoModal()
{
    HWND hWndOwner = m_pParentWnd != nullptr ? m_pParentWnd->GetSafeHwnd() : nullptr;
    if (hWndOwner == nullptr) {
        CWnd* pMain = AfxGetMainWnd();
        if (pMain != nullptr && ::IsWindow(pMain->GetSafeHwnd()))
            hWndOwner = pMain->GetSafeHwnd();
    }
    m_pd.hwndOwner = hWndOwner;
    // A context of an earlier run would be lost when the dialog makes a new one.
    if (m_pd.hDC != nullptr) {
        ::DeleteDC(m_pd.hDC);
        m_pd.hDC = nullptr;
    }
    return ::PrintDlgW(&m_pd) ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults()
{
    // The default printer replaces whatever the object held.
    FreePrinterData();
    const DWORD dwFlags = m_pd.Flags;
    m_pd.Flags |= PD_RETURNDEFAULT;
    m_pd.hwndOwner = nullptr;
    const BOOL bOk = ::PrintDlgW(&m_pd);
    m_pd.Flags = dwFlags;
    return bOk;
}

HDC CPrintDialog::GetPrinterDC()
{
    HDC hDC = m_pd.hDC;
    m_pd.hDC = nullptr;
    return hDC;
}

CString CPrintDialog::DevNamesString(size_t nOffsetField) const
{
    CString result;
    if (m_pd.hDevNames == nullptr)
        return result;
    const DEVNAMES* pNames = static_cast<const DEVNAMES*>(::GlobalLock(m_pd.hDevNames));
    if (pNames == nullptr)
        return result;
    const WORD* pOffset = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(pNames) + nOffsetField);
    result = reinterpret_cast<const wchar_t*>(pNames) + *pOffset;
    ::GlobalUnlock(m_pd.hDevNames);
    return result;
}

CString CPrintDialog::GetDeviceName() const
{
    return DevNamesString(offsetof(DEVNAMES, wDeviceOffset));
}

CString CPrintDialog::GetDriverName() const
{
    return DevNamesString(offsetof(DEVNAMES, wDriverOffset));
}

CString CPrintDialog::GetPortName() const
{
    return DevNamesString(offsetof(DEVNAMES, wOutputOffset));
}
