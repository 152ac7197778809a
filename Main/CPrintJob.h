// CPrintJob: one use of the platform's print dialog and, for printing, one
// document of one page on the printer it returns. The object owns all that
// the dialog hands out (the device-mode and device-names blocks and the
// printer DC) and releases it in its destructor on every path; a document
// that was started and not ended is aborted there.
#pragma once

#include "PlatformTypes.h"

class CPrintJob
{
public:
    CPrintJob();
    ~CPrintJob();

    CPrintJob(const CPrintJob&) = delete;
    CPrintJob& operator=(const CPrintJob&) = delete;

    // The print form (bSetup FALSE: all pages, copies and collation by the
    // driver, no page numbers, no selection, print-to-file hidden; returns a
    // printer DC) or the print set-up form (bSetup TRUE). TRUE when closed
    // with OK and, for the print form, a printer DC came back.
    BOOL ShowDialog(HWND hWndOwner, BOOL bSetup);
    // Starts document lpszDocName and its page, one logical unit per device
    // pixel; FALSE when the document does not start.
    BOOL StartPage(LPCTSTR lpszDocName);
    // Ends the page and the document.
    void EndPage();

    HDC GetDC() const { return m_hDC; }

private:
    HGLOBAL m_hDevMode;
    HGLOBAL m_hDevNames;
    HDC m_hDC;
    BOOL m_bDocStarted;
};
