// CTesCore: the capture engine (see CTesCore.h): life cycle, the capture
// modes and their common sequence, the image store, the object pick and the
// screen grab.
#include "CTesCore.h"

#include "CDC.h"
#include "CDlgActiveWin.h"
#include "CDlgSnapObjHelper.h"
#include "CDlgSnapRectHelper.h"
#include "CGdiplusCodecInfo.h"
#include "CGdiplusFileOpenDialog.h"
#include "CGdiplusFileSaveAsDialog.h"
#include "CHelper.h"
#include "CImageBlurrer.h"
#include "CImageColorReplacer.h"
#include "CImageFlipper.h"
#include "CImageGrayer.h"
#include "CImageNegator.h"
#include "CImageResizer.h"
#include "CImageRotator.h"
#include "CImageSharpener.h"
#include "CImageShearer.h"
#include "CQualifyingWindows.h"
#include "CTesHook.h"
#include "CTesLocalResource.h"
#include "CWindowDC.h"

// GDI+ needs the COM declarations that the lean Windows header leaves out.
#include <objidl.h>
#include <gdiplus.h>
#include <mmsystem.h>

#include <cstring>
#include <memory>
#include <vector>

IMPLEMENT_DYNAMIC(CTesCore, CWnd)

BEGIN_MESSAGE_MAP(CTesCore, CWnd)
    ON_WM_TIMER()
    ON_MESSAGE(WM_ES_LBUTTONDOWN, OnEsLButtonDown)
    ON_MESSAGE(WM_ES_MOUSEMOVE, OnEsMouseMove)
    ON_MESSAGE(WM_ES_RBUTTONDOWN, OnEsRButtonDown)
END_MESSAGE_MAP()

namespace {

// Keeps a window topmost while it lives, then makes it not topmost.
class TopmostScope
{
public:
    explicit TopmostScope(HWND hWnd) : m_hWnd(hWnd)
    {
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    ~TopmostScope() { ::SetWindowPos(m_hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }
    TopmostScope(const TopmostScope&) = delete;
    TopmostScope& operator=(const TopmostScope&) = delete;

private:
    HWND m_hWnd;
};

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

// The clipboard, open while the object lives.
class ScopedClipboard
{
public:
    explicit ScopedClipboard(HWND hOwner) : m_bOpen(::OpenClipboard(hOwner)) {}
    ~ScopedClipboard()
    {
        if (m_bOpen)
            ::CloseClipboard();
    }
    ScopedClipboard(const ScopedClipboard&) = delete;
    ScopedClipboard& operator=(const ScopedClipboard&) = delete;
    BOOL IsOpen() const { return m_bOpen; }

private:
    BOOL m_bOpen;
};

// The text after the last path separator.
CString FileNameOf(const CString& strPath)
{
    const int nSlash = strPath.ReverseFind(L'/');
    const int nBackslash = strPath.ReverseFind(L'\\');
    const int nLast = nSlash > nBackslash ? nSlash : nBackslash;
    return strPath.Mid(nLast + 1);
}

// The extension of a path's file name (the text after its last "."), empty
// when it has none.
CString ExtensionOf(const CString& strPath)
{
    const CString strName = FileNameOf(strPath);
    const int nDot = strName.ReverseFind(L'.');
    return nDot < 0 ? CString() : strName.Mid(nDot + 1);
}

// The class identifier of the installed encoder that knows the extension;
// FALSE when none does.
BOOL FindEncoderByExtension(const CString& strExt, CLSID& clsid)
{
    if (strExt.IsEmpty())
        return FALSE;
    UINT nCount = 0;
    UINT nBytes = 0;
    if (Gdiplus::GetImageEncodersSize(&nCount, &nBytes) != Gdiplus::Ok || nCount == 0 ||
        nBytes < nCount * sizeof(Gdiplus::ImageCodecInfo))
        return FALSE;
    std::vector<BYTE> block(nBytes);
    Gdiplus::ImageCodecInfo* pCodecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(block.data());
    if (Gdiplus::GetImageEncoders(nCount, nBytes, pCodecs) != Gdiplus::Ok)
        return FALSE;
    for (UINT i = 0; i < nCount; ++i) {
        const CGdiplusCodecInfo codec(pCodecs[i].FormatDescription, pCodecs[i].FilenameExtension, pCodecs[i].Clsid);
        if (codec.FindExtension(strExt)) {
            clsid = codec.GetCLSID();
            return TRUE;
        }
    }
    return FALSE;
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

CTesCore::CTesCore()
    : m_gdiplusToken(0), m_bGdiplusStarted(FALSE), m_pMainWnd(nullptr), m_pPreviewWnd(nullptr), m_pImage(nullptr),
      m_pThubImage(nullptr), m_nThubX(0), m_nThubY(0), m_bmpCaptured(RGB(255, 255, 255)),
      m_bmpProcessed(RGB(255, 255, 255)), m_bStarting(1), m_bBusy(0), m_pHook(new CTesHook),
      m_pSnapObjHelper(new CDlgSnapObjHelper(nullptr)), m_hFoundWnd(nullptr), m_bPicking(0)
{
}

CTesCore::~CTesCore()
{
    delete m_pSnapObjHelper;
    delete m_pHook;
}

// ---------------------------------------------------------------------------
// Life cycle

int CTesCore::InitGdiplus()
{
    Gdiplus::GdiplusStartupInput input;   // version 1, no callback, thread and codecs on
    m_bGdiplusStarted = Gdiplus::GdiplusStartup(&m_gdiplusToken, &input, nullptr) == Gdiplus::Ok;
    return m_bGdiplusStarted ? 1 : 0;
}

void CTesCore::TermGdiplus()
{
    if (!m_bGdiplusStarted)
        return;
    Gdiplus::GdiplusShutdown(m_gdiplusToken);
    m_bGdiplusStarted = FALSE;
    m_gdiplusToken = 0;
}

int CTesCore::InitVoruzev(CWnd* pMainWnd, CWnd* pPreviewWnd)
{
    InitGdiplus();
    m_config.LoadConfig();
    if (pMainWnd == nullptr || pPreviewWnd == nullptr)
        return 0;
    m_pPreviewWnd = pPreviewWnd;
    m_pMainWnd = pMainWnd;
    const BOOL bCreated = Create(nullptr, nullptr, 0, CRect(0, 0, 0, 0), pMainWnd, HIDDEN_WND_ID);
    if (m_config.GetSnapOnStart())
        SnapFullScreen();
    m_bStarting = 0;
    return bCreated ? 1 : 0;
}

void CTesCore::CloseVoruzev()
{
    ClearGdiplusImage();
    TermGdiplus();
    m_config.SaveConfig();
    if (::IsWindow(m_hWnd))
        DestroyWindow();
}

// ---------------------------------------------------------------------------
// The capture sequence

DWORD CTesCore::SnapDelay() const
{
    // The stored value is taken as it was typed: a negative number waits
    // nothing, anything above the limit waits the limit.
    const int nDelay = static_cast<int>(m_config.GetSnapDelayTime());
    if (nDelay < 0)
        return 0;
    return static_cast<DWORD>(nDelay > MAX_SNAP_DELAY ? static_cast<int>(MAX_SNAP_DELAY) : nDelay);
}

void CTesCore::HideMainWindow()
{
    if (m_config.GetHideMainWnd() && m_pMainWnd != nullptr)
        m_pMainWnd->ShowWindow(SW_HIDE);
}

void CTesCore::ShowMainWindow()
{
    if (m_config.GetHideMainWnd() && m_pMainWnd != nullptr)
        m_pMainWnd->ShowWindow(SW_SHOW);
}

void CTesCore::FinishSnap()
{
    ShowMainWindow();
    m_strPathName.Empty();
    m_strFileName.Empty();
    if (m_config.GetAutoCopy())
        CopyImageData(0);
}

void CTesCore::PlaySnapSound()
{
    if (!m_config.GetPlaySnapSound() || m_bStarting)
        return;
    const CString strSound = CHelper::GetAppPath() + L"snap.wav";
    ::sndPlaySoundW(strSound, SND_ASYNC);
}

int CTesCore::CheckWindowValidity(HWND hWnd, int bExcludeFound)
{
    if (hWnd == nullptr || !::IsWindow(hWnd))
        return 0;
    if (bExcludeFound && hWnd == m_hFoundWnd)
        return 0;
    return 1;
}

int CTesCore::SnapLiveWindow(HWND hWnd, const CRect& rect)
{
    if (!CheckWindowValidity(hWnd, 0))
        return 0;
    PlaySnapSound();
    return SnapRect(hWnd, rect);
}

int CTesCore::SnapRect(HWND hWnd, CRect rect)
{
    if (hWnd == nullptr)
        return 0;
    std::unique_ptr<CImageBitmap> pGrab(SnapBitmap(hWnd, rect));
    if (!pGrab)
        return 0;
    // The grab is already a screen-compatible bitmap: the captured buffer
    // takes it over instead of copying it, and RefreshImageData makes the
    // processed buffer from it.
    if (pGrab->GetSafeHandle() != nullptr) {
        m_bmpCaptured.DeleteObject();
        m_bmpCaptured.Attach(pGrab->Detach());
    }
    RefreshImageData();
    return 1;
}

int CTesCore::SnapFullScreen()
{
    if (m_bBusy)
        return 0;
    m_bBusy = 1;
    HideMainWindow();
    if (m_bStarting) {
        ::Sleep(50);
    } else {
        ::Sleep(SnapDelay());
        m_config.SetSnapMode(SNAP_FULL_SCREEN);
    }
    const HWND hDesktop = ::GetDesktopWindow();
    const int nResult = SnapLiveWindow(hDesktop, CRect(0, 0, 0, 0));
    FinishSnap();
    m_bBusy = 0;
    return nResult;
}

int CTesCore::SnapActiveWin()
{
    if (m_bBusy)
        return 0;
    m_bBusy = 1;
    HideMainWindow();
    m_config.SetSnapMode(SNAP_ACTIVE_WIN);
    int nResult = 0;
    const HWND hTarget = ChooseWindowFromList();
    if (hTarget != nullptr) {
        ::SetForegroundWindow(hTarget);
        ::Sleep(SnapDelay());
        nResult = SnapLiveWindow(hTarget, CRect(0, 0, 0, 0));
    }
    FinishSnap();
    m_bBusy = 0;
    return nResult;
}

HWND CTesCore::ChooseWindowFromList()
{
    CTesLocalResource resourceScope;
    CDlgActiveWin dlg(nullptr);
    dlg.DoModal();
    return dlg.GetSelectedWindow();
}

int CTesCore::SnapCurrentWin()
{
    if (m_bBusy)
        return 0;
    m_bBusy = 1;
    m_config.SetSnapMode(SNAP_CURRENT_WIN);
    HideMainWindow();
    int nResult = 0;
    std::unique_ptr<CQualifyingWindows> pWindows(new CQualifyingWindows);
    if (pWindows->Enumerate() > 0) {
        const HWND hTarget = pWindows->GetWindow(0);
        ::Sleep(SnapDelay());
        nResult = SnapLiveWindow(hTarget, CRect(0, 0, 0, 0));
    }
    FinishSnap();
    m_bBusy = 0;
    return nResult;
}

int CTesCore::SnapWinClient()
{
    if (m_bBusy)
        return 0;
    m_bBusy = 1;
    HideMainWindow();
    m_config.SetSnapMode(SNAP_WIN_CLIENT);
    int nResult = 0;
    const HWND hTarget = ChooseWindowFromList();
    if (hTarget != nullptr) {
        ::Sleep(SnapDelay());
        if (CheckWindowValidity(hTarget, 0) && CWnd::FromHandle(hTarget) != nullptr) {
            PlaySnapSound();
            // The client area in whole-window coordinates: the window's
            // outer corner seen from the client origin is (W.left, W.top).
            CRect rcWindow;
            CRect rcClient;
            if (::GetWindowRect(hTarget, &rcWindow) &&
                ::ScreenToClient(hTarget, reinterpret_cast<POINT*>(&rcWindow.left)) &&
                ::ScreenToClient(hTarget, reinterpret_cast<POINT*>(&rcWindow.right)) &&
                ::GetClientRect(hTarget, &rcClient)) {
                const CRect rcGrab(rcClient.left - rcWindow.left, rcClient.top - rcWindow.top,
                                   rcClient.right - rcWindow.left, rcClient.bottom - rcWindow.top);
                // An empty client area would mean the whole window: no grab.
                if (!rcGrab.IsRectEmpty())
                    nResult = SnapRect(hTarget, rcGrab);
            }
        }
    }
    FinishSnap();
    m_bBusy = 0;
    return nResult;
}

int CTesCore::SnapSelectRect()
{
    // A pick in progress would lose the mouse to the selector: end it first.
    if (m_bPicking)
        EndObjectPick(FALSE);
    HideMainWindow();
    ::Sleep(SnapDelay());
    m_config.SetSnapMode(SNAP_SELECT_RECT);
    int nResult = 0;
    {
        CTesLocalResource resourceScope;
        CDlgSnapRectHelper dlg(nullptr);
        dlg.DoModal();
        CRect rcSelected(0, 0, 0, 0);
        if (dlg.GetSelectedRect(rcSelected)) {
            const HWND hDesktop = ::GetDesktopWindow();
            // The overlay has just gone: have the windows under the selection
            // paint themselves again, and give the screen a moment to show
            // them, so that the grab sees them and not what the overlay left.
            ::RedrawWindow(hDesktop, &rcSelected, nullptr,
                           RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
            // A look at the queue hands the overlay's removal to the display
            // (under Wine the X requests go out then); nothing is taken off.
            MSG msg;
            ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
            ::Sleep(REGION_SETTLE_MS);
            nResult = SnapLiveWindow(hDesktop, rcSelected);
        }
    }
    FinishSnap();
    return nResult;
}

// ---------------------------------------------------------------------------
// The image store

void CTesCore::RefreshImageData()
{
    if (m_bmpCaptured.GetSafeHandle() == nullptr)
        return;
    m_bmpProcessed.CopyImage(&m_bmpCaptured);
    if (m_config.m_bEffects) {
        const int bSmooth = m_config.m_bSmooth;
        CImageGrayer grayer;
        CImageNegator negator;
        CImageFlipper flipper(m_config.GetFlipHorz(), m_config.GetFlipVert());
        CImageRotator rotator(m_config.GetRotateAngle(), bSmooth);
        CImageResizer resizer(m_config.GetScaleFactor() / 100.0);
        CImageShearer shearer(m_config.GetShearAcross() ? m_config.GetShearAcrossAmout() : 0,
                              m_config.GetShearDown() ? m_config.GetShearDownAmout() : 0, bSmooth);
        CImageBlurrer blurrer(m_config.GetBlurFactor());
        CImageSharpener sharpener(m_config.GetSharpenFactor());
        CImageColorReplacer replacer(RGB(0, 0, 0), RGB(255, 0, 0));

        CProcessorArray chain;
        if (m_config.GetGrayScale())
            chain.Add(&grayer);
        if (m_config.GetNegate())
            chain.Add(&negator);
        if (m_config.m_bReplaceColor)
            chain.Add(&replacer);
        if (m_config.GetFlipHorz() || m_config.GetFlipVert())
            chain.Add(&flipper);
        if (m_config.GetRotate())
            chain.Add(&rotator);
        if (m_config.GetScale())
            chain.Add(&resizer);
        if (m_config.GetShearDown() || m_config.GetShearAcross())
            chain.Add(&shearer);
        if (m_config.GetBlur())
            chain.Add(&blurrer);
        if (m_config.GetSharpen())
            chain.Add(&sharpener);
        m_bmpProcessed.ProcessImage(chain);
    }
    ClearGdiplusImage();
    m_pImage = ConvertImage(static_cast<HBITMAP>(m_bmpProcessed.GetSafeHandle()));
    SetThubImage(m_pImage);
}

Gdiplus::Image* CTesCore::GetImage() const
{
    return m_pImage;
}

Gdiplus::Image* CTesCore::GetThubImage(int& x, int& y) const
{
    x = m_nThubX;
    y = m_nThubY;
    return m_pThubImage;
}

void CTesCore::ClearGdiplusImage()
{
    delete m_pImage;
    m_pImage = nullptr;
    delete m_pThubImage;
    m_pThubImage = nullptr;
    m_strPathName.Empty();
    m_strFileName.Empty();
}

Gdiplus::Image* CTesCore::ConvertImage(HBITMAP hBitmap)
{
    // The picture is made 24-bit at once and GDI writes the bitmap's pixels
    // straight into it in that format: no 32-bit picture in between to be
    // converted pixel by pixel, which costs the most under Wine's GDI+.
    BITMAP bm = {};
    if (hBitmap == nullptr || ::GetObjectW(hBitmap, sizeof(bm), &bm) != sizeof(bm) || bm.bmWidth <= 0 ||
        bm.bmHeight <= 0)
        return nullptr;
    const INT nWidth = bm.bmWidth;
    const INT nHeight = bm.bmHeight;
    std::unique_ptr<Gdiplus::Bitmap> pPicture(new Gdiplus::Bitmap(nWidth, nHeight, PixelFormat24bppRGB));
    if (pPicture->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    Gdiplus::Rect rcAll(0, 0, nWidth, nHeight);
    Gdiplus::BitmapData data = {};
    if (pPicture->LockBits(&rcAll, Gdiplus::ImageLockModeWrite, PixelFormat24bppRGB, &data) != Gdiplus::Ok)
        return nullptr;
    // GDI's rows of 24-bit pixels, top row first, each padded to 4 bytes.
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = nWidth;
    bmi.bmiHeader.biHeight = -nHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    bmi.bmiHeader.biCompression = BI_RGB;
    const size_t nRowBytes = (static_cast<size_t>(nWidth) * 3 + 3) & ~static_cast<size_t>(3);
    const BOOL bSameRows = data.Stride == static_cast<INT>(nRowBytes);
    std::vector<BYTE> rows(bSameRows ? 0 : nRowBytes * static_cast<size_t>(nHeight));
    BYTE* pTarget = bSameRows ? static_cast<BYTE*>(data.Scan0) : rows.data();
    ScopedWindowDC dcScreen(nullptr);
    const BOOL bRead = dcScreen.Get() != nullptr && ::GetDIBits(dcScreen.Get(), hBitmap, 0, static_cast<UINT>(nHeight),
                                                          pTarget, &bmi, DIB_RGB_COLORS) == nHeight;
    if (bRead && !bSameRows) {
        for (INT y = 0; y < nHeight; ++y)
            std::memcpy(static_cast<BYTE*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride,
                        rows.data() + nRowBytes * static_cast<size_t>(y), static_cast<size_t>(nWidth) * 3);
    }
    if (pPicture->UnlockBits(&data) != Gdiplus::Ok || !bRead)
        return nullptr;
    return pPicture.release();
}

CBitmap* CTesCore::ConvertImage(Gdiplus::Image* pImage)
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
    const HDC hMemory = ::CreateCompatibleDC(dcPreview.Get());
    if (hMemory == nullptr)
        return nullptr;
    std::unique_ptr<CBitmap> pBitmap(new CBitmap);
    BOOL bDrawn = FALSE;
    if (pBitmap->Attach(::CreateCompatibleBitmap(dcPreview.Get(), nWidth, nHeight))) {
        const HGDIOBJ hOld = ::SelectObject(hMemory, pBitmap->GetSafeHandle());
        {
            Gdiplus::Graphics graphics(hMemory);
            bDrawn = graphics.DrawImage(pImage, 0, 0, nWidth, nHeight) == Gdiplus::Ok;
        }
        ::SelectObject(hMemory, hOld);
    }
    ::DeleteDC(hMemory);
    return bDrawn ? pBitmap.release() : nullptr;
}

void CTesCore::SetThubImage(Gdiplus::Image* pImage)
{
    delete m_pThubImage;
    m_pThubImage = nullptr;
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
    int nThubWidth = nWidth;
    int nThubHeight = nHeight;
    if (nWidth > nRoomWidth || nHeight > nRoomHeight) {
        const double dScaleX = static_cast<double>(nWidth) / nRoomWidth;
        const double dScaleY = static_cast<double>(nHeight) / nRoomHeight;
        const double dScale = dScaleX > dScaleY ? dScaleX : dScaleY;
        nThubWidth = static_cast<int>(nWidth / dScale);
        nThubHeight = static_cast<int>(nHeight / dScale);
        // A very thin picture keeps at least one pixel on its short side.
        if (nThubWidth < 1)
            nThubWidth = 1;
        if (nThubHeight < 1)
            nThubHeight = 1;
    }
    m_nThubX = 2 + (nRoomWidth - nThubWidth) / 2;
    m_nThubY = 2 + (nRoomHeight - nThubHeight) / 2;
    m_pThubImage = pImage->GetThumbnailImage(static_cast<UINT>(nThubWidth), static_cast<UINT>(nThubHeight),
                                             nullptr, nullptr);
}

void CTesCore::ResetBitmapData(HBITMAP hBitmap)
{
    if (hBitmap == nullptr)
        return;
    m_bmpCaptured.CopyImage(hBitmap);
    m_bmpProcessed.CopyImage(&m_bmpCaptured);
}

int CTesCore::CopyImageData(int bThumbnail)
{
    Gdiplus::Image* pSource = bThumbnail ? m_pThubImage : m_pImage;
    std::unique_ptr<CBitmap> pBitmap(ConvertImage(pSource));
    if (!pBitmap)
        return 0;
    ScopedClipboard clipboard(m_pPreviewWnd != nullptr ? m_pPreviewWnd->GetSafeHwnd() : nullptr);
    if (!clipboard.IsOpen())
        return 0;   // the bitmap goes with its wrapper
    ::EmptyClipboard();
    if (::SetClipboardData(CF_BITMAP, pBitmap->GetSafeHandle()) == nullptr)
        return 0;
    // The clipboard owns the bitmap now.
    pBitmap->Detach();
    return 1;
}

int CTesCore::PasteImageData()
{
    ScopedClipboard clipboard(nullptr);
    if (!clipboard.IsOpen() || !::IsClipboardFormatAvailable(CF_BITMAP))
        return 0;
    const HBITMAP hBitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
    if (hBitmap == nullptr || !m_bmpCaptured.CopyImage(hBitmap))
        return 0;
    m_bmpProcessed.CopyImage(&m_bmpCaptured);
    RefreshImageData();
    return 1;
}

int CTesCore::OpenImage(CString strPathName)
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
    ClearGdiplusImage();
    // Decoded from a copy in memory, so the file stays free to be written.
    IStream* pStream = ReadFileToStream(strPathName);
    if (pStream == nullptr)
        return 0;
    std::unique_ptr<Gdiplus::Image> pLoaded(Gdiplus::Image::FromStream(pStream, FALSE));
    pStream->Release();   // the picture holds its own reference
    if (!pLoaded || pLoaded->GetLastStatus() != Gdiplus::Ok || pLoaded->GetWidth() == 0 || pLoaded->GetHeight() == 0)
        return 0;   // a failed load holds no picture
    m_pImage = pLoaded.release();
    SetThubImage(m_pImage);
    std::unique_ptr<CBitmap> pBitmap(ConvertImage(m_pImage));
    if (pBitmap) {
        m_bmpCaptured.CopyImage(pBitmap.get());
        m_bmpProcessed.CopyImage(&m_bmpCaptured);
    }
    m_strPathName = strPathName;
    m_strFileName = strFileName;
    return 1;
}

int CTesCore::SaveImage(CString strPathName, int bThumbnail)
{
    CString strFileName;
    Gdiplus::Image* pImage = bThumbnail ? m_pThubImage : m_pImage;
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
        if (!FindEncoderByExtension(ExtensionOf(strPathName), clsidEncoder))
            return 0;
        strFileName = FileNameOf(strPathName);
    }
    if (pImage->Save(strPathName, &clsidEncoder, nullptr) != Gdiplus::Ok)
        return 0;
    if (!bThumbnail) {
        m_strPathName = strPathName;
        m_strFileName = strFileName;
    }
    return 1;
}

CString CTesCore::GetPathName() const
{
    return m_strPathName;
}

CString CTesCore::GetFileName() const
{
    return m_strFileName;
}

void CTesCore::SetPathName(CString strPathName)
{
    m_strPathName = strPathName;
}

void CTesCore::SetFileName(CString strFileName)
{
    m_strFileName = strFileName;
}

// ---------------------------------------------------------------------------
// Object pick

int CTesCore::SnapWinObj()
{
    if (m_bBusy || !::IsWindow(m_hWnd))
        return 0;
    m_bBusy = 1;
    HideMainWindow();
    m_config.SetSnapMode(SNAP_WIN_OBJ);
    SetCapture();
    m_bPicking = 1;
    m_hFoundWnd = nullptr;
    SetTimer(PICK_TIMER_ID, PICK_TIMER_MS);
    m_pSnapObjHelper->m_nCorner = 0;
    {
        CTesLocalResource resourceScope;
        m_pSnapObjHelper->DoModal();
    }
    // The tip ended without the click (cancelled, or it could not open).
    if (m_bPicking)
        EndObjectPick(FALSE);
    return 1;
}

void CTesCore::EndObjectPick(BOOL bCapture)
{
    m_pSnapObjHelper->m_nCorner = 0;
    if (::IsWindow(m_pSnapObjHelper->GetSafeHwnd())) {
        m_pSnapObjHelper->ShowWindow(SW_HIDE);
        m_pSnapObjHelper->EndDialog(bCapture ? 1 : IDCANCEL);
    }
    if (bCapture)
        ::Sleep(SnapDelay());   // lets the screen repaint where the tip was
    KillTimer(PICK_TIMER_ID);
    const HWND hFound = m_hFoundWnd;
    m_hFoundWnd = nullptr;
    if (CheckWindowValidity(hFound, 0)) {
        if (bCapture)
            PlaySnapSound();
        RefreshFoundWindow(hFound);   // no frame on the picture, none left behind
        if (bCapture && CheckWindowValidity(hFound, 0))
            SnapRect(hFound, CRect(0, 0, 0, 0));
    }
    FinishSnap();
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    m_bPicking = 0;
    m_bBusy = 0;
}

void CTesCore::WaitForLeftButtonRelease()
{
    // The hook can swallow the release only while this thread answers it. A
    // release left waiting while the pick ends (the grab, the delay, hiding
    // the tip) passes on when the hook times out, and an open menu takes it
    // as a click on the item under the cursor.
    const DWORD dwLimit = RELEASE_WAIT_MS;
    const DWORD dwStart = ::GetTickCount();
    while (CTesHook::IsLeftButtonHeld()) {
        const DWORD dwElapsed = ::GetTickCount() - dwStart;
        if (dwElapsed >= dwLimit)
            break;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, dwLimit - dwElapsed, QS_SENDMESSAGE);
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

void CTesCore::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != PICK_TIMER_ID) {
        Default();
        return;
    }
    if (!m_bPicking)
        return;
    POINT ptCursor = {};
    ::GetCursorPos(&ptCursor);
    const HWND hUnder = ::WindowFromPoint(ptCursor);
    if (hUnder != nullptr && ::IsWindow(hUnder)) {
        if (hUnder != m_hFoundWnd && m_hFoundWnd != nullptr)
            RefreshFoundWindow(m_hFoundWnd);
        m_hFoundWnd = hUnder;
        HighlightFoundWindow(hUnder);
    }
    if (::IsWindow(m_pSnapObjHelper->GetSafeHwnd())) {
        LocateSnapObjTip();
        m_pSnapObjHelper->SendMessage(WM_MOUSEMOVE, 0, 0);
    }
    Default();
}

LRESULT CTesCore::OnEsMouseMove(WPARAM, LPARAM)
{
    if (m_config.GetSnapMode() == SNAP_WIN_OBJ && m_bPicking && ::IsWindow(m_pSnapObjHelper->GetSafeHwnd())) {
        LocateSnapObjTip();
        m_pSnapObjHelper->SendMessage(WM_MOUSEMOVE, 0, 0);
    }
    return 0;
}

LRESULT CTesCore::OnEsLButtonDown(WPARAM, LPARAM)
{
    if (m_config.GetSnapMode() == SNAP_WIN_OBJ && m_bPicking && ::IsWindow(m_pSnapObjHelper->GetSafeHwnd())) {
        WaitForLeftButtonRelease();
        EndObjectPick(TRUE);
    }
    return 0;
}

LRESULT CTesCore::OnEsRButtonDown(WPARAM, LPARAM)
{
    if (m_config.GetSnapMode() == SNAP_WIN_OBJ && m_bPicking && ::IsWindow(m_pSnapObjHelper->GetSafeHwnd()))
        EndObjectPick(FALSE);
    return 0;
}

int CTesCore::HighlightFoundWindow(HWND hWnd)
{
    const HPEN hPen = ::CreatePen(PS_SOLID, 4, RGB(255, 0, 0));
    RECT rcWindow = {};
    const HDC hDC = ::GetWindowRect(hWnd, &rcWindow) ? ::GetWindowDC(hWnd) : nullptr;
    if (hDC == nullptr) {
        ::DeleteObject(hPen);
        return 0;
    }
    const HGDIOBJ hOldPen = ::SelectObject(hDC, hPen);
    const HGDIOBJ hOldBrush = ::SelectObject(hDC, ::GetStockObject(NULL_BRUSH));
    const int nOldRop = ::SetROP2(hDC, R2_NOTXORPEN);
    ::Rectangle(hDC, 0, 0, rcWindow.right - rcWindow.left, rcWindow.bottom - rcWindow.top);
    ::SetROP2(hDC, nOldRop);
    ::SelectObject(hDC, hOldBrush);
    ::SelectObject(hDC, hOldPen);
    ::ReleaseDC(hWnd, hDC);
    ::DeleteObject(hPen);
    return 0;
}

int CTesCore::RefreshFoundWindow(HWND hWnd)
{
    ::InvalidateRect(hWnd, nullptr, TRUE);
    ::UpdateWindow(hWnd);
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return 0;
}

void CTesCore::LocateSnapObjTip()
{
    CDlgSnapObjHelper* pTip = m_pSnapObjHelper;
    if (!::IsWindow(pTip->GetSafeHwnd()))
        return;
    RECT rcDesktop = {};
    ::GetWindowRect(::GetDesktopWindow(), &rcDesktop);
    POINT ptCursor = {};
    ::GetCursorPos(&ptCursor);
    const int nWidth = pTip->m_nTipWidth;
    const int nHeight = pTip->m_nTipHeight;
    const CRect rcBottomRight(rcDesktop.right - 10 - nWidth, rcDesktop.bottom - 10 - nHeight, rcDesktop.right - 10,
                              rcDesktop.bottom - 10);
    const CRect rcTopLeft(10, 10, 10 + nWidth, 10 + nHeight);
    CRect rcNear = pTip->m_nCorner == 0 ? rcBottomRight : rcTopLeft;
    rcNear.InflateRect(20, 20);
    if (!rcNear.PtInRect(ptCursor))
        return;
    if (pTip->m_nCorner == 0) {
        pTip->MoveWindow(rcTopLeft.left, rcTopLeft.top, nWidth, nHeight, TRUE);
        pTip->m_nCorner = 1;
    } else {
        pTip->MoveWindow(rcBottomRight.left, rcBottomRight.top, nWidth, nHeight, TRUE);
        pTip->m_nCorner = 0;
    }
    const HWND hUncovered = ::WindowFromPoint(ptCursor);
    if (hUncovered != nullptr) {
        ::InvalidateRect(hUncovered, nullptr, TRUE);
        ::UpdateWindow(hUncovered);
        ::RedrawWindow(hUncovered, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
}

// ---------------------------------------------------------------------------
// The screen grab

CImageBitmap* CTesCore::SnapBitmap(HWND hWnd, CRect rect)
{
    if (hWnd == nullptr)
        return nullptr;
    const BOOL bWholeWindow = rect.IsRectEmpty();
    if (bWholeWindow)
        ::GetWindowRect(hWnd, &rect);
    const int cxScreen = ::GetSystemMetrics(SM_CXSCREEN);
    const int cyScreen = ::GetSystemMetrics(SM_CYSCREEN);
    if (rect.right > cxScreen)
        rect.right = cxScreen;
    if (rect.bottom > cyScreen)
        rect.bottom = cyScreen;
    if (rect.left < 0)
        rect.left = 0;
    if (rect.top < 0)
        rect.top = 0;
    const int nWidth = rect.Width();
    const int nHeight = rect.Height();
    if (nWidth <= 0 || nHeight <= 0)
        return nullptr;

    // The desktop window lies under every other window and cannot be raised
    // (the system refuses it): it is left alone, which saves the switch's
    // round trips to the display on every whole-screen grab.
    std::unique_ptr<TopmostScope> pRaised(hWnd != ::GetDesktopWindow() ? new TopmostScope(hWnd) : nullptr);
    std::unique_ptr<CImageBitmap> pImage(new CImageBitmap);
    CWindowDC dcWindow(CWnd::FromHandle(hWnd));
    CDC dcMemory;
    if (dcWindow.m_hDC == nullptr || !dcMemory.CreateCompatibleDC(&dcWindow) ||
        !pImage->CreateCompatibleBitmap(&dcWindow, nWidth, nHeight) || dcMemory.SelectObject(pImage.get()) == nullptr)
        return nullptr;
    // A whole-window grab copies from the window's own corner, even when that
    // corner lies off the screen.
    const int xSource = bWholeWindow ? 0 : rect.left;
    const int ySource = bWholeWindow ? 0 : rect.top;
    const BOOL bCopied = dcMemory.BitBlt(0, 0, nWidth, nHeight, &dcWindow, xSource, ySource, SRCCOPY);
    dcMemory.DeleteDC();   // deselects the picture before it leaves
    if (!bCopied)
        return nullptr;
    return pImage.release();
}
