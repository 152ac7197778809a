// Overlay benchmark: the time from the call that opens the region selection
// overlay (DoModal) to the end of its first complete paint (the frozen screen,
// then the tip window), at the screen's size, beside a bare BitBlt of the
// screen and beside the least any overlay does (the screen grabbed, then a
// plain full-screen window shown with that picture), taking turns. Each
// opening is closed again at once; its closing is not timed.
#include "BenchTiming.h"
#include "CDlgSnapRectHelper.h"
#include "CTesLocalResource.h"
#include "CWinApp.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

CWinApp theBenchApp;

long long g_start;

// The overlay, stopping the clock when its first paint is done and closing.
class TimedOverlay : public CDlgSnapRectHelper
{
public:
    double m_msFirstPaint = -1.0;

protected:
    DECLARE_MESSAGE_MAP()
    void OnPaint()
    {
        CDlgSnapRectHelper::OnPaint();
        if (m_msFirstPaint >= 0.0)
            return;
        m_wndTip.UpdateWindow();
        m_msFirstPaint = bench::MillisecondsSince(g_start);
        PostMessage(WM_COMMAND, IDCANCEL, 0);
    }
};

BEGIN_MESSAGE_MAP(TimedOverlay, CDlgSnapRectHelper)
    ON_WM_PAINT()
END_MESSAGE_MAP()

// The least an overlay does: grab the screen (a bare BitBlt into a pixel
// section), show a plain topmost full-screen window that paints it, and
// stop the clock when its first paint is done.
struct BareOverlay
{
    void* pBits = nullptr;
    BITMAPINFO bmi = {};
    bool bPainted = false;
    double msPainted = -1.0;
};
BareOverlay* g_pBare = nullptr;

LRESULT CALLBACK BareOverlayProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_ERASEBKGND) {
        ::SetDIBitsToDevice(reinterpret_cast<HDC>(wParam), 0, 0, g_pBare->bmi.bmiHeader.biWidth,
                            -g_pBare->bmi.bmiHeader.biHeight, 0, 0, 0, -g_pBare->bmi.bmiHeader.biHeight,
                            g_pBare->pBits, &g_pBare->bmi, DIB_RGB_COLORS);
        return 1;
    }
    if (nMsg == WM_PAINT) {
        PAINTSTRUCT ps;
        ::BeginPaint(hWnd, &ps);
        ::EndPaint(hWnd, &ps);
        if (!g_pBare->bPainted)
            g_pBare->msPainted = bench::MillisecondsSince(g_start);
        g_pBare->bPainted = true;
        return 0;
    }
    return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
}

double ShowGrabbedScreen()
{
    const int cx = ::GetSystemMetrics(SM_CXSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYSCREEN);
    BareOverlay bare;
    g_pBare = &bare;
    bare.bmi.bmiHeader.biSize = sizeof(bare.bmi.bmiHeader);
    bare.bmi.bmiHeader.biWidth = cx;
    bare.bmi.bmiHeader.biHeight = -cy;
    bare.bmi.bmiHeader.biPlanes = 1;
    bare.bmi.bmiHeader.biBitCount = 32;
    static const ATOM atom = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = BareOverlayProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TesBareOverlay";
        return ::RegisterClassW(&wc);
    }();
    g_start = bench::Now();
    const HDC hScreen = ::GetDC(nullptr);
    const HDC hMemory = ::CreateCompatibleDC(hScreen);
    const HBITMAP hSection = ::CreateDIBSection(nullptr, &bare.bmi, DIB_RGB_COLORS, &bare.pBits, nullptr, 0);
    const HGDIOBJ hOld = ::SelectObject(hMemory, hSection);
    ::BitBlt(hMemory, 0, 0, cx, cy, hScreen, 0, 0, SRCCOPY);
    ::SelectObject(hMemory, hOld);
    ::DeleteDC(hMemory);
    ::ReleaseDC(nullptr, hScreen);
    const HWND hWnd = ::CreateWindowExW(WS_EX_TOPMOST, MAKEINTATOM(atom), L"", WS_POPUP, 0, 0, cx, cy, nullptr,
                                        nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::ShowWindow(hWnd, SW_SHOW);
    while (!bare.bPainted && hWnd != nullptr) {
        MSG msg;
        if (::GetMessageW(&msg, nullptr, 0, 0) <= 0)
            break;
        ::DispatchMessageW(&msg);
    }
    ::DestroyWindow(hWnd);
    ::DeleteObject(hSection);
    return bare.msPainted;
}

double OpenOverlay()
{
    CTesLocalResource scope;
    TimedOverlay overlay;
    g_start = bench::Now();
    overlay.DoModal();
    return overlay.m_msFirstPaint;
}

} // namespace

int main(int argc, char** argv)
{
    const int nRuns = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    std::printf("Region overlay, %d x %d screen, taking turns:\n", ::GetSystemMetrics(SM_CXSCREEN),
                ::GetSystemMetrics(SM_CYSCREEN));
    const std::vector<double> medians = bench::ReportInterleaved(
        { { "bare BitBlt of the screen", bench::Timed(bench::BlitScreen) },
          { "grab, then a window painted with it", ShowGrabbedScreen },
          { "overlay call to first paint", OpenOverlay } },
        nRuns);
    bench::ReportRatio("grab, then a window painted with it", medians[1], medians[0]);
    bench::ReportRatio("overlay call to first paint", medians[2], medians[0]);
    return medians[2] < 0 ? 1 : 0;
}
