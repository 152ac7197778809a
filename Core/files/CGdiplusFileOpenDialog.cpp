// CGdiplusFileOpenDialog: the open dialog for pictures (see
// CGdiplusFileOpenDialog.h).
#include "CGdiplusFileOpenDialog.h"

IMPLEMENT_DYNAMIC(CGdiplusFileOpenDialog, CGdiplusFileDialog)

CGdiplusFileOpenDialog::CGdiplusFileOpenDialog(const wchar_t* lpszFileName, DWORD dwFlags, CWnd* pParentWnd)
    : CGdiplusFileDialog(TRUE, lpszFileName, dwFlags, pParentWnd)
{
}

void CGdiplusFileOpenDialog::FillCodecInfoArray()
{
    m_codecs.Read(FALSE);
}

void CGdiplusFileOpenDialog::ConstructMFCStyleFilter()
{
    // "所有支持的图像文件|": all supported image files.
    CString strAll(L"\x6240\x6709\x652F\x6301\x7684\x56FE\x50CF\x6587\x4EF6|");
    const INT_PTR nCount = m_codecs.GetSize();
    for (INT_PTR i = 0; i < nCount; ++i) {
        strAll += m_codecs.GetAt(i).GetExtensions();
        if (i + 1 < nCount)
            strAll += L";";
    }
    const CString strTypes = FormatTypeEntries();
    m_strFilter.Format(L"%s|%s|", static_cast<LPCTSTR>(strAll), static_cast<LPCTSTR>(strTypes));
}
