// The least any start of the program can take, for tools/bench-start.sh: a
// program with tes.exe's manifest that loads the system DLLs tes.exe and its
// DLLs load (at load time, and winmm, msimg32 and shcore from the system
// folder), starts the common controls and GDI+ as the program does, shows a
// plain window captioned "Start floor", and runs until it is closed. With
// TES_START_TRACE set it marks its stages as tes.exe does.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
// GDI+ needs the COM declarations that the lean Windows header leaves out.
#include <objidl.h>
#include <gdiplus.h>

#include "CStartTrace.h"

namespace {

LRESULT CALLBACK FloorWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

// The DLLs tes.exe's own DLLs take from the system folder while it runs.
void LoadRunTimeLibraries()
{
    const wchar_t* const names[] = { L"winmm.dll", L"msimg32.dll", L"shcore.dll" };
    for (const wchar_t* pszName : names)
        ::LoadLibraryExW(pszName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

} // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int)
{
    CStartTrace::Begin();
    // One cheap call into each load-time import that nothing below needs,
    // so that the loader maps it as it does for tes.exe.
    ::CommDlgExtendedError();
    ::DragAcceptFiles(nullptr, FALSE);
    ::CoGetCurrentProcess();
    ::SysFreeString(nullptr);
    ::GdiFlush();
    LoadRunTimeLibraries();
    CStartTrace::Mark("system-dlls");

    INITCOMMONCONTROLSEX icc = {};
    icc.dwSize = sizeof(icc);
    icc.dwICC = 0xFF;
    ::InitCommonControlsEx(&icc);
    CStartTrace::Mark("common-controls");
    ULONG_PTR gdiplusToken = 0;
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&gdiplusToken, &input, nullptr) != Gdiplus::Ok)
        return 1;
    CStartTrace::Mark("gdi+");

    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = FloorWndProc;
    wc.hInstance = hInstance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"TesStartFloor";
    if (::RegisterClassExW(&wc) == 0)
        return 1;
    const HWND hWnd = ::CreateWindowExW(0, wc.lpszClassName, L"Start floor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                        CW_USEDEFAULT, 600, 460, nullptr, nullptr, hInstance, nullptr);
    if (hWnd == nullptr)
        return 1;
    ::ShowWindow(hWnd, SW_SHOW);
    CStartTrace::Mark("shown");
    ::UpdateWindow(hWnd);
    CStartTrace::Mark("first-paint");

    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    Gdiplus::GdiplusShutdown(gdiplusToken);
    return static_cast<int>(msg.wParam);
}
