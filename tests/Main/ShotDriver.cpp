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

#include <cstdio>
#include <cwchar>
#include <string>

#include "GdiplusCodecs.h"
#include "InputSender.h"
#include "ProcessUsage.h"
#include "RemoteWindows.h"
#include "resource.h"

using guitest::InputSender;
using guitest::RemoteWindows;

namespace {

const wchar_t kMainTitle[] = L"Tessaly（Brivane作品）";

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

int TakeShots(const std::wstring& folder)
{
    int nFailed = 0;
    const HWND hMain = RemoteWindows::WaitForTitle(kMainTitle);
    nFailed += !SaveWindow(hMain, folder + L"\\main-window.png");
    if (hMain == nullptr)
        return 1;

    ::PostMessageW(hMain, WM_COMMAND, ID_OPTIONS, 0);
    const HWND hSheet = RemoteWindows::WaitForTitle(L"参数设置");
    static const wchar_t* const kPages[] = {L"options-basic.png", L"options-image.png",
                                            L"options-hotkey.png"};
    for (int i = 0; i < 3 && hSheet != nullptr; ++i) {
        ::SendMessageW(hSheet, PSM_SETCURSEL, i, 0);
        nFailed += !SaveWindow(hSheet, folder + L"\\" + kPages[i]);
    }
    nFailed += hSheet == nullptr;
    if (hSheet != nullptr)
        ::PostMessageW(hSheet, WM_COMMAND, IDCANCEL, 0);
    RemoteWindows::WaitForVisibility(hSheet, false, 3000);

    ::PostMessageW(hMain, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    const HWND hAbout = RemoteWindows::WaitForTitle(L"关于 Brivane Tessaly");
    nFailed += !SaveWindow(hAbout, folder + L"\\about.png");
    if (hAbout != nullptr)
        ::PostMessageW(hAbout, WM_COMMAND, IDCANCEL, 0);
    ::Sleep(300);

    ::PostMessageW(hMain, WM_COMMAND, ID_SNAP_ACTIVE_WIN, 0);
    const HWND hChooser = RemoteWindows::WaitForTitle(L"活动程序窗口");
    nFailed += !SaveWindow(hChooser, folder + L"\\window-chooser.png");
    if (hChooser != nullptr)
        ::PostMessageW(hChooser, WM_COMMAND, IDCANCEL, 0);
    RemoteWindows::WaitForVisibility(hMain, true, 5000);

    // The object-pick tip while the mouse is over the main window's copy
    // button, taken with a margin.
    RECT buttonRect;
    ::GetWindowRect(::GetDlgItem(hMain, ID_EDIT_COPY), &buttonRect);
    ::PostMessageW(hMain, WM_COMMAND, ID_SNAP_WIN_OBJ, 0);
    ::Sleep(1000);
    InputSender::MoveTo(buttonRect.left + 10, buttonRect.top + 5);
    ::Sleep(300);
    InputSender::MoveTo(buttonRect.left + 20, buttonRect.top + 8);
    const HWND hTip = RemoteWindows::WaitForOther(hMain, false, L"#32770", 5000);
    for (int step = 0; step < 5; ++step) {
        ::Sleep(200);
        InputSender::MoveTo(buttonRect.left + 30 + step, buttonRect.top + 10);
    }
    ::Sleep(800);
    RECT tipPart = {0, 0, 0, 0};
    if (hTip != nullptr)
        ::GetWindowRect(hTip, &tipPart);
    ::InflateRect(&tipPart, 30, 30);
    nFailed += hTip == nullptr || !SaveScreenRect(tipPart, folder + L"\\object-pick-tip.png");
    InputSender::Key(VK_ESCAPE);
    RemoteWindows::WaitForVisibility(hMain, true, 5000);
    ::Sleep(500);

    // The region overlay with a drag in progress over the (frozen) main
    // window: the button stays down while the picture is taken, then Esc
    // cancels.
    RECT mainRect;
    ::GetWindowRect(hMain, &mainRect);
    const int x0 = mainRect.left + 60;
    const int y0 = mainRect.top + 90;
    ::PostMessageW(hMain, WM_COMMAND, ID_SNAP_SELECT_RECT, 0);
    const HWND hOverlay = RemoteWindows::WaitForOther(hMain, true, nullptr, 5000);
    ::Sleep(800);
    InputSender::MoveTo(x0, y0);
    ::Sleep(100);
    InputSender::MoveTo(x0, y0);
    InputSender::Button(MOUSEEVENTF_LEFTDOWN);
    for (int step = 1; step <= 10; ++step) {
        InputSender::MoveTo(x0 + step * 30, y0 + step * 20);
        ::Sleep(30);
    }
    ::Sleep(500);
    const RECT overlayPart = {mainRect.left - 20, mainRect.top - 20, mainRect.right + 20,
                              mainRect.bottom + 20};
    nFailed += hOverlay == nullptr || !SaveScreenRect(overlayPart, folder + L"\\region-overlay.png");
    InputSender::Key(VK_ESCAPE);
    ::Sleep(200);
    InputSender::MoveTo(x0 + 300, y0 + 200);
    InputSender::Button(MOUSEEVENTF_LEFTUP);
    InputSender::Key(VK_ESCAPE);
    RemoteWindows::WaitForVisibility(hMain, true, 5000);
    return nFailed;
}

// Print Screen N times; each capture hides the main window and shows it
// again with the new picture, which marks its end.
int Bench(int nCaptures)
{
    const HWND hMain = RemoteWindows::WaitForTitle(kMainTitle);
    if (hMain == nullptr) {
        std::wprintf(L"tes.exe main window not found\n");
        return 1;
    }
    ::Sleep(1000);
    std::wprintf(L"after start-up: %ls\n", guitest::ProcessUsage::OfWindow(hMain).Describe().c_str());
    int nDone = 0;
    for (int i = 0; i < nCaptures; ++i) {
        InputSender::Key(VK_SNAPSHOT);
        const bool bHidden = RemoteWindows::WaitForVisibility(hMain, false, 3000);
        if (bHidden && RemoteWindows::WaitForVisibility(hMain, true, 10000))
            ++nDone;
        ::Sleep(50);
    }
    ::Sleep(500);
    std::wprintf(L"after %d captures from Print Screen: %ls\n", nDone,
                 guitest::ProcessUsage::OfWindow(hMain).Describe().c_str());
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
