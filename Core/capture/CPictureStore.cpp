// CPictureStore: the current picture, its forms and its ways out (see
// CPictureStore.h).
#include "CPictureStore.h"

#include "CClipboardScope.h"
#include "CEffectChain.h"
#include "CGdiplusCodecList.h"
#include "CGdiplusFileOpenDialog.h"
#include "CGdiplusFileSaveAsDialog.h"
#include "CPathName.h"
#include "CTesConfig.h"
#include "CWnd.h"
#include "CWorkerPool.h"

// GDI+ needs the COM declarations that the lean Windows header leaves out.
#include <objidl.h>
#include <gdiplus.h>

#include <cstring>
#include <vector>

namespace {

// The client DC of a window (the screen's for null), released on leaving.
class ScopedWindowDC
{
public:
    explicit ScopedWindowDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(::GetDC(hWnd)) {}
    ~ScopedWindowDC()
    {
        if (m_hDC != nullptr)
            ::ReleaseDC(m_hWnd, m_hDC);
    }
    ScopedWindowDC(const ScopedWindowDC&) = delete;
    ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;
    HDC Get() const { return m_hDC; }

private:
    HWND m_hWnd;
    HDC m_hDC;
};

// A new 24-bit GDI+ picture of size whose rows GDI+ hands to fill(data), or
// null when it cannot be made or filled.
template <typename Fill>
Gdiplus::Bitmap* NewPicture24(CSize size, Fill fill)
{
    if (size.cx <= 0 || size.cy <= 0)
        return nullptr;
    std::unique_ptr<Gdiplus::Bitmap> pPicture(new Gdiplus::Bitmap(size.cx, size.cy, PixelFormat24bppRGB));
    if (pPicture->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    Gdiplus::Rect rcAll(0, 0, size.cx, size.cy);
    Gdiplus::BitmapData data = {};
    if (pPicture->LockBits(&rcAll, Gdiplus::ImageLockModeWrite, PixelFormat24bppRGB, &data) != Gdiplus::Ok)
        return nullptr;
    const BOOL bFilled = fill(data);
    if (pPicture->UnlockBits(&data) != Gdiplus::Ok || !bFilled)
        return nullptr;
    return pPicture.release();
}

// The picture of size.cx x size.cy pixels (RGBX rows without gaps) as a new
// 24-bit GDI+ picture: blue, green, red of each pixel, the fourth byte left.
Gdiplus::Bitmap* PictureOfPixels(const RGBX* pPixels, CSize size)
{
    return NewPicture24(size, [&](const Gdiplus::BitmapData& data) {
        CWorkerPool::Shared().ForRows(size.cy, [&](int first, int last) {
            for (int y = first; y < last; ++y) {
                const RGBX* pSource = pPixels + static_cast<size_t>(y) * static_cast<size_t>(size.cx);
                BYTE* pTarget = static_cast<BYTE*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride;
                for (int x = 0; x < size.cx; ++x, pTarget += 3) {
                    pTarget[0] = pSource[x].b;
                    pTarget[1] = pSource[x].g;
                    pTarget[2] = pSource[x].r;
                }
            }
        });
        return TRUE;
    });
}

// Any bitmap as a new 24-bit GDI+ picture, through GDI: GDI writes the rows
// straight into the picture in that format.
Gdiplus::Bitmap* PictureOfBitmap(HBITMAP hBitmap, CSize size)
{
    return NewPicture24(size, [&](const Gdiplus::BitmapData& data) {
        // GDI's rows of 24-bit pixels, top row first, each padded to 4 bytes.
        BITMAPINFO bmi = CImageBitmap::TopDownHeader(size, 24);
        const size_t nRowBytes = (static_cast<size_t>(size.cx) * 3 + 3) & ~static_cast<size_t>(3);
        const BOOL bSameRows = data.Stride == static_cast<INT>(nRowBytes);
        std::vector<BYTE> rows(bSameRows ? 0 : nRowBytes * static_cast<size_t>(size.cy));
        BYTE* pTarget = bSameRows ? static_cast<BYTE*>(data.Scan0) : rows.data();
        ScopedWindowDC dcScreen(nullptr);
        if (dcScreen.Get() == nullptr || ::GetDIBits(dcScreen.Get(), hBitmap, 0, static_cast<UINT>(size.cy), pTarget,
                                                      &bmi, DIB_RGB_COLORS) != size.cy)
            return FALSE;
        if (!bSameRows) {
            for (INT y = 0; y < size.cy; ++y)
                std::memcpy(static_cast<BYTE*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride,
                            rows.data() + nRowBytes * static_cast<size_t>(y), static_cast<size_t>(size.cx) * 3);
        }
        return TRUE;
    });
}

// A memory stream holding the whole file, or null. The file is closed again
// before this returns, so a picture decoded from the stream never locks it.
IStream* ReadFileToStream(const CString& strPath)
{
    const HANDLE hFile = ::CreateFileW(strPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return nullptr;
    LARGE_INTEGER size = {};
    HGLOBAL hMemory = nullptr;
    if (::GetFileSizeEx(hFile, &size) && size.QuadPart > 0 && size.QuadPart < 0x7FFFFFFF)
        hMemory = ::GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(size.QuadPart));
    BOOL bRead = FALSE;
    if (hMemory != nullptr) {
        void* pBytes = ::GlobalLock(hMemory);
        DWORD nRead = 0;
        bRead = pBytes != nullptr &&
                ::ReadFile(hFile, pBytes, static_cast<DWORD>(size.QuadPart), &nRead, nullptr) &&
                nRead == static_cast<DWORD>(size.QuadPart);
        ::GlobalUnlock(hMemory);
    }
    ::CloseHandle(hFile);
    IStream* pStream = nullptr;
    if (bRead && ::CreateStreamOnHGlobal(hMemory, TRUE, &pStream) == S_OK)
        return pStream;
    if (hMemory != nullptr)
        ::GlobalFree(hMemory);
    return nullptr;
}

} // namespace

CPictureStore::CPictureStore(CTesConfig& config)
    : m_config(config), m_pMainWnd(nullptr), m_pPreviewWnd(nullptr), m_bmpCaptured(RGB(255, 255, 255)),
      m_bmpProcessed(RGB(255, 255, 255)), m_bImageFromBuffer(FALSE), m_nThumbX(0), m_nThumbY(0), m_dwSaveError(0)
{
}

CPictureStore::~CPictureStore() = default;

void CPictureStore::SetWindows(CWnd* pMain, CWnd* pPreview)
{
    m_pMainWnd = pMain;
    m_pPreviewWnd = pPreview;
}

const CImageBitmap& CPictureStore::ShownBuffer() const
{
    return m_bmpProcessed.GetSafeHandle() != nullptr ? m_bmpProcessed : m_bmpCaptured;
}

BOOL CPictureStore::StoreGrab(std::unique_ptr<CImageBitmap> pGrab)
{
    if (!pGrab)
        return FALSE;
    // The grab becomes the captured buffer as it is: no copy.
    if (pGrab->GetSafeHandle() != nullptr) {
        m_bmpCaptured.TakeOver(*pGrab);
        m_bmpProcessed.DeleteObject();
    }
    Refresh();
    return TRUE;
}

void CPictureStore::Refresh()
{
    if (m_bmpCaptured.GetSafeHandle() == nullptr)
        return;
    {
        // Each refresh starts from the captured picture, so effects never
        // accumulate; without effects the captured buffer is shown itself.
        const CEffectChain effects(m_config);
        if (effects.GetChain().GetSize() == 0 || !m_bmpProcessed.ProcessImage(effects.GetChain(), m_bmpCaptured))
            m_bmpProcessed.DeleteObject();
    }
    Clear();
    m_pImage.reset(ConvertImage(static_cast<HBITMAP>(ShownBuffer().GetSafeHandle())));
    m_bImageFromBuffer = m_pImage != nullptr;
    SetThumbnail(m_pImage.get());
}

void CPictureStore::ResetBuffers(HBITMAP hBitmap)
{
    if (hBitmap != nullptr && m_bmpCaptured.CopyImage(hBitmap))
        m_bmpProcessed.DeleteObject();
}

void CPictureStore::Clear()
{
    m_pImage.reset();
    m_pThumbnail.reset();
    m_bImageFromBuffer = FALSE;
    EmptyNames();
}

BOOL CPictureStore::HasEncoderFor(const CString& strPathName)
{
    CGdiplusCodecList encoders;
    encoders.Read(TRUE);
    return encoders.FindExtension(CPathName::ExtensionOf(strPathName)) != nullptr;
}

void CPictureStore::EmptyNames()
{
    m_strPathName.Empty();
    m_strFileName.Empty();
}

Gdiplus::Image* CPictureStore::GetThumbnail(int& x, int& y) const
{
    x = m_nThumbX;
    y = m_nThumbY;
    return m_pThumbnail.get();
}

Gdiplus::Image* CPictureStore::ConvertImage(HBITMAP hBitmap) const
{
    BITMAP bm = {};
    if (hBitmap == nullptr || ::GetObjectW(hBitmap, sizeof(bm), &bm) != sizeof(bm))
        return nullptr;
    const CSize size(bm.bmWidth, bm.bmHeight);
    // The shown buffer is converted from its own pixels, any other bitmap
    // through GDI; either way no 32-bit GDI+ picture is made in between,
    // which costs the most under some GDI+ implementations (Wine's).
    const CImageBitmap& shown = ShownBuffer();
    if (const RGBX* pPixels = hBitmap == shown.GetSafeHandle() ? shown.GetPixels() : nullptr)
        return PictureOfPixels(pPixels, size);
    return PictureOfBitmap(hBitmap, size);
}

CBitmap* CPictureStore::ConvertImage(Gdiplus::Image* pImage) const
{
    return DrawPicture(pImage).release();
}

std::unique_ptr<CImageBitmap> CPictureStore::DrawPicture(Gdiplus::Image* pImage) const
{
    if (pImage == nullptr)
        return nullptr;
    const INT nWidth = static_cast<INT>(pImage->GetWidth());
    const INT nHeight = static_cast<INT>(pImage->GetHeight());
    if (nWidth <= 0 || nHeight <= 0)
        return nullptr;
    ScopedWindowDC dcPreview(m_pPreviewWnd != nullptr ? m_pPreviewWnd->GetSafeHwnd() : nullptr);
    if (dcPreview.Get() == nullptr)
        return nullptr;
    std::unique_ptr<CImageBitmap> pBitmap(new CImageBitmap);
    const HDC hMemory = ::CreateCompatibleDC(dcPreview.Get());
    if (hMemory == nullptr)
        return nullptr;
    BOOL bDrawn = FALSE;
    if (pBitmap->CreatePixelSection(CSize(nWidth, nHeight))) {
        const HGDIOBJ hOld = ::SelectObject(hMemory, pBitmap->GetSafeHandle());
        {
            Gdiplus::Graphics graphics(hMemory);
            bDrawn = graphics.DrawImage(pImage, 0, 0, nWidth, nHeight) == Gdiplus::Ok;
        }
        ::SelectObject(hMemory, hOld);
    }
    ::DeleteDC(hMemory);
    return bDrawn ? std::move(pBitmap) : nullptr;
}

void CPictureStore::SetThumbnail(Gdiplus::Image* pImage)
{
    m_pThumbnail.reset();
    if (pImage == nullptr || m_pPreviewWnd == nullptr)
        return;
    CRect rcClient(0, 0, 0, 0);
    ::GetClientRect(m_pPreviewWnd->GetSafeHwnd(), &rcClient);
    const int nRoomWidth = rcClient.Width() - 4;
    const int nRoomHeight = rcClient.Height() - 4;
    const int nWidth = static_cast<int>(pImage->GetWidth());
    const int nHeight = static_cast<int>(pImage->GetHeight());
    // No room, or no picture: no thumbnail.
    if (nRoomWidth <= 0 || nRoomHeight <= 0 || nWidth <= 0 || nHeight <= 0)
        return;
    int nThumbWidth = nWidth;
    int nThumbHeight = nHeight;
    double dScale = 1.0;
    if (nWidth > nRoomWidth || nHeight > nRoomHeight) {
        const double dScaleX = static_cast<double>(nWidth) / nRoomWidth;
        const double dScaleY = static_cast<double>(nHeight) / nRoomHeight;
        dScale = dScaleX > dScaleY ? dScaleX : dScaleY;
        nThumbWidth = static_cast<int>(nWidth / dScale);
        nThumbHeight = static_cast<int>(nHeight / dScale);
        // A very thin picture keeps at least one pixel on its short side.
        if (nThumbWidth < 1)
            nThumbWidth = 1;
        if (nThumbHeight < 1)
            nThumbHeight = 1;
    }
    m_nThumbX = 2 + (nRoomWidth - nThumbWidth) / 2;
    m_nThumbY = 2 + (nRoomHeight - nThumbHeight) / 2;

    // The store's own picture is shrunk from the buffer it was made of, with
    // the box averages of the scaling effect; any other through GDI+.
    const CImageBitmap& shown = ShownBuffer();
    const RGBX* pPixels = shown.GetPixels();
    if (pImage != m_pImage.get() || !m_bImageFromBuffer || pPixels == nullptr ||
        shown.GetSize() != CSize(nWidth, nHeight)) {
        m_pThumbnail.reset(pImage->GetThumbnailImage(static_cast<UINT>(nThumbWidth),
                                                     static_cast<UINT>(nThumbHeight), nullptr, nullptr));
        return;
    }
    const CSize sizeThumb(nThumbWidth, nThumbHeight);
    std::unique_ptr<RGBX[]> pThumbPixels(new (std::nothrow) RGBX[static_cast<size_t>(nThumbWidth) * nThumbHeight]);
    if (!pThumbPixels || !CProcessorChain::Fill(pThumbPixels.get(), sizeThumb, RGB(255, 255, 255)) ||
        !CImageResizer(1.0 / dScale).ProcessPixels(pPixels, CSize(nWidth, nHeight), pThumbPixels.get(), sizeThumb))
        return;
    m_pThumbnail.reset(PictureOfPixels(pThumbPixels.get(), sizeThumb));
}

int CPictureStore::Copy(int bThumbnail)
{
    CBitmap copy;
    if (bThumbnail || !m_bImageFromBuffer) {
        const std::unique_ptr<CImageBitmap> pDrawn = DrawPicture(bThumbnail ? m_pThumbnail.get() : m_pImage.get());
        if (pDrawn)
            copy.Attach(pDrawn->CopyToScreenBitmap());
    } else if (m_pImage) {
        // The picture holds exactly the shown buffer's pixels.
        copy.Attach(ShownBuffer().CopyToScreenBitmap());
    }
    if (copy.GetSafeHandle() == nullptr)
        return 0;
    CClipboardScope clipboard(m_pPreviewWnd != nullptr ? m_pPreviewWnd->GetSafeHwnd() : nullptr);
    return clipboard.PutBitmap(copy) ? 1 : 0;
}

int CPictureStore::Paste()
{
    CClipboardScope clipboard(nullptr);
    const HBITMAP hBitmap = clipboard.GetBitmap();
    if (hBitmap == nullptr || !m_bmpCaptured.CopyImage(hBitmap))
        return 0;
    m_bmpProcessed.DeleteObject();
    Refresh();
    return 1;
}

int CPictureStore::Open(CString strPathName)
{
    CString strFileName;
    if (strPathName.IsEmpty()) {
        CGdiplusFileOpenDialog dlg(nullptr, OFN_EXPLORER | OFN_HIDEREADONLY, nullptr);
        if (dlg.DoModal() == IDOK) {
            strPathName = dlg.GetPathName();
            strFileName = dlg.GetFileName();
        }
        if (strPathName.IsEmpty())
            return 0;
    }
    m_config.ResetImageOption();
    Clear();
    // Decoded from a copy in memory, so the file stays free to be written.
    IStream* pStream = ReadFileToStream(strPathName);
    if (pStream == nullptr)
        return 0;
    std::unique_ptr<Gdiplus::Image> pLoaded(Gdiplus::Image::FromStream(pStream, FALSE));
    pStream->Release();   // the picture holds its own reference
    if (!pLoaded || pLoaded->GetLastStatus() != Gdiplus::Ok || pLoaded->GetWidth() == 0 || pLoaded->GetHeight() == 0)
        return 0;   // a failed load holds no picture
    m_pImage = std::move(pLoaded);
    SetThumbnail(m_pImage.get());
    const std::unique_ptr<CImageBitmap> pBitmap = DrawPicture(m_pImage.get());
    if (pBitmap) {
        // The drawn picture becomes the captured buffer as it is.
        m_bmpCaptured.TakeOver(*pBitmap);
        m_bmpProcessed.DeleteObject();
    }
    m_strPathName = strPathName;
    m_strFileName = strFileName;
    return 1;
}

int CPictureStore::Save(CString strPathName, int bThumbnail)
{
    m_strFailedPath.Empty();
    m_dwSaveError = 0;
    CString strFileName;
    Gdiplus::Image* pImage = bThumbnail ? m_pThumbnail.get() : m_pImage.get();
    if (pImage == nullptr)
        return 0;
    CLSID clsidEncoder = {};
    if (strPathName.IsEmpty()) {
        CGdiplusFileSaveAsDialog dlg(L"", OFN_EXPLORER | OFN_OVERWRITEPROMPT, m_pMainWnd);
        if (dlg.DoModal() == IDOK) {
            clsidEncoder = dlg.GetCodecCLSID();
            strPathName = dlg.GetPathName();
            strFileName = dlg.GetFileName();
        }
        if (strPathName.IsEmpty())
            return 0;
    } else {
        CGdiplusCodecList encoders;
        encoders.Read(TRUE);
        const CGdiplusCodecInfo* pEncoder = encoders.FindExtension(CPathName::ExtensionOf(strPathName));
        if (pEncoder == nullptr)
            return 0;
        clsidEncoder = pEncoder->GetCLSID();
        strFileName = CPathName::NameOf(strPathName);
    }
    if (pImage->Save(strPathName, &clsidEncoder, nullptr) != Gdiplus::Ok) {
        // GDI+ leaves the system's reason (the file could not be created or
        // written) as the thread's last error.
        m_dwSaveError = ::GetLastError();
        m_strFailedPath = strPathName;
        return 0;
    }
    if (!bThumbnail) {
        m_strPathName = strPathName;
        m_strFileName = strFileName;
    }
    return 1;
}
