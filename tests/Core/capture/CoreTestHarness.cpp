// Helpers of the capture-engine tests (see CoreTestHarness.h).
#include "CoreTestHarness.h"

#include "CHelper.h"
#include "InputSender.h"
#include "MessagePump.h"
#include "PatternWindow.h"
#include "ScreenReader.h"

#include <objidl.h>
#include <gdiplus.h>

#include <atomic>
#include <cstdio>
#include <cwchar>
#include <thread>

namespace coretest {

TestImage ReadPixels(Gdiplus::Image* pImage)
{
    if (pImage == nullptr)
        return TestImage();
    Gdiplus::Bitmap* pBitmap = static_cast<Gdiplus::Bitmap*>(pImage);
    const int w = static_cast<int>(pBitmap->GetWidth());
    const int h = static_cast<int>(pBitmap->GetHeight());
    Gdiplus::Rect rect(0, 0, w, h);
    Gdiplus::BitmapData data = {};
    if (w <= 0 || h <= 0
        || pBitmap->LockBits(&rect, Gdiplus::ImageLockModeRead, PixelFormat32bppRGB, &data) != Gdiplus::Ok)
        return TestImage();
    TestImage pixels(w, h);
    for (int y = 0; y < h; ++y) {
        const BYTE* pRow = static_cast<const BYTE*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride;
        for (int x = 0; x < w; ++x)
            pixels.At(x, y) = RGBX(pRow[x * 4], pRow[x * 4 + 1], pRow[x * 4 + 2], 0);
    }
    pBitmap->UnlockBits(&data);
    return pixels;
}

LRESULT TestCore::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && wParam == CTesCore::PICK_TIMER_ID)
        ++m_nPickTimerTicks;
    return CTesCore::WindowProc(message, wParam, lParam);
}

CString ConfigPath()
{
    return CHelper::GetAppPath() + L"config.xml";
}

EngineHarness::EngineHarness()
{
    ::DeleteFileW(ConfigPath());
    if (!m_wndBackdrop.CreateEx(WS_EX_NOACTIVATE, nullptr, L"底层窗口", WS_POPUP, 1800, 1000, 60, 40, nullptr,
                                nullptr))
        return;
    ::SetWindowPos(m_wndBackdrop.m_hWnd, HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (!m_wndMain.CreateEx(WS_EX_NOACTIVATE, nullptr, L"引擎测试主窗口", WS_POPUP, 1300, 60, 420, 320, nullptr,
                            nullptr))
        return;
    m_wndMain.ShowWindow(SW_SHOWNOACTIVATE);
    if (!m_wndPreview.CreateEx(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 10, 400, 300, m_wndMain.m_hWnd,
                               nullptr))
        return;
    m_pCore.reset(new TestCore);
    if (!m_pCore->InitVoruzev(&m_wndMain, &m_wndPreview))
        return;
    CTesConfig& config = m_pCore->m_config;
    config.SetPlaySnapSound(0);
    config.SetSnapDelayTime(0);
    config.SetAutoCopy(0);
    config.SetHideMainWnd(1);
    m_bReady = true;
}

EngineHarness::~EngineHarness()
{
    if (m_pCore) {
        m_pCore->CloseVoruzev();
        m_pCore.reset();
    }
    ::DeleteFileW(ConfigPath());
}

HWND EngineHarness::CoreWindow() const
{
    return m_pCore ? m_pCore->m_hWnd : nullptr;
}

// ---------------------------------------------------------------------------

namespace {

const UINT WM_TEST_DESTROY_AFTER = WM_APP + 1;
const UINT WM_TEST_OPEN_MENU = WM_APP + 2;
const UINT_PTR kDestroyTimer = 7;
// The command chosen in the last menu that a foreign window opened (0: none).
std::atomic<int> g_nMenuCommand{ 0 };

LRESULT CALLBACK ForeignWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hDC = ::BeginPaint(hWnd, &ps);
        RECT rc;
        ::GetClientRect(hWnd, &rc);
        guitest::PatternWindow::Paint(hDC, rc.right, rc.bottom);
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_TEST_DESTROY_AFTER:
        ::SetTimer(hWnd, kDestroyTimer, static_cast<UINT>(wParam), nullptr);
        return 0;
    case WM_TIMER:
        if (wParam == kDestroyTimer) {
            ::KillTimer(hWnd, kDestroyTimer);
            ::DestroyWindow(hWnd);
        }
        return 0;
    case WM_TEST_OPEN_MENU: {
        HMENU hMenu = ::CreatePopupMenu();
        ::AppendMenuW(hMenu, MF_STRING, 1, L"第一项 First item");
        ::AppendMenuW(hMenu, MF_STRING, 2, L"第二项 Second item");
        ::AppendMenuW(hMenu, MF_STRING, 3, L"第三项 Third item");
        g_nMenuCommand = ::TrackPopupMenu(hMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, static_cast<int>(wParam),
                                         static_cast<int>(lParam), 0, hWnd, nullptr);
        ::DestroyMenu(hMenu);
        return 0;
    }
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    }
}

} // namespace

struct ForeignPatternWindow::State
{
    std::thread thread;
    std::atomic<HWND> hWnd{ nullptr };
    std::atomic<HWND> hButton{ nullptr };
    std::atomic<bool> bCreated{ false };
};

ForeignPatternWindow::ForeignPatternWindow(const RECT& rect, bool bFramed, bool bWithButton) : m_pState(new State)
{
    State* pState = m_pState.get();
    pState->thread = std::thread([pState, rect, bFramed, bWithButton] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ForeignWndProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = L"TesForeignPattern";
        ::RegisterClassW(&wc);   // a second registration fails harmlessly
        const DWORD style = bFramed ? (WS_POPUP | WS_THICKFRAME | WS_BORDER) : WS_POPUP;
        HWND hWnd = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, wc.lpszClassName, L"外来图样窗口",
                                      style, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                      nullptr, nullptr, wc.hInstance, nullptr);
        if (hWnd != nullptr && bWithButton)
            pState->hButton = ::CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 20,
                                                100, 30, hWnd, reinterpret_cast<HMENU>(1), wc.hInstance, nullptr);
        if (hWnd != nullptr) {
            ::ShowWindow(hWnd, SW_SHOWNOACTIVATE);
            ::UpdateWindow(hWnd);
        }
        pState->hWnd = hWnd;
        pState->bCreated = true;
        MSG msg;
        while (hWnd != nullptr && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    });
    guitest::MessagePump::PumpUntil([pState] { return pState->bCreated.load(); });
    m_hWnd = pState->hWnd;
    m_hButton = pState->hButton;
    if (m_hWnd != nullptr) {
        // Bounded wait until the window's top-left pixel shows its left band.
        RECT rc;
        ::GetClientRect(m_hWnd, &rc);
        POINT pt = { 0, 0 };
        ::ClientToScreen(m_hWnd, &pt);
        const COLORREF band = guitest::PatternWindow::ExpectedColor(0, 0, rc.right, rc.bottom);
        const RECT one = { pt.x, pt.y, pt.x + 1, pt.y + 1 };
        guitest::MessagePump::PumpUntil([&] {
            const TestImage seen = guitest::ScreenReader::Rect(one);
            return seen.width == 1 && seen.Color(0, 0) == band;
        });
    }
}

ForeignPatternWindow::~ForeignPatternWindow()
{
    if (m_pState->hWnd != nullptr && ::IsWindow(m_pState->hWnd))
        ::PostMessageW(m_pState->hWnd, WM_CLOSE, 0, 0);
    m_pState->thread.join();
}

void ForeignPatternWindow::DestroyAfter(DWORD delayMs)
{
    ::PostMessageW(m_hWnd, WM_TEST_DESTROY_AFTER, delayMs, 0);
}

HWND ForeignPatternWindow::OpenMenu(int x, int y)
{
    ::PostMessageW(m_hWnd, WM_TEST_OPEN_MENU, static_cast<WPARAM>(x), static_cast<LPARAM>(y));
    HWND hMenu = nullptr;
    guitest::MessagePump::PumpUntil([&] {
        hMenu = ::FindWindowW(L"#32768", nullptr);
        return hMenu != nullptr && ::IsWindowVisible(hMenu);
    });
    return hMenu;
}

int ForeignPatternWindow::MenuCommand() const
{
    return g_nMenuCommand;
}

void ForeignPatternWindow::CloseMenu()
{
    ::PostMessageW(m_hWnd, WM_CANCELMODE, 0, 0);
}

} // namespace coretest

namespace coretest {

// Under Wine on a bare X display, a thread with an X connection (the GUI
// thread) reads the cursor from the X pointer, which neither SendInput nor
// SetCursorPos moves there; xdotool (a Unix program, started through Wine)
// moves it. Elsewhere SendInput has moved the cursor already.
void MoveXPointer(int x, int y)
{
    wchar_t szCommand[96];
    swprintf(szCommand, 96, L"Z:\\usr\\bin\\xdotool mousemove %d %d", x, y);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(nullptr, szCommand, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return;
    ::WaitForSingleObject(pi.hProcess, 5000);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
}

struct MouseScript::State
{
    std::thread thread;
    std::atomic<bool> bDone{ false };
};

MouseScript::MouseScript(std::vector<Step> steps) : m_pState(new State)
{
    State* pState = m_pState.get();
    pState->thread = std::thread([pState, steps] {
        for (const Step& step : steps) {
            INPUT inputs[2] = {};
            inputs[0].type = inputs[1].type = INPUT_MOUSE;
            switch (step.kind) {
            case Step::MOVE:
                guitest::InputSender::MoveTo(step.x, step.y);
                MoveXPointer(step.x, step.y);
                break;
            case Step::LEFT_CLICK:
            case Step::RIGHT_CLICK: {
                const bool bLeft = step.kind == Step::LEFT_CLICK;
                inputs[0].mi.dwFlags = bLeft ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN;
                inputs[1].mi.dwFlags = bLeft ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP;
                ::SendInput(2, inputs, sizeof(INPUT));
                break;
            }
            case Step::LEFT_DOWN:
            case Step::LEFT_UP:
                inputs[0].mi.dwFlags = step.kind == Step::LEFT_DOWN ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
                ::SendInput(1, inputs, sizeof(INPUT));
                break;
            case Step::PAUSE:
                ::Sleep(static_cast<DWORD>(step.x));
                break;
            }
            ::Sleep(20);
        }
        pState->bDone = true;
    });
}

MouseScript::~MouseScript()
{
    // The script's input is reported to this thread's hook: keep pumping.
    guitest::MessagePump::PumpUntil([this] { return Done(); }, 30000);
    m_pState->thread.join();
}

bool MouseScript::Done() const
{
    return m_pState->bDone;
}

} // namespace coretest

void PrintTo(const CRect& rect, std::ostream* pStream)
{
    *pStream << "(" << rect.left << ", " << rect.top << ") - (" << rect.right << ", " << rect.bottom << ")";
}
