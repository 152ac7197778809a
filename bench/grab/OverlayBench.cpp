// Overlay benchmark: the time from the call that opens the region selection
// overlay (DoModal) to the end of its first complete paint (the frozen screen,
// then the tip window), at the screen's size. Prints the median, fastest and
// slowest of many openings; each opening is closed again at once.
#include "CDlgSnapRectHelper.h"
#include "CTesLocalResource.h"
#include "CWinApp.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

CWinApp theBenchApp;

LARGE_INTEGER g_start;

double MillisecondsSince(const LARGE_INTEGER& start)
{
    LARGE_INTEGER now, frequency;
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

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
        m_msFirstPaint = MillisecondsSince(g_start);
        PostMessage(WM_COMMAND, IDCANCEL, 0);
    }
};

BEGIN_MESSAGE_MAP(TimedOverlay, CDlgSnapRectHelper)
    ON_WM_PAINT()
END_MESSAGE_MAP()

} // namespace

int main(int argc, char** argv)
{
    const int nRuns = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    std::vector<double> times;
    for (int i = -1; i < nRuns; ++i) {
        CTesLocalResource scope;
        TimedOverlay overlay;
        ::QueryPerformanceCounter(&g_start);
        overlay.DoModal();
        if (overlay.m_msFirstPaint < 0.0) {
            std::printf("overlay did not paint\n");
            return 1;
        }
        if (i >= 0)
            times.push_back(overlay.m_msFirstPaint);
    }
    std::sort(times.begin(), times.end());
    const size_t n = times.size();
    const double median = n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
    std::printf("%-24s %4d x %-4d  median %8.3f ms  min %8.3f ms  max %8.3f ms  (%zu runs)\n", "overlay first paint",
                ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), median, times.front(), times.back(),
                n);
    return 0;
}
