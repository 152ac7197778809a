// CGdiplusFileDialog: the base of the image file dialogs, a file dialog whose
// file types are the image codecs GDI+ has installed. A concrete dialog
// chooses the codecs (FillCodecInfoArray) and builds the filter from them in
// the framework's "|" form (ConstructMFCStyleFilter); DoModal then shows it.
#pragma once

#include "TesLibApi.h"
#include "PlatformTypes.h"
#include "CFileDialog.h"
#include "CGdiplusCodecList.h"

class TESLIB_API CGdiplusFileDialog : public CFileDialog
{
    DECLARE_DYNAMIC(CGdiplusFileDialog)
public:
    // bOpenFileDialog: TRUE for the open dialog, FALSE for save-as.
    // lpszFileName: the initial name, may be null. pParentWnd may be null.
    CGdiplusFileDialog(BOOL bOpenFileDialog, const wchar_t* lpszFileName, DWORD dwFlags, CWnd* pParentWnd);
    ~CGdiplusFileDialog() override;

    // Shows the dialog once GDI+ has been found started: the codecs are read
    // and the filter is built now. IDOK or IDCANCEL as the file dialog
    // reports; IDCANCEL without showing anything when GDI+ has not been
    // started, or when a save-as dialog finds no encoder to offer.
    INT_PTR DoModal() override;

    // The dialog's window is going: the codec descriptions go with it.
    void OnDestroy();

protected:
    DECLARE_MESSAGE_MAP()

    // Fills m_codecs with the codecs in the order GDI+ lists them.
    virtual void FillCodecInfoArray() = 0;
    // Builds the filter in m_strFilter, parts ended by "|".
    virtual void ConstructMFCStyleFilter() = 0;

    // Turns the "|" filter in m_strFilter into the system's form in place
    // (every "|" becomes a NUL) and points m_ofn.lpstrFilter at it; an empty
    // filter is left alone.
    void TranslateFilter();
    // One filter entry per codec, in array order: the format, " 文件(", the
    // pattern list and ")", then the pattern list, each part ended by "|".
    CString FormatTypeEntries() const;

    // The codecs offered, read each time the dialog is shown.
    CGdiplusCodecList m_codecs;
};
