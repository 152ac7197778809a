// GdiTestWindow (see GdiTestWindow.h).
#include "GdiTestWindow.h"

#include "MessagePump.h"

using guitest::MessagePump;

namespace {

const wchar_t* ClassName(bool bOwnDC)
{
    return bOwnDC ? L"GdiTestWindowOwnDC" : L"GdiTestWindow";
}

void RegisterTestClass(bool bOwnDC, WNDPROC pfnWndProc)
{
    WNDCLASSEXW wc = {};
    if (::GetClassInfoExW(::GetModuleHandleW(nullptr), ClassName(bOwnDC), &wc))
        return;
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW | (bOwnDC ? CS_OWNDC : 0);
    wc.lpfnWndProc = pfnWndProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.lpszClassName = ClassName(bOwnDC);
    ::RegisterClassExW(&wc);
}

} // namespace

GdiTestWindow::GdiTestWindow(const RECT& rcScreen, COLORREF crBackground, bool bOwnDC)
    : m_hWnd(nullptr)
    , m_nPaints(0)
    , m_hBackground(::CreateSolidBrush(crBackground))
{
    RegisterTestClass(bOwnDC, &GdiTestWindow::WindowProc);
    m_hWnd = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, ClassName(bOwnDC), L"gdi test",
                               WS_POPUP | WS_BORDER, rcScreen.left, rcScreen.top,
                               rcScreen.right - rcScreen.left, rcScreen.bottom - rcScreen.top, nullptr,
                               nullptr, ::GetModuleHandleW(nullptr), this);
    if (m_hWnd == nullptr)
        return;
    ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
    ::UpdateWindow(m_hWnd);
    MessagePump::PumpUntil([this] { return m_nPaints > 0; }, 3000);
    MessagePump::PumpFor(100);
}

GdiTestWindow::~GdiTestWindow()
{
    if (m_hWnd != nullptr)
        ::DestroyWindow(m_hWnd);
    ::DeleteObject(m_hBackground);
    MessagePump::PumpFor(20);
}

LRESULT CALLBACK GdiTestWindow::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* pCreate = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pCreate->lpCreateParams));
    }
    auto* pThis = reinterpret_cast<GdiTestWindow*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (pThis != nullptr) {
        switch (message) {
        case WM_ERASEBKGND: {
            RECT rc;
            ::GetClientRect(hWnd, &rc);
            ::FillRect(reinterpret_cast<HDC>(wParam), &rc, pThis->m_hBackground);
            return 1;
        }
        case WM_PAINT:
            ++pThis->m_nPaints;
            if (pThis->m_onPaint) {
                pThis->m_onPaint(hWnd);
                return 0;
            }
            break;
        case WM_NCDESTROY:
            ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
            pThis->m_hWnd = nullptr;
            break;
        default:
            break;
        }
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}
