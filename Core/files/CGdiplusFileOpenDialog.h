// CGdiplusFileOpenDialog: the open dialog for pictures; its file types are
// "all supported image files" followed by one type per installed GDI+ decoder.
#pragma once

#include "TesLibApi.h"
#include "CGdiplusFileDialog.h"

class TESLIB_API CGdiplusFileOpenDialog : public CGdiplusFileDialog
{
    DECLARE_DYNAMIC(CGdiplusFileOpenDialog)
public:
    explicit CGdiplusFileOpenDialog(const wchar_t* lpszFileName = nullptr,
                                    DWORD dwFlags = OFN_EXPLORER | OFN_HIDEREADONLY, CWnd* pParentWnd = nullptr);

protected:
    // The installed decoders.
    void FillCodecInfoArray() override;
    // "所有支持的图像文件" with every decoder's patterns joined by ";", then
    // one type per decoder.
    void ConstructMFCStyleFilter() override;
};
