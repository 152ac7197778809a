// CPrintJob: one print of the program: the print dialog (the framework's
// CPrintDialog, which owns the printer's DEVMODE and DEVNAMES blocks) and,
// once confirmed, one document of one page on the printer DC it returns. The
// object deletes that DC in its destructor on every path, and aborts a
// document that was started and not ended.
#pragma once

#include "CPrintDialog.h"
#include "PlatformTypes.h"

class CWnd;

class CPrintJob
{
public:
    explicit CPrintJob(CWnd* pParentWnd);
    ~CPrintJob();

    CPrintJob(const CPrintJob&) = delete;
    CPrintJob& operator=(const CPrintJob&) = delete;

    // The print form (all pages, copies and collation by the driver, no page
    // numbers, no selection, print-to-file hidden). TRUE when it was closed
    // with OK and returned a printer DC.
    BOOL ChoosePrinter();
    // Starts document lpszDocName and its page, one logical unit per device
    // pixel; FALSE when the document does not start.
    BOOL StartPage(LPCTSTR lpszDocName);
    // Ends the page and the document.
    void EndPage();

    HDC GetDC() const { return m_hDC; }

private:
    CPrintDialog m_dialog;
    HDC m_hDC;
    BOOL m_bDocStarted;
};
