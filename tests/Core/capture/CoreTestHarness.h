// Helpers of the capture-engine tests: pixels of GDI+ pictures,
// an engine started on a test main window with a 400 x 300 preview, and
// windows of known pixels owned by a second thread (so that they can die
// while the engine's thread waits).
#pragma once

#include "CTesCore.h"
#include "TestImage.h"

#include <memory>
#include <ostream>
#include <vector>

namespace Gdiplus {
class Image;
}

namespace coretest {

// A GDI+ picture's pixels (fourth byte 0); bitmaps are read with
// guitest::BitmapReader and the screen with guitest::ScreenReader.
TestImage ReadPixels(Gdiplus::Image* pImage);

// CTesCore with its protected operations and state open to the tests.
class TestCore : public CTesCore
{
public:
    using CTesCore::ConvertImage;
    using CTesCore::ResetBitmapData;
    using CTesCore::SetThubImage;
    using CTesCore::CheckWindowValidity;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // WM_TIMER messages with identifier 1 that reached the hidden window.
    int m_nPickTimerTicks = 0;
};

// An engine started on a shown popup main window with a 400 x 300 preview
// control, settings from their defaults (no config.xml), then made quiet: no
// sound, no delay, no automatic copy, main window hidden during captures.
class EngineHarness
{
public:
    EngineHarness();
    ~EngineHarness();

    bool Ready() const { return m_bReady; }
    TestCore& Core() { return *m_pCore; }
    CWnd& MainWnd() { return m_wndMain; }
    CWnd& PreviewWnd() { return m_wndPreview; }
    HWND CoreWindow() const;

private:
    // A titled window at the bottom of the Z order: the window chooser leaves
    // the bottom-most window out, which on a bare display would be the test's.
    CWnd m_wndBackdrop;
    CWnd m_wndMain;
    CWnd m_wndPreview;
    std::unique_ptr<TestCore> m_pCore;
    bool m_bReady = false;
};

// The settings file of the test program; removed by the harness.
CString ConfigPath();

// A window on its own thread that paints the pattern of PatternWindow (a
// topmost popup with a title, or, with bFramed, a topmost window with a
// thick frame whose client area holds the pattern). It can be told to
// destroy itself after a delay, whatever the test thread is doing.
class ForeignPatternWindow
{
public:
    // bWithButton: a push button "OK" at client (20, 20) - (120, 50).
    ForeignPatternWindow(const RECT& rect, bool bFramed, bool bWithButton = false);
    ~ForeignPatternWindow();

    HWND Handle() const { return m_hWnd; }
    HWND Button() const { return m_hButton; }
    // The window goes delayMs from now (its own thread destroys it).
    void DestroyAfter(DWORD delayMs);
    // The window's thread opens a popup menu of three items at (x, y);
    // returns once the menu window is on the screen (null when it is not).
    HWND OpenMenu(int x, int y);
    void CloseMenu();
    // The item chosen in the last menu (0 when it closed without a choice).
    int MenuCommand() const;

private:
    struct State;
    std::unique_ptr<State> m_pState;
    HWND m_hWnd = nullptr;
    HWND m_hButton = nullptr;
};

// Mouse input sent from a second thread while the test thread pumps: the
// steps run in order, each a move (x, y), a left or right click, or a pause.
class MouseScript
{
public:
    struct Step
    {
        enum Kind { MOVE, LEFT_CLICK, RIGHT_CLICK, LEFT_DOWN, LEFT_UP, PAUSE } kind;
        int x;
        int y;   // PAUSE: x milliseconds
    };
    explicit MouseScript(std::vector<Step> steps);
    ~MouseScript();
    bool Done() const;

private:
    struct State;
    std::unique_ptr<State> m_pState;
};

} // namespace coretest

// Rectangles in test messages as (left, top) - (right, bottom).
void PrintTo(const CRect& rect, std::ostream* pStream);
