// CImageBitmap: bitmap <-> buffer conversion, chains and picture loading (see
// CImageBitmap.h).
#include "CImageBitmap.h"

#include "CClientDC.h"
#include "CDC.h"
#include "CImageBlurrer.h"
#include "CImageColorReplacer.h"
#include "CImageFlipper.h"
#include "CImageGrayer.h"
#include "CImageNegator.h"
#include "CImageResizer.h"
#include "CImageRotator.h"
#include "CImageSharpener.h"
#include "CImageShearer.h"
#include "CWnd.h"

#include <cstdint>
#include <cstring>
#include <cwctype>
#include <memory>
#include <new>
#include <string>

namespace {

const DWORD kNoBackground = 0xFFFFFFFF;

// A new 32-bit top-down DIB section of size and its pixels, or null.
HBITMAP NewPixelSection(CSize size, RGBX*& pPixels)
{
    pPixels = nullptr;
    if (size.cx <= 0 || size.cy <= 0
        || static_cast<std::uint64_t>(size.cx) * static_cast<std::uint64_t>(size.cy) * 4 > 0x7FFFFFFFu)
        return nullptr;
    const BITMAPINFO bmi = CImageBitmap::TopDownHeader(size);
    void* pBits = nullptr;
    const HBITMAP hSection = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hSection == nullptr || pBits == nullptr) {
        if (hSection != nullptr)
            ::DeleteObject(hSection);
        return nullptr;
    }
    pPixels = static_cast<RGBX*>(pBits);
    return hSection;
}

// Releases a COM interface when its owner goes.
struct ComRelease
{
    void operator()(IUnknown* pUnknown) const { pUnknown->Release(); }
};
typedef std::unique_ptr<IPicture, ComRelease> PicturePtr;
typedef std::unique_ptr<IStream, ComRelease> StreamPtr;

// The locked bytes of a resource, freed again when the object goes.
struct ResourceBytes
{
    HGLOBAL hData = nullptr;
    const void* pBytes = nullptr;
    DWORD nSize = 0;

    ResourceBytes(LPCWSTR lpName, LPCWSTR lpType, HMODULE hInst)
    {
        HRSRC hInfo = ::FindResourceW(hInst, lpName, lpType);
        if (hInfo == nullptr)
            return;
        hData = ::LoadResource(hInst, hInfo);
        if (hData == nullptr)
            return;
        pBytes = ::LockResource(hData);
        if (pBytes != nullptr)
            nSize = ::SizeofResource(hInst, hInfo);
    }
    ~ResourceBytes()
    {
        if (hData != nullptr)
            ::FreeResource(hData);
    }
    ResourceBytes(const ResourceBytes&) = delete;
    ResourceBytes& operator=(const ResourceBytes&) = delete;
};

} // namespace

BITMAPINFO CImageBitmap::TopDownHeader(CSize size, WORD nBitCount)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = size.cx;
    bmi.bmiHeader.biHeight = -size.cy; // top row first
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = nBitCount;
    bmi.bmiHeader.biCompression = BI_RGB;
    return bmi;
}

CImageBitmap::CImageBitmap(DWORD clrBackground)
    : m_clrBackground(clrBackground), m_hSection(nullptr), m_pSectionPixels(nullptr)
{
}

CImageBitmap::~CImageBitmap() = default;

LONG CImageBitmap::PrepareBitmapInfo32(BITMAPINFO& bmi, HBITMAP hBitmap) const
{
    if (hBitmap == nullptr)
        hBitmap = static_cast<HBITMAP>(m_hObject);
    BITMAP bm = {};
    if (hBitmap == nullptr || ::GetObjectW(hBitmap, sizeof(bm), &bm) != sizeof(bm))
        return 0;
    // The copy's size must fit the header's 32-bit image size.
    const std::uint64_t nImageSize =
        static_cast<std::uint64_t>(bm.bmWidth) * static_cast<std::uint64_t>(bm.bmHeight) * 4;
    if (bm.bmWidth <= 0 || bm.bmHeight <= 0 || nImageSize > 0xFFFFFFFFu)
        return 0;
    bmi = TopDownHeader(CSize(bm.bmWidth, bm.bmHeight));
    bmi.bmiHeader.biSizeImage = static_cast<DWORD>(nImageSize);
    return bm.bmHeight;
}

RGBX* CImageBitmap::GetDIBits32() const
{
    BITMAPINFO bmi = {};
    const LONG nLines = PrepareBitmapInfo32(bmi);
    if (nLines == 0)
        return nullptr;
    std::unique_ptr<RGBX[]> pPixels(new (std::nothrow) RGBX[bmi.bmiHeader.biSizeImage / sizeof(RGBX)]);
    if (!pPixels)
        return nullptr;
    if (const RGBX* pSection = GetPixels()) {
        std::memcpy(static_cast<void*>(pPixels.get()), pSection, bmi.bmiHeader.biSizeImage);
        return pPixels.release();
    }
    CClientDC dcScreen(nullptr);
    if (dcScreen.m_hDC == nullptr
        || ::GetDIBits(dcScreen.m_hDC, static_cast<HBITMAP>(m_hObject), 0, static_cast<UINT>(nLines), pPixels.get(),
                       &bmi, DIB_RGB_COLORS)
               == 0)
        return nullptr;
    return pPixels.release();
}

BOOL CImageBitmap::CreatePixelSection(CSize size)
{
    RGBX* pPixels = nullptr;
    const HBITMAP hSection = NewPixelSection(size, pPixels);
    return hSection != nullptr && AdoptSection(hSection, pPixels);
}

BOOL CImageBitmap::AdoptSection(HBITMAP hSection, RGBX* pPixels)
{
    DeleteObject();
    if (!Attach(hSection)) {
        ::DeleteObject(hSection);
        return FALSE;
    }
    m_hSection = hSection;
    m_pSectionPixels = pPixels;
    return TRUE;
}

RGBX* CImageBitmap::GetPixels() const
{
    // The handle alone could be one the system reused for another bitmap
    // after the section was given away: its pixels must be where they were.
    DIBSECTION section = {};
    if (m_hObject == nullptr || m_hObject != m_hSection
        || ::GetObjectW(m_hObject, sizeof(section), &section) != sizeof(section)
        || section.dsBm.bmBits != m_pSectionPixels)
        return nullptr;
    return m_pSectionPixels;
}

void CImageBitmap::TakeOver(CImageBitmap& other)
{
    if (&other == this)
        return;
    DeleteObject();
    const HGDIOBJ hSection = other.m_hSection;
    RGBX* pPixels = other.m_pSectionPixels;
    const HGDIOBJ hObject = other.Detach();
    if (hObject == nullptr)
        return;
    Attach(hObject);
    m_hSection = hSection;
    m_pSectionPixels = pPixels;
}

CSize CImageBitmap::GetSize() const
{
    BITMAP bm = {};
    if (m_hObject == nullptr || ::GetObjectW(m_hObject, sizeof(bm), &bm) != sizeof(bm))
        return CSize(0, 0);
    return CSize(bm.bmWidth, bm.bmHeight);
}

BOOL CImageBitmap::CopyImage(HBITMAP hBitmap)
{
    // GDI writes the source's pixels straight into the new section, in the
    // section's form: one pass, whatever form the source has.
    BITMAPINFO bmi = {};
    const LONG nLines = hBitmap != nullptr ? PrepareBitmapInfo32(bmi, hBitmap) : 0;
    if (nLines == 0)
        return FALSE;
    RGBX* pPixels = nullptr;
    CBitmap section;
    if (!section.Attach(NewPixelSection(CSize(bmi.bmiHeader.biWidth, nLines), pPixels)))
        return FALSE;
    CClientDC dcScreen(nullptr);
    if (dcScreen.m_hDC == nullptr
        || ::GetDIBits(dcScreen.m_hDC, hBitmap, 0, static_cast<UINT>(nLines), pPixels, &bmi, DIB_RGB_COLORS) != nLines)
        return FALSE;
    return AdoptSection(static_cast<HBITMAP>(section.Detach()), pPixels);
}

BOOL CImageBitmap::CopyImage(const CImageBitmap& source, CRect rect)
{
    const CSize size = source.GetSize();
    CRect inside;
    if (!inside.IntersectRect(&rect, CRect(0, 0, size.cx, size.cy)))
        return FALSE;
    std::unique_ptr<RGBX[]> pCopy;
    const RGBX* pPixels = source.GetPixels();
    if (pPixels == nullptr) {
        pCopy.reset(source.GetDIBits32());
        pPixels = pCopy.get();
    }
    RGBX* pTarget = nullptr;
    const HBITMAP hSection = pPixels != nullptr ? NewPixelSection(inside.Size(), pTarget) : nullptr;
    if (hSection == nullptr)
        return FALSE;
    for (int y = 0; y < inside.Height(); ++y)
        std::memcpy(static_cast<void*>(pTarget + static_cast<size_t>(y) * inside.Width()),
                    pPixels + static_cast<size_t>(inside.top + y) * size.cx + inside.left,
                    static_cast<size_t>(inside.Width()) * sizeof(RGBX));
    return AdoptSection(hSection, pTarget);
}

HBITMAP CImageBitmap::CopyToScreenBitmap() const
{
    const CSize size = GetSize();
    std::unique_ptr<RGBX[]> pCopy;
    const RGBX* pPixels = GetPixels();
    if (pPixels == nullptr) {
        pCopy.reset(GetDIBits32());
        pPixels = pCopy.get();
    }
    CClientDC dcScreen(nullptr);
    CBitmap bitmap;
    if (pPixels == nullptr || dcScreen.m_hDC == nullptr || !bitmap.CreateCompatibleBitmap(&dcScreen, size.cx, size.cy))
        return nullptr;
    const BITMAPINFO bmi = CImageBitmap::TopDownHeader(size);
    if (::SetDIBits(dcScreen.m_hDC, bitmap, 0, static_cast<UINT>(size.cy), pPixels, &bmi, DIB_RGB_COLORS) != size.cy)
        return nullptr;
    return static_cast<HBITMAP>(bitmap.Detach());
}

BOOL CImageBitmap::Draw(HDC hDC, int x, int y) const
{
    const CSize size = GetSize();
    if (const RGBX* pPixels = GetPixels()) {
        const BITMAPINFO bmi = TopDownHeader(size);
        return ::SetDIBitsToDevice(hDC, x, y, static_cast<DWORD>(size.cx), static_cast<DWORD>(size.cy), 0, 0, 0,
                                   static_cast<UINT>(size.cy), pPixels, &bmi, DIB_RGB_COLORS)
               != 0;
    }
    const HDC hMemory = m_hObject != nullptr ? ::CreateCompatibleDC(hDC) : nullptr;
    if (hMemory == nullptr)
        return FALSE;
    const HGDIOBJ hOld = ::SelectObject(hMemory, m_hObject);
    const BOOL bDrawn = ::BitBlt(hDC, x, y, size.cx, size.cy, hMemory, 0, 0, SRCCOPY);
    ::SelectObject(hMemory, hOld);
    ::DeleteDC(hMemory);
    return bDrawn;
}

BOOL CImageBitmap::CopyImage(CBitmap* pBitmap)
{
    if (pBitmap == nullptr)
        return FALSE;
    return CopyImage(static_cast<HBITMAP>(pBitmap->GetSafeHandle()));
}

BOOL CImageBitmap::AttachPixels(const RGBX* pPixels, CSize size)
{
    RGBX* pTarget = nullptr;
    const HBITMAP hSection = pPixels != nullptr ? NewPixelSection(size, pTarget) : nullptr;
    if (hSection == nullptr)
        return FALSE;
    std::memcpy(static_cast<void*>(pTarget), pPixels,
                static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy) * sizeof(RGBX));
    return AdoptSection(hSection, pTarget);
}

BOOL CImageBitmap::Fill(RGBX* pBuffer, CSize size, DWORD clr)
{
    return CProcessorChain::Fill(pBuffer, size, clr);
}

BOOL CImageBitmap::ProcessImage(const CProcessorArray& chain)
{
    if (m_hObject == nullptr)
        return FALSE;
    if (chain.GetSize() == 0)
        return TRUE;
    return ProcessImage(chain, *this);
}

BOOL CImageBitmap::ProcessImage(const CProcessorArray& chain, const CImageBitmap& source)
{
    const CSize size = source.GetSize();
    if (!CImage32BitProcessor::IsValidSize(size) || size.cx == 0 || size.cy == 0)
        return FALSE;
    // A pixel section is read in place; any other bitmap through a copy.
    std::unique_ptr<RGBX[]> pCopy;
    const RGBX* pSource = source.GetPixels();
    if (pSource == nullptr) {
        pCopy.reset(source.GetDIBits32());
        pSource = pCopy.get();
    }
    if (pSource == nullptr)
        return FALSE;
    std::unique_ptr<RGBX[]> pResult;
    CSize sizeResult;
    const BOOL bDone = pCopy ? CProcessorChain::Run(chain, std::move(pCopy), size, m_clrBackground, pResult, sizeResult)
                             : CProcessorChain::Run(chain, pSource, size, m_clrBackground, pResult, sizeResult);
    return bDone && AttachPixels(pResult.get(), sizeResult);
}

BOOL CImageBitmap::ProcessImage(CImage32BitProcessor* pProcessor)
{
    CProcessorArray chain;
    chain.Add(pProcessor);
    return ProcessImage(chain);
}

BOOL CImageBitmap::RotateImage(int nDegrees, int bSmooth)
{
    CImageRotator processor(nDegrees, bSmooth);
    return ProcessImage(&processor);
}

BOOL CImageBitmap::ShearImage(int nShearX, int nShearY, int bSmooth)
{
    CImageShearer processor(nShearX, nShearY, bSmooth);
    return ProcessImage(&processor);
}

BOOL CImageBitmap::GrayImage()
{
    CImageGrayer processor;
    return ProcessImage(&processor);
}

BOOL CImageBitmap::BlurImage(int nFactor)
{
    CImageBlurrer processor(nFactor);
    return ProcessImage(&processor);
}

BOOL CImageBitmap::SharpenImage(int nFactor)
{
    CImageSharpener processor(nFactor);
    return ProcessImage(&processor);
}

BOOL CImageBitmap::ResizeImage(double dFactor)
{
    CImageResizer processor(dFactor);
    return ProcessImage(&processor);
}

BOOL CImageBitmap::FlipImage(int bHorz, int bVert)
{
    CImageFlipper processor(bHorz, bVert);
    return ProcessImage(&processor);
}

BOOL CImageBitmap::NegateImage()
{
    CImageNegator processor;
    return ProcessImage(&processor);
}

BOOL CImageBitmap::ReplaceColor(COLORREF clrFrom, COLORREF clrTo)
{
    CImageColorReplacer processor(clrFrom, clrTo);
    return ProcessImage(&processor);
}

int CImageBitmap::GetFileType(LPCWSTR lpszPath)
{
    if (lpszPath == nullptr)
        return 4;
    std::wstring path(lpszPath);
    for (wchar_t& ch : path)
        ch = static_cast<wchar_t>(std::towupper(ch));
    struct Extension
    {
        const wchar_t* text;
        int type;
    };
    static const Extension kExtensions[] = {
        { L".BMP", 0 }, { L".ICO", 1 }, { L".JPG", 2 }, { L".JPEG", 2 }, { L".GIF", 3 },
    };
    // A text counts only after the first character: a path that is nothing
    // but an extension names no file.
    for (const Extension& extension : kExtensions)
        if (path.find(extension.text, 1) != std::wstring::npos)
            return extension.type;
    return 4;
}

HBITMAP CImageBitmap::LoadImageFile(LPCWSTR lpszPath, DWORD clrBackground)
{
    const int nType = GetFileType(lpszPath);
    if (nType == 0)
        return static_cast<HBITMAP>(::LoadImageW(nullptr, lpszPath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (nType == 4)
        return nullptr;
    std::wstring path(lpszPath); // OleLoadPicturePath takes a non-const string
    IPicture* pLoaded = nullptr;
    if (FAILED(
            ::OleLoadPicturePath(&path[0], nullptr, 0, clrBackground, IID_IPicture, reinterpret_cast<void**>(&pLoaded)))
        || pLoaded == nullptr)
        return nullptr;
    PicturePtr pPicture(pLoaded);
    return ExtractBitmap(pPicture.get(), clrBackground);
}

BOOL CImageBitmap::GetResource(LPCWSTR lpName, LPCWSTR lpType, HMODULE hInst, void* pResource, int& nBufSize)
{
    ResourceBytes resource(lpName, lpType, hInst);
    if (resource.pBytes == nullptr || resource.nSize > 0x7FFFFFFFu)
        return FALSE;
    const int nSize = static_cast<int>(resource.nSize);
    if (pResource == nullptr) {
        nBufSize = nSize;
        return TRUE;
    }
    if (nBufSize < nSize)
        return FALSE;
    std::memcpy(pResource, resource.pBytes, resource.nSize);
    return TRUE;
}

HBITMAP CImageBitmap::LoadImageResource(UINT nIDResource, LPCWSTR lpszResourceType, HINSTANCE hInstance,
                                        DWORD clrBackground)
{
    LPCWSTR lpName = MAKEINTRESOURCEW(nIDResource);
    int nSize = 0;
    if (!GetResource(lpName, lpszResourceType, hInstance, nullptr, nSize) || nSize <= 0)
        return nullptr;
    std::unique_ptr<BYTE[]> pBytes(new (std::nothrow) BYTE[static_cast<size_t>(nSize)]);
    if (!pBytes || !GetResource(lpName, lpszResourceType, hInstance, pBytes.get(), nSize))
        return nullptr;
    PicturePtr pPicture(LoadFromBuffer(pBytes.get(), nSize));
    if (!pPicture)
        return nullptr;
    return ExtractBitmap(pPicture.get(), clrBackground);
}

IPicture* CImageBitmap::LoadFromBuffer(const BYTE* pBuff, int nSize)
{
    if (pBuff == nullptr || nSize <= 0)
        return nullptr;
    HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(nSize));
    if (hGlobal == nullptr)
        return nullptr;
    void* pData = ::GlobalLock(hGlobal);
    if (pData == nullptr) {
        ::GlobalFree(hGlobal);
        return nullptr;
    }
    std::memcpy(pData, pBuff, static_cast<size_t>(nSize));
    ::GlobalUnlock(hGlobal);
    IStream* pCreated = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(hGlobal, TRUE, &pCreated)) || pCreated == nullptr) {
        ::GlobalFree(hGlobal);
        return nullptr;
    }
    StreamPtr pStream(pCreated); // frees the block on release
    IPicture* pPicture = nullptr;
    if (FAILED(::OleLoadPicture(pStream.get(), nSize, FALSE, IID_IPicture, reinterpret_cast<void**>(&pPicture))))
        return nullptr;
    return pPicture;
}

HBITMAP CImageBitmap::ExtractBitmap(IPicture* pPicture, DWORD clrBackground)
{
    if (pPicture == nullptr)
        return nullptr;
    OLE_XSIZE_HIMETRIC nWidth = 0;
    OLE_YSIZE_HIMETRIC nHeight = 0;
    if (FAILED(pPicture->get_Width(&nWidth)) || FAILED(pPicture->get_Height(&nHeight)))
        return nullptr;
    CClientDC dcDesktop(CWnd::FromHandle(::GetDesktopWindow()));
    if (dcDesktop.m_hDC == nullptr)
        return nullptr;
    const int cx = ::MulDiv(nWidth, dcDesktop.GetDeviceCaps(LOGPIXELSX), 2540);
    const int cy = ::MulDiv(nHeight, dcDesktop.GetDeviceCaps(LOGPIXELSY), 2540);
    if (cx <= 0 || cy <= 0)
        return nullptr;
    // The bitmap outlives its selection into the memory DC.
    CBitmap bitmap;
    CDC dcMemory;
    if (!dcMemory.CreateCompatibleDC(&dcDesktop) || !bitmap.CreateCompatibleBitmap(&dcDesktop, cx, cy)
        || dcMemory.SelectObject(&bitmap) == nullptr)
        return nullptr;
    if (clrBackground != kNoBackground)
        dcMemory.FillSolidRect(0, 0, cx, cy, clrBackground);
    // The picture's y axis points up: drawing from (0, height) with a
    // negative extent puts it upright.
    const HRESULT hr = pPicture->Render(dcMemory.m_hDC, 0, 0, cx, cy, 0, nHeight, nWidth, -nHeight, nullptr);
    dcMemory.DeleteDC(); // deselects the bitmap
    if (FAILED(hr))
        return nullptr;
    return static_cast<HBITMAP>(bitmap.Detach());
}

BOOL CImageBitmap::LoadImageW(UINT nIDResource, LPCWSTR lpszResourceType, HINSTANCE hInstance, DWORD clrBackground)
{
    if (m_hObject != nullptr)
        return FALSE;
    if (clrBackground == kNoBackground)
        clrBackground = m_clrBackground;
    return AttachNew(LoadImageResource(nIDResource, lpszResourceType, hInstance, clrBackground));
}

BOOL CImageBitmap::LoadImageW(LPCWSTR lpszPath, DWORD clrBackground)
{
    if (m_hObject != nullptr)
        return FALSE;
    if (clrBackground == kNoBackground)
        clrBackground = m_clrBackground;
    return AttachNew(LoadImageFile(lpszPath, clrBackground));
}
