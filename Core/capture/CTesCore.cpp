// CTesCore: the screen grab (see CTesCore.h).
#include "CTesCore.h"

#include "CDC.h"
#include "CWindowDC.h"

#include <memory>

IMPLEMENT_DYNAMIC(CTesCore, CWnd)

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

} // namespace

CTesCore::CTesCore() = default;

CTesCore::~CTesCore() = default;

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

    TopmostScope raised(hWnd);
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
