// CPrintJob: print dialog, printer DC and one page, all released on every path.
#include "CPrintJob.h"

#include <windows.h>

CPrintJob::CPrintJob(CWnd* pParentWnd)
    : m_dialog(FALSE,
               PD_ALLPAGES | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE,
               pParentWnd),
      m_hDC(nullptr), m_bDocStarted(FALSE)
{
}

CPrintJob::~CPrintJob()
{
    if (m_bDocStarted)
        ::AbortDoc(m_hDC);
    if (m_hDC != nullptr)
        ::DeleteDC(m_hDC);
}

BOOL CPrintJob::ChoosePrinter()
{
    if (m_dialog.DoModal() != IDOK)
        return FALSE;
    m_hDC = m_dialog.GetPrinterDC();
    return m_hDC != nullptr;
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
