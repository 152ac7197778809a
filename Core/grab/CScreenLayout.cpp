// CScreenLayout: the monitors (see CScreenLayout.h).
#include "CScreenLayout.h"

#include "CSystemLibrary.h"

namespace {

// MDT_EFFECTIVE_DPI of GetDpiForMonitor (shcore.dll, Windows 8.1 and later).
const int kEffectiveDpi = 0;
typedef HRESULT(WINAPI* GetDpiForMonitorProc)(HMONITOR, int, UINT*, UINT*);

// GetDpiForMonitor from the system folder, or null where the system has none.
GetDpiForMonitorProc MonitorDpiFunction()
{
    static const GetDpiForMonitorProc pfn = [] {
        static CSystemLibrary shcore(L"shcore.dll");
        return shcore.GetFunction<GetDpiForMonitorProc>("GetDpiForMonitor");
    }();
    return pfn;
}

} // namespace

CRect CScreenLayout::VirtualScreen()
{
    const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    return CRect(x, y, x + ::GetSystemMetrics(SM_CXVIRTUALSCREEN), y + ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

CRect CScreenLayout::PrimaryScreen()
{
    return CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}

CRect CScreenLayout::MonitorAt(CPoint pt)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    const HMONITOR hMonitor = ::MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST);
    if (hMonitor == nullptr || !::GetMonitorInfoW(hMonitor, &info))
        return PrimaryScreen();
    return CRect(info.rcMonitor);
}

UINT CScreenLayout::DpiAt(CPoint pt)
{
    UINT dpiX = 0;
    UINT dpiY = 0;
    const GetDpiForMonitorProc pfn = MonitorDpiFunction();
    if (pfn != nullptr &&
        SUCCEEDED(pfn(::MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &dpiX, &dpiY)) && dpiY != 0)
        return dpiY;
    const HDC hScreen = ::GetDC(nullptr);
    const int dpi = hScreen != nullptr ? ::GetDeviceCaps(hScreen, LOGPIXELSY) : 96;
    if (hScreen != nullptr)
        ::ReleaseDC(nullptr, hScreen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}
