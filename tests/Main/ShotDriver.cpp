// Drives a running tes.exe from a second process, the way a user would:
// commands posted to its main window, keys and a mouse drag through
// SendInput (which reaches the other process through the Wine server).
//   tes_shot_driver shots FOLDER  - a PNG of each window: main window, the
//                                   three options pages, about box, window
//                                   chooser, region overlay during a drag,
//                                   object-pick tip
//   tes_shot_driver bench N       - private bytes and GDI objects of tes.exe
//                                   after start-up and after N captures from
//                                   the Print Screen hot key (printed)
#include <windows.h>
// GDI+ needs the COM declarations that the lean Windows header leaves out.
#include <objidl.h>
#include <gdiplus.h>
#include <prsht.h>
#include <psapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "GdiplusCodecs.h"
#include "resource.h"

namespace {

const wchar_t kMainTitle[] = L"Tessaly（Brivane作品）";

// Waits up to nMs for a visible top-level window with this caption.
HWND WaitForWindow(const wchar_t* pszTitle, int nMs = 10000)
{
    for (int waited = 0; waited < nMs; waited += 50) {
        const HWND hWnd = ::FindWindowW(nullptr, pszTitle);
        if (hWnd != nullptr && ::IsWindowVisible(hWnd))
            return hWnd;
        ::Sleep(50);
    }
    return nullptr;
}

bool WaitForVisibility(HWND hWnd, bool bVisible, int nMs)
{
    for (int waited = 0; waited < nMs; waited += 10) {
        if ((::IsWindowVisible(hWnd) != FALSE) == bVisible)
            return true;
        ::Sleep(10);
    }
    return false;
}

// Copies the screen rectangle, clipped to the screen, into a PNG file.
bool SaveScreenRect(const RECT& wanted, const std::wstring& path)
{
    const RECT screen = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    RECT rect;
    ::IntersectRect(&rect, &wanted, &screen);
    const int cx = rect.right - rect.left;
    const int cy = rect.bottom - rect.top;
    const HDC hScreen = ::GetDC(nullptr);
    const HDC hMem = ::CreateCompatibleDC(hScreen);
    const HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, cx, cy);
    const HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    ::BitBlt(hMem, 0, 0, cx, cy, hScreen, rect.left, rect.top, SRCCOPY);
    ::SelectObject(hMem, hOld);
    bool bSaved = false;
    {
        Gdiplus::Bitmap picture(hBitmap, nullptr);
        CLSID png;
        if (guitest::GdiplusCodecs::FindEncoder(L"image/png", png))
            bSaved = picture.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
    }
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);
    ::ReleaseDC(nullptr, hScreen);
    std::wprintf(L"%ls %ls\n", bSaved ? L"wrote" : L"FAILED", path.c_str());
    return bSaved;
}

bool SaveWindow(HWND hWnd, const std::wstring& path)
{
    if (hWnd == nullptr) {
        std::wprintf(L"FAILED %ls: window not found\n", path.c_str());
        return false;
    }
    ::Sleep(400); // let it paint
    // Without a window manager nobody draws the caption: leave it out.
    RECT rect;
    ::GetWindowRect(hWnd, &rect);
    if ((::GetWindowLongW(hWnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION)
        rect.top += ::GetSystemMetrics(SM_CYCAPTION);
    return SaveScreenRect(rect, path);
}

void SendKey(WORD wVk, bool bUp)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = wVk;
    input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(INPUT));
}

void PressKey(WORD wVk)
{
    SendKey(wVk, false);
    SendKey(wVk, true);
}

// Absolute mouse input: 0..65535 across the primary screen.
void SendMouse(int x, int y, DWORD dwButton)
{
    const int cx = ::GetSystemMetrics(SM_CXSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (x * 65536 + cx - 1) / cx;
    input.mi.dy = (y * 65536 + cy - 1) / cy;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | dwButton;
    ::SendInput(1, &input, sizeof(INPUT));
}

// The overlay and the tip have no caption to look for: among the visible
// top-level windows of the program other than the main window, the largest
// (the overlay covers the screen) or the smallest (the tip).
struct OtherWindowSearch
{
    HWND hMain;
    DWORD dwProcessId;
    bool bLargest;
    const wchar_t* pszClass; // or null for any
    HWND hFound;
    long long nFoundArea;
};

BOOL CALLBACK ConsiderWindow(HWND hWnd, LPARAM lParam)
{
    auto& search = *reinterpret_cast<OtherWindowSearch*>(lParam);
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcessId);
    if (hWnd == search.hMain || dwProcessId != search.dwProcessId || !::IsWindowVisible(hWnd))
        return TRUE;
    wchar_t szClass[64] = {};
    ::GetClassNameW(hWnd, szClass, 64);
    if (search.pszClass != nullptr && std::wcscmp(szClass, search.pszClass) != 0)
        return TRUE;
    RECT rect;
    ::GetWindowRect(hWnd, &rect);
    const long long nArea = 1LL * (rect.right - rect.left) * (rect.bottom - rect.top);
    if (nArea > 0
        && (search.hFound == nullptr
            || (search.bLargest ? nArea > search.nFoundArea : nArea < search.nFoundArea))) {
        search.hFound = hWnd;
        search.nFoundArea = nArea;
    }
    return TRUE;
}

HWND WaitForOtherWindow(HWND hMain, bool bLargest, const wchar_t* pszClass, int nMs)
{
    OtherWindowSearch search = {hMain, 0, bLargest, pszClass, nullptr, 0};
    ::GetWindowThreadProcessId(hMain, &search.dwProcessId);
    for (int waited = 0; waited < nMs && search.hFound == nullptr; waited += 50) {
        ::Sleep(50);
        ::EnumWindows(ConsiderWindow, reinterpret_cast<LPARAM>(&search));
    }
    return search.hFound;
}

int TakeShots(const std::wstring& folder)
{
    int nFailed = 0;
    const HWND hMain = WaitForWindow(kMainTitle);
    nFailed += !SaveWindow(hMain, folder + L"\\main-window.png");
    if (hMain == nullptr)
        return 1;

    ::PostMessageW(hMain, WM_COMMAND, ID_OPTIONS, 0);
    const HWND hSheet = WaitForWindow(L"参数设置");
    static const wchar_t* const kPages[] = {L"options-basic.png", L"options-image.png",
                                            L"options-hotkey.png"};
    for (int i = 0; i < 3 && hSheet != nullptr; ++i) {
        ::SendMessageW(hSheet, PSM_SETCURSEL, i, 0);
        nFailed += !SaveWindow(hSheet, folder + L"\\" + kPages[i]);
    }
    nFailed += hSheet == nullptr;
    if (hSheet != nullptr)
        ::PostMessageW(hSheet, WM_COMMAND, IDCANCEL, 0);
    WaitForVisibility(hSheet, false, 3000);

    ::PostMessageW(hMain, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    const HWND hAbout = WaitForWindow(L"关于 Brivane Tessaly");
    nFailed += !SaveWindow(hAbout, folder + L"\\about.png");
    if (hAbout != nullptr)
        ::PostMessageW(hAbout, WM_COMMAND, IDCANCEL, 0);
    ::Sleep(300);

    ::PostMessageW(hMain, WM_COMMAND, ID_SNAP_ACTIVE_WIN, 0);
    const HWND hChooser = WaitForWindow(L"活动程序窗口");
    nFailed += !SaveWindow(hChooser, folder + L"\\window-chooser.png");
    if (hChooser != nullptr)
        ::PostMessageW(hChooser, WM_COMMAND, IDCANCEL, 0);
    WaitForVisibility(hMain, true, 5000);

    // The object-pick tip while the mouse is over the main window's copy
    // button, taken with a margin.
    RECT buttonRect;
    ::GetWindowRect(::GetDlgItem(hMain, ID_EDIT_COPY), &buttonRect);
    ::PostMessageW(hMain, WM_COMMAND, ID_SNAP_WIN_OBJ, 0);
    ::Sleep(1000);
    SendMouse(buttonRect.left + 10, buttonRect.top + 5, 0);
    ::Sleep(300);
    SendMouse(buttonRect.left + 20, buttonRect.top + 8, 0);
    const HWND hTip = WaitForOtherWindow(hMain, false, L"#32770", 5000);
    for (int step = 0; step < 5; ++step) {
        ::Sleep(200);
        SendMouse(buttonRect.left + 30 + step, buttonRect.top + 10, 0);
    }
    ::Sleep(800);
    RECT tipPart = {0, 0, 0, 0};
    if (hTip != nullptr)
        ::GetWindowRect(hTip, &tipPart);
    ::InflateRect(&tipPart, 30, 30);
    nFailed += hTip == nullptr || !SaveScreenRect(tipPart, folder + L"\\object-pick-tip.png");
    PressKey(VK_ESCAPE);
    WaitForVisibility(hMain, true, 5000);
    ::Sleep(500);

    // The region overlay with a drag in progress over the (frozen) main
    // window: the button stays down while the picture is taken, then Esc
    // cancels.
    RECT mainRect;
    ::GetWindowRect(hMain, &mainRect);
    const int x0 = mainRect.left + 60;
    const int y0 = mainRect.top + 90;
    ::PostMessageW(hMain, WM_COMMAND, ID_SNAP_SELECT_RECT, 0);
    const HWND hOverlay = WaitForOtherWindow(hMain, true, nullptr, 5000);
    ::Sleep(800);
    SendMouse(x0, y0, 0);
    ::Sleep(100);
    SendMouse(x0, y0, MOUSEEVENTF_LEFTDOWN);
    for (int step = 1; step <= 10; ++step) {
        SendMouse(x0 + step * 30, y0 + step * 20, 0);
        ::Sleep(30);
    }
    ::Sleep(500);
    const RECT overlayPart = {mainRect.left - 20, mainRect.top - 20, mainRect.right + 20,
                              mainRect.bottom + 20};
    nFailed += hOverlay == nullptr || !SaveScreenRect(overlayPart, folder + L"\\region-overlay.png");
    PressKey(VK_ESCAPE);
    ::Sleep(200);
    SendMouse(x0 + 300, y0 + 200, MOUSEEVENTF_LEFTUP);
    PressKey(VK_ESCAPE);
    WaitForVisibility(hMain, true, 5000);
    return nFailed;
}

// Memory and GDI objects of the tes.exe that owns the main window.
void PrintUsage(HWND hMain, const wchar_t* pszWhen)
{
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hMain, &dwProcessId);
    const HANDLE hProcess =
        ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, dwProcessId);
    // The commit charge (PagefileUsage) is the process's private bytes; Wine
    // leaves the newer PrivateUsage field at zero.
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    ::GetProcessMemoryInfo(hProcess, &counters, sizeof(counters));
    ::SetLastError(0);
    const DWORD dwGdi = ::GetGuiResources(hProcess, GR_GDIOBJECTS);
    const DWORD dwGdiError = ::GetLastError();
    const DWORD dwUser = ::GetGuiResources(hProcess, GR_USEROBJECTS);
    std::wprintf(L"%ls: private bytes %.1f MiB, working set %.1f MiB, GDI objects %lu%ls, "
                 L"USER objects %lu\n",
                 pszWhen, counters.PagefileUsage / 1048576.0, counters.WorkingSetSize / 1048576.0,
                 dwGdi, dwGdi == 0 && dwGdiError != 0 ? L" (not reported by this system)" : L"",
                 dwUser);
    ::CloseHandle(hProcess);
}

// Print Screen N times; each capture hides the main window and shows it
// again with the new picture, which marks its end.
int Bench(int nCaptures)
{
    const HWND hMain = WaitForWindow(kMainTitle);
    if (hMain == nullptr) {
        std::wprintf(L"tes.exe main window not found\n");
        return 1;
    }
    ::Sleep(1000);
    PrintUsage(hMain, L"after start-up");
    int nDone = 0;
    for (int i = 0; i < nCaptures; ++i) {
        PressKey(VK_SNAPSHOT);
        const bool bHidden = WaitForVisibility(hMain, false, 3000);
        if (bHidden && WaitForVisibility(hMain, true, 10000))
            ++nDone;
        ::Sleep(50);
    }
    ::Sleep(500);
    wchar_t szWhen[64];
    std::swprintf(szWhen, 64, L"after %d captures from Print Screen", nDone);
    PrintUsage(hMain, szWhen);
    return nDone == nCaptures ? 0 : 1;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::wprintf(L"usage: tes_shot_driver shots FOLDER | bench N\n");
        return 2;
    }
    Gdiplus::GdiplusStartupInput startup;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &startup, nullptr);
    int nResult;
    if (std::wcscmp(argv[1], L"bench") == 0)
        nResult = Bench(_wtoi(argv[2]));
    else
        nResult = TakeShots(argv[2]);
    Gdiplus::GdiplusShutdown(token);
    return nResult;
}
