// CPrintDialog: the common print dialog (PrintDlgW), in its print form or its
// print set-up form, and the default printer without a dialog (GetDefaults).
//
// Ownership: the printer's DEVMODE and DEVNAMES blocks (m_pd.hDevMode,
// m_pd.hDevNames) belong to the object and are freed when it goes, whatever
// happened in between. The device context the dialog made (PD_RETURNDC)
// belongs to the object too until GetPrinterDC hands it to the caller, who
// then deletes it (DeleteDC); a context never taken is deleted with the
// object.
#pragma once

#include "FrameworkApi.h"
#include "PlatformTypes.h"
#include "CString.h"

#include <commdlg.h>

class CWnd;

class FRAMEWORK_API CPrintDialog
{
public:
    // bPrintSetupOnly: the set-up form (PD_PRINTSETUP). dwFlags: PD_ flags;
    // PD_RETURNDC is always added to the print form.
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS
                                          | PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                          CWnd* pParentWnd = nullptr);
    virtual ~CPrintDialog();

    CPrintDialog(const CPrintDialog&) = delete;
    CPrintDialog& operator=(const CPrintDialog&) = delete;

    // Shows the dialog, owned by the parent (else the application's main
    // window); IDOK or IDCANCEL.
    virtual INT_PTR DoModal();
    // Fills the object from the default printer without showing anything
    // (with a device context in the print form); FALSE when there is none.
    BOOL GetDefaults();
    // The printer device context of the last DoModal/GetDefaults, handed over
    // to the caller (null when there is none or it was taken already).
    HDC GetPrinterDC();
    // From DEVNAMES: the printer's name, driver and port (empty when unknown).
    CString GetDeviceName() const;
    CString GetDriverName() const;
    CString GetPortName() const;

    PRINTDLGW m_pd;

private:
    CString DevNamesString(size_t nOffsetField) const;
    void FreePrinterData();
    CWnd* m_pParentWnd;
};
