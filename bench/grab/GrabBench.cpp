// Grab benchmark: times CTesCore::SnapBitmap on the whole screen and on an
// 800 x 600 window and prints the median, fastest and slowest of many runs.
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
    ::DestroyWindow(hWindow);
    return 0;
}
