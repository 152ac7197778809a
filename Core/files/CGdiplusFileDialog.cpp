// CGdiplusFileDialog: the codec-aware image file dialog base (see
// CGdiplusFileDialog.h).
#include "CGdiplusFileDialog.h"

// GDI+ needs the COM declarations that the lean Windows header leaves out.
#include <objidl.h>
#include <gdiplus.h>

namespace {

// The status GDI+ reports for any call made before GdiplusStartup.
const Gdiplus::GpStatus kGdiplusNotInitialized = Gdiplus::GdiplusNotInitialized;

// A 1 x 1 bitmap without pixel memory whose creation tells whether GDI+ has
// been started; disposed with the object.
class CGdiplusProbe
{
public:
    CGdiplusProbe() : m_pBitmap(nullptr)
    {
        m_status = Gdiplus::DllExports::GdipCreateBitmapFromScan0(1, 1, 0, PixelFormat32bppARGB, nullptr, &m_pBitmap);
    }
    ~CGdiplusProbe()
    {
        if (m_pBitmap != nullptr)
            Gdiplus::DllExports::GdipDisposeImage(m_pBitmap);
    }
    CGdiplusProbe(const CGdiplusProbe&) = delete;
    CGdiplusProbe& operator=(const CGdiplusProbe&) = delete;

    bool NotStarted() const { return m_status == kGdiplusNotInitialized; }

private:
    Gdiplus::GpBitmap* m_pBitmap;
    Gdiplus::GpStatus m_status;
};

} // namespace

IMPLEMENT_DYNAMIC(CGdiplusFileDialog, CFileDialog)

BEGIN_MESSAGE_MAP(CGdiplusFileDialog, CFileDialog)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CGdiplusFileDialog::CGdiplusFileDialog(BOOL bOpenFileDialog, const wchar_t* lpszFileName, DWORD dwFlags,
                                       CWnd* pParentWnd)
    : CFileDialog(bOpenFileDialog, nullptr, lpszFileName, dwFlags, nullptr, pParentWnd, 0, TRUE)
{
}

CGdiplusFileDialog::~CGdiplusFileDialog() = default;

INT_PTR CGdiplusFileDialog::DoModal()
{
    CGdiplusProbe probe;
    if (probe.NotStarted())
        return IDCANCEL;

    m_codecs.RemoveAll();
    FillCodecInfoArray();
    // Without an encoder there is no type to choose and no encoder to report:
    // a save-as dialog could only refuse every name.
    if (!m_bOpenFileDialog && m_codecs.IsEmpty())
        return IDCANCEL;
    ConstructMFCStyleFilter();
    TranslateFilter();
    // Index 0 names a custom filter, which these dialogs have not: the first
    // type is the one shown, and its index is 1.
    if (m_ofn.nFilterIndex == 0)
        m_ofn.nFilterIndex = 1;
    return CFileDialog::DoModal();
}

void CGdiplusFileDialog::OnDestroy()
{
    CFileDialog::OnDestroy();
    m_codecs.RemoveAll();
}

void CGdiplusFileDialog::TranslateFilter()
{
    if (m_strFilter.IsEmpty())
        return;
    wchar_t* pFilter = m_strFilter.GetBuffer();
    const int nLength = m_strFilter.GetLength();
    for (int i = 0; i < nLength; ++i) {
        if (pFilter[i] == L'|')
            pFilter[i] = 0;
    }
    m_ofn.lpstrFilter = pFilter;
}

CString CGdiplusFileDialog::FormatTypeEntries() const
{
    CString strEntries;
    for (INT_PTR i = 0; i < m_codecs.GetSize(); ++i) {
        const CString strFormat = m_codecs.GetAt(i).GetFormat();
        const CString strExtensions = m_codecs.GetAt(i).GetExtensions();
        // "%s 文件(%s)|%s|": format, " files (", patterns, ")", patterns.
        strEntries.AppendFormat(L"%s \x6587\x4EF6(%s)|%s|", static_cast<LPCTSTR>(strFormat),
                                static_cast<LPCTSTR>(strExtensions), static_cast<LPCTSTR>(strExtensions));
    }
    return strEntries;
}
