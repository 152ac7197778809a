// Timing shared by the Windows benchmarks (see BenchTiming.h).
#include "BenchTiming.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace bench {

namespace {

const int kWarmUpRuns = 3;

} // namespace

long long Now()
{
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double MillisecondsSince(long long start)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(Now() - start) / static_cast<double>(frequency.QuadPart);
}

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool BlitScreen()
{
    const int cx = ::GetSystemMetrics(SM_CXSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYSCREEN);
    const HDC hScreen = ::GetDC(nullptr);
    const HDC hMemory = ::CreateCompatibleDC(hScreen);
    const HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, cx, cy);
    bool bCopied = false;
    if (hMemory != nullptr && hBitmap != nullptr) {
        const HGDIOBJ hOld = ::SelectObject(hMemory, hBitmap);
        bCopied = ::BitBlt(hMemory, 0, 0, cx, cy, hScreen, 0, 0, SRCCOPY) != FALSE;
        ::SelectObject(hMemory, hOld);
    }
    if (hBitmap != nullptr)
        ::DeleteObject(hBitmap);
    if (hMemory != nullptr)
        ::DeleteDC(hMemory);
    ::ReleaseDC(nullptr, hScreen);
    return bCopied;
}

std::function<double()> Timed(std::function<bool()> fn)
{
    return [fn] {
        const long long start = Now();
        const bool bDone = fn();
        const double ms = MillisecondsSince(start);
        return bDone ? ms : -1.0;
    };
}

std::vector<double> ReportInterleaved(const std::vector<Step>& steps, int nRuns)
{
    std::vector<std::vector<double>> times(steps.size());
    std::vector<bool> failed(steps.size(), false);
    for (int i = -kWarmUpRuns; i < nRuns; ++i) {
        for (size_t nStep = 0; nStep < steps.size(); ++nStep) {
            PumpMessages();
            const double ms = steps[nStep].measure();
            if (ms < 0)
                failed[nStep] = true;
            else if (i >= 0)
                times[nStep].push_back(ms);
        }
    }
    std::vector<double> medians;
    for (size_t nStep = 0; nStep < steps.size(); ++nStep) {
        std::vector<double>& t = times[nStep];
        if (t.empty()) {
            std::printf("  %-40s failed\n", steps[nStep].lpszName);
            medians.push_back(-1.0);
            continue;
        }
        std::sort(t.begin(), t.end());
        const size_t n = t.size();
        const double median = n % 2 ? t[n / 2] : (t[n / 2 - 1] + t[n / 2]) / 2;
        std::printf("  %-40s median %8.3f ms  min %8.3f ms  max %8.3f ms  (%zu runs%s)\n", steps[nStep].lpszName,
                    median, t.front(), t.back(), n, failed[nStep] ? ", some failed" : "");
        medians.push_back(median);
    }
    return medians;
}

void ReportRatio(const char* lpszName, double msMedian, double msBase)
{
    if (msMedian < 0 || msBase <= 0)
        return;
    std::printf("  %-40s %6.2f x the bare BitBlt\n", lpszName, msMedian / msBase);
}

} // namespace bench
