// Grab benchmark: times CTesCore::SnapBitmap on the whole screen and on an
// 800 x 600 window beside a bare BitBlt of the screen and the topmost switch
// a window grab makes, taking turns. Google Benchmark has no MinGW build
// here, so the timing is done with the performance counter; the median keeps
// one slow X round trip from distorting the figure.
#include "BenchTiming.h"
#include "CTesCore.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

LRESULT CALLBACK BenchWindowProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
}

// A plain 800 x 600 popup filled with one colour by its class brush.
HWND CreateBenchWindow()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = BenchWindowProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = ::CreateSolidBrush(RGB(20, 60, 200));
    wc.lpszClassName = L"TesGrabBenchWindow";
    if (::RegisterClassW(&wc) == 0)
        return nullptr;
    HWND hWnd = ::CreateWindowExW(0, wc.lpszClassName, L"grab bench", WS_POPUP | WS_VISIBLE, 100, 100, 800, 600,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    if (hWnd != nullptr)
        ::UpdateWindow(hWnd);
    return hWnd;
}

bool Grab(HWND hWnd)
{
    std::unique_ptr<CImageBitmap> pGrab(CTesCore::SnapBitmap(hWnd, CRect()));
    return pGrab != nullptr;
}

// The topmost switch of a window grab (SetWindowPos on and off).
bool SwitchTopmost(HWND hWnd)
{
    const UINT nFlags = SWP_NOMOVE | SWP_NOSIZE;
    const BOOL bOn = ::SetWindowPos(hWnd, HWND_TOPMOST, 0, 0, 0, 0, nFlags);
    const BOOL bOff = ::SetWindowPos(hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, nFlags);
    return bOn && bOff;
}

} // namespace

int main(int argc, char** argv)
{
    const int nRuns = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    HWND hWindow = CreateBenchWindow();
    if (hWindow == nullptr) {
        std::printf("no benchmark window\n");
        return 1;
    }
    ::Sleep(200);
    bench::PumpMessages();
    std::printf("Grabs, %d x %d screen, taking turns:\n", ::GetSystemMetrics(SM_CXSCREEN),
                ::GetSystemMetrics(SM_CYSCREEN));
    const HWND hDesktop = ::GetDesktopWindow();
    const std::vector<double> medians = bench::ReportInterleaved(
        { { "bare BitBlt of the screen", bench::Timed(bench::BlitScreen) },
          { "SnapBitmap whole screen", bench::Timed([hDesktop] { return Grab(hDesktop); }) },
          { "SnapBitmap 800 x 600 window", bench::Timed([hWindow] { return Grab(hWindow); }) },
          { "topmost switch alone, 800 x 600 window", bench::Timed([hWindow] { return SwitchTopmost(hWindow); }) } },
        nRuns);
    bench::ReportRatio("SnapBitmap whole screen", medians[1], medians[0]);
    ::DestroyWindow(hWindow);
    return 0;
}
