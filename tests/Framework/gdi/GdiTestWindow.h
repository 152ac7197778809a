// GdiTestWindow: a visible, topmost pop-up window made with plain Win32 for
// the device-context tests, with a replaceable WM_PAINT handler.
#pragma once

#include "PlatformTypes.h"

#include <functional>
#include <utility>

class GdiTestWindow
{
public:
    // bOwnDC: the window class has CS_OWNDC, so the window keeps one DC for
    // its whole life and GetDC returns the same DC with its state each time.
    GdiTestWindow(const RECT& rcScreen, COLORREF crBackground, bool bOwnDC = false);
    ~GdiTestWindow();
    GdiTestWindow(const GdiTestWindow&) = delete;
    GdiTestWindow& operator=(const GdiTestWindow&) = delete;

    HWND Handle() const { return m_hWnd; }
    // Called for WM_PAINT instead of the default processing.
    void SetPaintHandler(std::function<void(HWND)> onPaint) { m_onPaint = std::move(onPaint); }
    int PaintCount() const { return m_nPaints; }

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd;
    int m_nPaints;
    std::function<void(HWND)> m_onPaint;
    HBRUSH m_hBackground;
};
