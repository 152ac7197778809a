// Capture benchmark: the whole capture of the engine, from the call a hot key
// makes to the picture and thumbnail stored, beside its grab and a bare BitBlt
// of the screen; the mouse while the engine waits out a capture delay; the GDI
// objects, handles and private bytes over many captures with every effect on;
// and the peak memory of one whole-screen capture with every effect on.
// Figures are printed, never checked.
//
// Usage: capture_bench.exe stages RUNS | hook | resources CAPTURES | peak
#include "BenchTiming.h"
#include "CTesCore.h"

#include "CHelper.h"
#include "CImageBitmap.h"

#include <objidl.h>
#include <gdiplus.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace {

using bench::PumpMessages;

// The engine with its grab-and-store step open to the benchmark.
class BenchCore : public CTesCore
{
public:
    using CTesCore::SnapRect;
};

// The settings file beside the benchmark, which the engine reads on start
// and writes on close.
CString ConfigPath()
{
    return CHelper::GetAppPath() + L"config.xml";
}

// The program's windows as the engine needs them: a main window with a
// 400 x 300 preview control, and the engine started on them from the default
// settings (no settings file), quiet (no sound, no delay, no automatic copy,
// the main window left shown). The settings file is removed again at the end.
class BenchEngine
{
public:
    BenchEngine()
    {
        ::DeleteFileW(ConfigPath());
        if (!m_wndMain.CreateEx(WS_EX_NOACTIVATE, nullptr, L"capture bench", WS_POPUP, 1300, 60, 420, 320, nullptr,
                                nullptr))
            return;
        m_wndMain.ShowWindow(SW_SHOWNOACTIVATE);
        if (!m_wndPreview.CreateEx(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 10, 400, 300, m_wndMain.m_hWnd,
                                   nullptr))
            return;
        if (!m_core.InitVoruzev(&m_wndMain, &m_wndPreview))
            return;
        CTesConfig& config = m_core.m_config;
        config.SetSnapOnStart(0);
        config.SetPlaySnapSound(0);
        config.SetSnapDelayTime(0);
        config.SetAutoCopy(0);
        config.SetHideMainWnd(0);
        m_bReady = true;
        PumpMessages();
    }
    ~BenchEngine()
    {
        m_core.CloseVoruzev();
        ::DeleteFileW(ConfigPath());
    }
    BenchEngine(const BenchEngine&) = delete;
    BenchEngine& operator=(const BenchEngine&) = delete;

    bool Ready() const { return m_bReady; }
    BenchCore& Core() { return m_core; }

    // Every one of the nine effects on, with the settings' own amounts.
    void SwitchAllEffectsOn()
    {
        CTesConfig& config = m_core.m_config;
        config.m_bEffects = 1;
        config.m_bReplaceColor = 1;
        config.SetGrayScale(1);
        config.SetNegate(1);
        config.SetFlipHorz(1);
        config.SetFlipVert(1);
        config.SetRotate(1);
        config.SetScale(1);
        config.SetShearDown(1);
        config.SetShearAcross(1);
        config.SetBlur(1);
        config.SetSharpen(1);
    }

private:
    CWnd m_wndMain;
    CWnd m_wndPreview;
    BenchCore m_core;
    bool m_bReady = false;
};

// The whole-screen capture with delay 0 and no effects, beside its grab and
// the bare BitBlt, taking turns: the grab (SnapBitmap); the grab stored
// (SnapRect: the grab taken over as the captured picture, the GDI+ picture,
// the thumbnail); the store alone (RefreshImageData); and the capture end to
// end through SnapFullScreen, which is what the hot key handler calls.
int RunStages(int nRuns)
{
    BenchEngine engine;
    if (!engine.Ready()) {
        std::printf("engine not started\n");
        return 1;
    }
    BenchCore& core = engine.Core();
    const HWND hDesktop = ::GetDesktopWindow();
    std::printf("Whole-screen capture %d x %d, delay 0, no effects, taking turns:\n", ::GetSystemMetrics(SM_CXSCREEN),
                ::GetSystemMetrics(SM_CYSCREEN));
    const std::vector<double> medians = bench::ReportInterleaved(
        { { "bare BitBlt of the screen", bench::Timed(bench::BlitScreen) },
          { "grab (SnapBitmap)", bench::Timed([hDesktop] {
                std::unique_ptr<CImageBitmap> pGrab(CTesCore::SnapBitmap(hDesktop, CRect()));
                return pGrab != nullptr;
            }) },
          { "grab and store (SnapRect)", bench::Timed([&core, hDesktop] {
                return core.SnapRect(hDesktop, CRect()) == 1 && core.GetImage() != nullptr;
            }) },
          { "store alone (RefreshImageData)", bench::Timed([&core] {
                core.RefreshImageData();
                int x = 0, y = 0;
                return core.GetImage() != nullptr && core.GetThubImage(x, y) != nullptr;
            }) },
          { "SnapFullScreen end to end", bench::Timed([&core] { return core.SnapFullScreen() == 1; }) } },
        nRuns);
    bench::ReportRatio("grab and store (SnapRect)", medians[2], medians[0]);
    bench::ReportRatio("SnapFullScreen end to end", medians[4], medians[0]);
    return 0;
}

// Ten mouse moves sent from a second thread while the engine's thread sleeps
// in a 3 s capture delay: how long they take to go through the system, whose
// low-level mouse hooks they pass.
int RunHook()
{
    BenchEngine engine;
    if (!engine.Ready()) {
        std::printf("engine not started\n");
        return 1;
    }
    engine.Core().m_config.SetSnapDelayTime(3000);
    std::atomic<double> msMoves(-1.0);
    std::thread mover([&msMoves] {
        ::Sleep(300);   // the engine is asleep by now
        const long long start = bench::Now();
        for (int i = 0; i < 10; ++i) {
            INPUT input = {};
            input.type = INPUT_MOUSE;
            input.mi.dx = 20 + 3 * i;
            input.mi.dy = 20 + 2 * i;
            input.mi.dwFlags = MOUSEEVENTF_MOVE;
            ::SendInput(1, &input, sizeof(input));
        }
        msMoves = bench::MillisecondsSince(start);
    });
    const long long start = bench::Now();
    engine.Core().SnapFullScreen();
    const double msCapture = bench::MillisecondsSince(start);
    mover.join();
    std::printf("Ten mouse moves sent while the engine waits out a 3 s capture delay: %.1f ms (the capture took "
                "%.0f ms)\n",
                msMoves.load(), msCapture);
    return 0;
}

struct ProcessResources
{
    DWORD nGdiObjects;
    DWORD nHandles;
    SIZE_T nPrivateBytes;
    SIZE_T nWorkingSet;
};

// Live GDI objects of the process found by asking the type of every handle
// index; the handle table accepts an index without its reuse count. Used where
// the system's count (GetGuiResources) is not kept, as under Wine.
DWORD ProbeGdiObjects()
{
    DWORD nCount = 0;
    for (ULONG_PTR nIndex = 1; nIndex <= 0xFFFF; ++nIndex) {
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(nIndex)) != 0)
            ++nCount;
    }
    return nCount;
}

// Open kernel handles found by asking every handle value up to 0x40000 for
// its flags; used where GetProcessHandleCount gives nothing, as under Wine.
DWORD ProbeHandles()
{
    DWORD nCount = 0;
    for (ULONG_PTR nValue = 4; nValue <= 0x40000; nValue += 4) {
        DWORD dwFlags = 0;
        if (::GetHandleInformation(reinterpret_cast<HANDLE>(nValue), &dwFlags))
            ++nCount;
    }
    return nCount;
}

ProcessResources ReadResources()
{
    ProcessResources res = {};
    const HANDLE hProcess = ::GetCurrentProcess();
    res.nGdiObjects = ::GetGuiResources(hProcess, GR_GDIOBJECTS);
    if (res.nGdiObjects == 0)
        res.nGdiObjects = ProbeGdiObjects();
    if (!::GetProcessHandleCount(hProcess, &res.nHandles) || res.nHandles == 0)
        res.nHandles = ProbeHandles();
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    if (::GetProcessMemoryInfo(hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters))) {
        // Without the private count (Wine leaves it 0) the committed bytes stand in.
        res.nPrivateBytes = counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
        res.nWorkingSet = counters.WorkingSetSize;
    }
    return res;
}

void PrintResources(const char* lpszWhen, const ProcessResources& res)
{
    const double mb = 1024.0 * 1024.0;
    std::printf("  %-18s GDI objects %5lu  handles %5lu  private bytes %8.1f MB  working set %7.1f MB\n", lpszWhen,
                res.nGdiObjects, res.nHandles, res.nPrivateBytes / mb, res.nWorkingSet / mb);
}

// Captures of a 200 x 150 part of the screen, through the engine's whole
// store (SnapRect: grab, buffers, every effect, GDI+ picture, thumbnail),
// with the process's counts after a warm-up and every quarter of the way.
int RunResources(int nCaptures)
{
    BenchEngine engine;
    if (!engine.Ready()) {
        std::printf("engine not started\n");
        return 1;
    }
    engine.SwitchAllEffectsOn();
    BenchCore& core = engine.Core();
    const CRect rcPart(100, 100, 300, 250);
    for (int i = 0; i < 10; ++i)
        core.SnapRect(::GetDesktopWindow(), rcPart);
    PumpMessages();
    std::printf("%d captures of 200 x 150 with all nine effects on:\n", nCaptures);
    // The counting itself, checked on objects made for the purpose.
    const ProcessResources before = ReadResources();
    HBRUSH hBrushes[5];
    HANDLE hEvents[5];
    for (int i = 0; i < 5; ++i) {
        hBrushes[i] = ::CreateSolidBrush(RGB(i, 0, 0));
        hEvents[i] = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    }
    const ProcessResources during = ReadResources();
    for (int i = 0; i < 5; ++i) {
        ::DeleteObject(hBrushes[i]);
        ::CloseHandle(hEvents[i]);
    }
    std::printf("  (the counts see %ld of 5 new brushes and %ld of 5 new events)\n",
                static_cast<long>(during.nGdiObjects) - static_cast<long>(before.nGdiObjects),
                static_cast<long>(during.nHandles) - static_cast<long>(before.nHandles));
    PrintResources("start (after 10)", ReadResources());
    const int nQuarter = std::max(1, nCaptures / 4);
    int nFailed = 0;
    for (int i = 1; i <= nCaptures; ++i) {
        if (core.SnapRect(::GetDesktopWindow(), rcPart) != 1 || core.GetImage() == nullptr)
            ++nFailed;
        PumpMessages();
        if (i % nQuarter == 0 || i == nCaptures) {
            char szWhen[32];
            std::snprintf(szWhen, sizeof(szWhen), "after %d", i);
            PrintResources(szWhen, ReadResources());
        }
    }
    if (nFailed != 0)
        std::printf("  %d captures failed\n", nFailed);
    return 0;
}

// One whole-screen capture with every effect on; the process's peak working
// set and peak committed bytes before (engine started) and after.
int RunPeak()
{
    BenchEngine engine;
    if (!engine.Ready()) {
        std::printf("engine not started\n");
        return 1;
    }
    engine.SwitchAllEffectsOn();
    PROCESS_MEMORY_COUNTERS before = {};
    before.cb = sizeof(before);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &before, sizeof(before));
    const long long start = bench::Now();
    const int nSnapped = engine.Core().SnapFullScreen();
    const double ms = bench::MillisecondsSince(start);
    PROCESS_MEMORY_COUNTERS after = {};
    after.cb = sizeof(after);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &after, sizeof(after));
    Gdiplus::Image* pImage = engine.Core().GetImage();
    const double mb = 1024.0 * 1024.0;
    const CTesConfig& config = engine.Core().m_config;
    std::printf("One capture of the %d x %d screen with all nine effects on (scale %d %%, rotate %d deg): %s, "
                "picture %u x %u, %.0f ms\n",
                ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), config.GetScaleFactor(),
                config.GetRotateAngle(), nSnapped == 1 ? "captured" : "FAILED", pImage ? pImage->GetWidth() : 0,
                pImage ? pImage->GetHeight() : 0, ms);
    std::printf("  peak working set   before %7.1f MB  after %7.1f MB\n", before.PeakWorkingSetSize / mb,
                after.PeakWorkingSetSize / mb);
    std::printf("  peak pagefile use  before %7.1f MB  after %7.1f MB\n", before.PeakPagefileUsage / mb,
                after.PeakPagefileUsage / mb);
    return nSnapped == 1 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    const char* lpszMode = argc > 1 ? argv[1] : "stages";
    const int nCount = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
    if (std::strcmp(lpszMode, "stages") == 0)
        return RunStages(nCount);
    if (std::strcmp(lpszMode, "hook") == 0)
        return RunHook();
    if (std::strcmp(lpszMode, "resources") == 0)
        return RunResources(nCount);
    if (std::strcmp(lpszMode, "peak") == 0)
        return RunPeak();
    std::printf("usage: capture_bench stages RUNS | hook | resources CAPTURES | peak\n");
    return 2;
}
