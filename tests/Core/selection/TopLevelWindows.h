// TopLevelWindows: the top-level windows a selection test puts on the screen,
// with known titles, sizes and Z order; all destroyed with the object.
//
// The windows are shown without being activated: Wine on a display without a
// window manager then leaves them unmanaged and destroys them at once, where
// a managed (captioned or activated) window costs seconds to take down.
#pragma once

#include <memory>
#include <vector>

#include "CWnd.h"

namespace seltest {

class TopLevelWindows
{
public:
    TopLevelWindows() = default;
    TopLevelWindows(const TopLevelWindows&) = delete;
    TopLevelWindows& operator=(const TopLevelWindows&) = delete;

    // Creates a window of the framework's default class and puts it on top
    // of the other non-topmost windows; with WS_VISIBLE in dwStyle it is
    // shown there without being activated. Null on failure.
    HWND Add(LPCWSTR lpszTitle, DWORD dwStyle, int x, int y, int cx, int cy);
    // A visible popup whose client area (320 x 200) is well above 4 x 4.
    HWND AddPlain(LPCWSTR lpszTitle, int x = 40, int y = 40);
    // A window like AddPlain's, minimised (still visible, but iconic).
    HWND AddMinimised(LPCWSTR lpszTitle);

    bool Contains(HWND hWnd) const;
    int Count() const { return static_cast<int>(m_windows.size()); }

    // Position of hWnd in the Z order of all top-level windows (0 is the
    // top), -1 when it is not a top-level window.
    static int ZIndex(HWND hWnd);

private:
    std::vector<std::unique_ptr<CWnd>> m_windows;
};

} // namespace seltest
