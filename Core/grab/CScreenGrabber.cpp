// CScreenGrabber: the screen grab (see CScreenGrabber.h).
#include "CScreenGrabber.h"

#include "CDC.h"
#include "CScreenLayout.h"
#include "CWindowDC.h"
#include "CWnd.h"

#include <memory>

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

// rect cut to the virtual screen.
CRect ClipToScreen(CRect rect)
{
    const CRect screen = CScreenLayout::VirtualScreen();
    if (rect.right > screen.right)
        rect.right = screen.right;
    if (rect.bottom > screen.bottom)
        rect.bottom = screen.bottom;
    if (rect.left < screen.left)
        rect.left = screen.left;
    if (rect.top < screen.top)
        rect.top = screen.top;
    return rect;
}

} // namespace

BOOL CScreenGrabber::IsForeignChild(HWND hWnd)
{
    if (hWnd == nullptr || (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD) == 0)
        return FALSE;
    DWORD dwProcess = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcess);
    return dwProcess != ::GetCurrentProcessId();
}

CImageBitmap* CScreenGrabber::Grab(HWND hWnd, CRect rect)
{
    if (hWnd == nullptr)
        return nullptr;
    const BOOL bWholeWindow = rect.IsRectEmpty();
    const HWND hDesktop = ::GetDesktopWindow();
    // The whole desktop is the primary monitor.
    if (bWholeWindow)
        rect = hWnd == hDesktop ? CScreenLayout::PrimaryScreen() : CRect(0, 0, 0, 0);
    if (bWholeWindow && hWnd != hDesktop)
        ::GetWindowRect(hWnd, &rect);
    HWND hSource = hWnd;
    if (IsForeignChild(hWnd)) {
        // The same pixels in screen coordinates, read off the desktop.
        CRect rcWindow;
        ::GetWindowRect(hWnd, &rcWindow);
        if (!bWholeWindow)
            rect.OffsetRect(rcWindow.left, rcWindow.top);
        hSource = hDesktop;
    }
    rect = ClipToScreen(rect);
    const int nWidth = rect.Width();
    const int nHeight = rect.Height();
    if (nWidth <= 0 || nHeight <= 0)
        return nullptr;

    // The desktop window lies under every other window and cannot be raised
    // (the system refuses it): it is left alone, and so is a window read
    // through it.
    std::unique_ptr<TopmostScope> pRaised(hSource != hDesktop ? new TopmostScope(hWnd) : nullptr);
    std::unique_ptr<CImageBitmap> pImage(new CImageBitmap);
    CWindowDC dcSource(CWnd::FromHandle(hSource));
    CDC dcMemory;
    if (dcSource.m_hDC == nullptr || !dcMemory.CreateCompatibleDC(&dcSource) ||
        !pImage->CreatePixelSection(CSize(nWidth, nHeight)) || dcMemory.SelectObject(pImage.get()) == nullptr)
        return nullptr;
    // A whole-window grab through the window's own DC copies from its own
    // corner, even when that corner lies off the screen.
    const BOOL bFromOwnCorner = bWholeWindow && hSource == hWnd;
    const int xSource = bFromOwnCorner ? 0 : rect.left;
    const int ySource = bFromOwnCorner ? 0 : rect.top;
    const BOOL bCopied = dcMemory.BitBlt(0, 0, nWidth, nHeight, &dcSource, xSource, ySource, SRCCOPY);
    dcMemory.DeleteDC();   // deselects the picture before it leaves
    if (!bCopied)
        return nullptr;
    return pImage.release();
}
