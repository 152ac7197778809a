// CPrintJob: print dialog, printer DC and one page, all released on every path.
#include "CPrintJob.h"

#include <windows.h>
#include <commdlg.h>

CPrintJob::CPrintJob() : m_hDevMode(nullptr), m_hDevNames(nullptr), m_hDC(nullptr), m_bDocStarted(FALSE)
{
}

CPrintJob::~CPrintJob()
{
    if (m_bDocStarted)
        ::AbortDoc(m_hDC);
    if (m_hDC != nullptr)
        ::DeleteDC(m_hDC);
    if (m_hDevMode != nullptr)
        ::GlobalFree(m_hDevMode);
    if (m_hDevNames != nullptr)
        ::GlobalFree(m_hDevNames);
}

BOOL CPrintJob::ShowDialog(HWND hWndOwner, BOOL bSetup)
{
    PRINTDLGW pd = {};
    pd.lStructSize = sizeof(pd);
    pd.hwndOwner = hWndOwner;
    pd.Flags = PD_ALLPAGES | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE;
    pd.Flags |= bSetup ? PD_PRINTSETUP : PD_RETURNDC;
    pd.nCopies = 1;
    const BOOL bOK = ::PrintDlgW(&pd);
    // Whatever the dialog returned is ours to free, also after Cancel.
    m_hDevMode = pd.hDevMode;
    m_hDevNames = pd.hDevNames;
    m_hDC = pd.hDC;
    return bOK && (bSetup || m_hDC != nullptr);
}

BOOL CPrintJob::StartPage(LPCTSTR lpszDocName)
{
    DOCINFOW doc = {};
    doc.cbSize = sizeof(doc);
    doc.lpszDocName = lpszDocName;
    if (m_hDC == nullptr || ::StartDocW(m_hDC, &doc) <= 0)
        return FALSE;
    m_bDocStarted = TRUE;
    ::StartPage(m_hDC);
    ::SetMapMode(m_hDC, MM_TEXT);
    return TRUE;
}

void CPrintJob::EndPage()
{
    if (!m_bDocStarted)
        return;
    ::EndPage(m_hDC);
    ::EndDoc(m_hDC);
    m_bDocStarted = FALSE;
}
