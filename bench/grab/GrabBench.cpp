// Grab benchmark: times CTesCore::SnapBitmap on the whole screen and on an
// 800 x 600 window and prints the median, fastest and slowest of many runs,
// beside the steps a grab is made of (a bare BitBlt of the screen into a
// compatible bitmap, the window DC, the topmost switch), each timed alone.
// Google Benchmark has no MinGW build here, so the timing is done with the
// performance counter; the median keeps one slow X round trip from
// distorting the figure.
#include "CTesCore.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

namespace {

const int kWarmUpRuns = 3;

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

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// Milliseconds of each of nRuns grabs of hWnd; empty when a grab fails.
std::vector<double> TimeGrabs(HWND hWnd, int nRuns, CSize& sizeGrabbed)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int i = -kWarmUpRuns; i < nRuns; ++i) {
        PumpMessages();
        LARGE_INTEGER start, end;
        ::QueryPerformanceCounter(&start);
        std::unique_ptr<CImageBitmap> pGrab(CTesCore::SnapBitmap(hWnd, CRect()));
        ::QueryPerformanceCounter(&end);
        if (!pGrab)
            return std::vector<double>();
        BITMAP bm = {};
        pGrab->GetBitmap(&bm);
        sizeGrabbed = CSize(bm.bmWidth, bm.bmHeight);
        if (i >= 0)
            times.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                            static_cast<double>(frequency.QuadPart));
    }
    return times;
}

void Report(const char* lpszName, HWND hWnd, int nRuns)
{
    CSize size;
    std::vector<double> times = TimeGrabs(hWnd, nRuns, size);
    if (times.empty()) {
        std::printf("%-24s grab failed\n", lpszName);
        return;
    }
    std::sort(times.begin(), times.end());
    const size_t n = times.size();
    const double median = n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
    std::printf("%-24s %4ld x %-4ld  median %8.3f ms  min %8.3f ms  max %8.3f ms  (%zu runs)\n", lpszName, size.cx,
                size.cy, median, times.front(), times.back(), n);
}

struct Step
{
    const char* lpszName;
    std::function<bool()> run;
};

// Median, fastest and slowest milliseconds of nRuns calls of each step. The
// steps take turns, so that a busy machine slows each of them alike.
void ReportInterleaved(const std::vector<Step>& steps, int nRuns)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    std::vector<std::vector<double>> times(steps.size());
    std::vector<bool> failed(steps.size(), false);
    for (int i = -kWarmUpRuns; i < nRuns; ++i) {
        for (size_t nStep = 0; nStep < steps.size(); ++nStep) {
            PumpMessages();
            LARGE_INTEGER start, end;
            ::QueryPerformanceCounter(&start);
            const bool bDone = steps[nStep].run();
            ::QueryPerformanceCounter(&end);
            if (!bDone)
                failed[nStep] = true;
            else if (i >= 0)
                times[nStep].push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                                       static_cast<double>(frequency.QuadPart));
        }
    }
    for (size_t nStep = 0; nStep < steps.size(); ++nStep) {
        std::vector<double>& t = times[nStep];
        if (t.empty()) {
            std::printf("  %-40s failed\n", steps[nStep].lpszName);
            continue;
        }
        std::sort(t.begin(), t.end());
        const size_t n = t.size();
        const double median = n % 2 ? t[n / 2] : (t[n / 2 - 1] + t[n / 2]) / 2;
        std::printf("  %-40s median %8.3f ms  min %8.3f ms  max %8.3f ms  (%zu runs%s)\n", steps[nStep].lpszName,
                    median, t.front(), t.back(), n, failed[nStep] ? ", some failed" : "");
    }
}

// The screen copied with BitBlt through hSource into a new compatible bitmap,
// everything released again: the least a grab has to do.
bool BlitScreen(HDC hSource)
{
    const int cx = ::GetSystemMetrics(SM_CXSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYSCREEN);
    const HDC hMemory = ::CreateCompatibleDC(hSource);
    const HBITMAP hBitmap = ::CreateCompatibleBitmap(hSource, cx, cy);
    bool bCopied = false;
    if (hMemory != nullptr && hBitmap != nullptr) {
        const HGDIOBJ hOld = ::SelectObject(hMemory, hBitmap);
        bCopied = ::BitBlt(hMemory, 0, 0, cx, cy, hSource, 0, 0, SRCCOPY) != FALSE;
        ::SelectObject(hMemory, hOld);
    }
    if (hBitmap != nullptr)
        ::DeleteObject(hBitmap);
    if (hMemory != nullptr)
        ::DeleteDC(hMemory);
    return bCopied;
}

bool BlitThroughScreenDC()
{
    const HDC hScreen = ::GetDC(nullptr);
    const bool bCopied = hScreen != nullptr && BlitScreen(hScreen);
    ::ReleaseDC(nullptr, hScreen);
    return bCopied;
}

bool BlitThroughDesktopWindowDC()
{
    const HWND hDesktop = ::GetDesktopWindow();
    const HDC hWindow = ::GetWindowDC(hDesktop);
    const bool bCopied = hWindow != nullptr && BlitScreen(hWindow);
    ::ReleaseDC(hDesktop, hWindow);
    return bCopied;
}

// The topmost switch of a grab (SetWindowPos on and off); FALSE when the
// system refuses it, as it does for the desktop window.
bool SwitchTopmost(HWND hWnd)
{
    const UINT nFlags = SWP_NOMOVE | SWP_NOSIZE;
    const BOOL bOn = ::SetWindowPos(hWnd, HWND_TOPMOST, 0, 0, 0, 0, nFlags);
    const BOOL bOff = ::SetWindowPos(hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, nFlags);
    return bOn && bOff;
}

bool SnapScreen()
{
    std::unique_ptr<CImageBitmap> pGrab(CTesCore::SnapBitmap(::GetDesktopWindow(), CRect()));
    return pGrab != nullptr;
}

// The whole-screen grab beside the steps it is made of, and beside the grab
// as it was made before it left the desktop window's topmost switch out.
void ReportSteps(HWND hWindow, int nRuns)
{
    const HWND hDesktop = ::GetDesktopWindow();
    std::printf("Whole-screen grab and its steps, taking turns:\n");
    ReportInterleaved({{"SnapBitmap whole screen", SnapScreen},
                       {"bare BitBlt via GetDC(NULL)", BlitThroughScreenDC},
                       {"bare BitBlt via desktop window DC", BlitThroughDesktopWindowDC},
                       {"topmost switch + BitBlt (the grab before)",
                        [hDesktop] {
                            SwitchTopmost(hDesktop);
                            return BlitThroughDesktopWindowDC();
                        }},
                       {"topmost switch alone, desktop", [hDesktop] { return SwitchTopmost(hDesktop); }},
                       {"topmost switch alone, 800 x 600 window", [hWindow] { return SwitchTopmost(hWindow); }}},
                      nRuns);
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
    PumpMessages();
    Report("SnapBitmap whole screen", ::GetDesktopWindow(), nRuns);
    Report("SnapBitmap window", hWindow, nRuns);
    ReportSteps(hWindow, nRuns);
    ::DestroyWindow(hWindow);
    return 0;
}
