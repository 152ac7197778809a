// CGdiplusFileSaveAsDialog: the save-as dialog for pictures; one file type per
// installed GDI+ encoder, and the encoder the file is to be written with: the
// one of the chosen type, or the one whose extension the user typed.
#pragma once

#include "TesLibApi.h"
#include "CGdiplusFileDialog.h"

class TESLIB_API CGdiplusFileSaveAsDialog : public CGdiplusFileDialog
{
    DECLARE_DYNAMIC(CGdiplusFileSaveAsDialog)
public:
    explicit CGdiplusFileSaveAsDialog(const wchar_t* lpszFileName = nullptr,
                                      DWORD dwFlags = OFN_EXPLORER | OFN_OVERWRITEPROMPT, CWnd* pParentWnd = nullptr);

    // The encoder's class identifier; after DoModal returned IDOK, the one to
    // write the file with.
    GUID GetCodecCLSID() const;
    // The extension of the name now in the dialog's file-name box (the text
    // after its last "."); empty when it has none or the dialog is not shown.
    CString GetFileExt() const;

protected:
    // The installed encoders.
    void FillCodecInfoArray() override;
    // One type per encoder, in codec order.
    void ConstructMFCStyleFilter() override;

    // The default extension and the encoder of the chosen type.
    void SetDefaultExt();
    void SetCurrentCodecCLSID();

    void OnInitDone() override;
    void OnTypeChange() override;
    // A typed extension chooses the encoder that knows it; one that no
    // encoder knows keeps the dialog open (non-zero), silently.
    BOOL OnFileNameOK() override;

private:
    // The codec of the chosen type; null when the index lies outside the array.
    const CGdiplusCodecInfo* SelectedCodec() const;

    GUID m_clsidCurrent;
};
