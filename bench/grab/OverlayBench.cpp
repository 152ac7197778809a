// Overlay benchmark: the time from the call that opens the region selection
// overlay (DoModal) to the end of its first complete paint (the frozen screen,
// then the tip window), at the screen's size, beside a bare BitBlt of the
// screen, taking turns. Each opening is closed again at once; its closing is
// not timed.
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
          { "overlay call to first paint", OpenOverlay } },
        nRuns);
    bench::ReportRatio("overlay call to first paint", medians[1], medians[0]);
    return medians[1] < 0 ? 1 : 0;
}
