// CObjectPick: the mouse side of picking an interface object: the window
// under the cursor, found on every timer tick and outlined with a blinking red
// frame; the tip kept out of the cursor's way; and the end of the pick with
// the tip gone and the frame off the screen.
#pragma once

#include "TesLibApi.h"
#include "PlatformTypes.h"

class CDlgSnapObjHelper;

// The engine's hidden window (the owner) receives the timer and the hook's
// messages and hands them on: OnTimerTick for timer TIMER_ID, OnMouseMove
// for the hook's moves. Stop ends the pick; the grab that may follow is the
// engine's.
//
// The frame: a solid red pen 4 pixels wide drawn with R2_NOTXORPEN along the
// window's outer edge, so drawing it twice restores the pixels under it; each
// tick draws it again, so on a window that does not repaint it shows for one
// tick and vanishes for the next. The pick keeps count: a frame that is on
// when the found window changes or the pick stops is drawn once more to take
// it off, then the window is asked to repaint. A child window of another
// process is outlined through the screen at its screen rectangle.
//
// The tip keeps to the monitor under the cursor: when the cursor comes within
// 20 pixels of the tip's rectangle, the tip moves to the other corner
// (bottom-right, top-left) of that monitor and the window under the cursor
// repaints what it uncovered; with the cursor on another monitor it takes the
// same corner of that monitor.
class TESLIB_API CObjectPick
{
public:
    enum { TIMER_ID = 1, TIMER_MS = 500, NEAR_TIP = 20 };

    explicit CObjectPick(CDlgSnapObjHelper& tip);
    CObjectPick(const CObjectPick&) = delete;
    CObjectPick& operator=(const CObjectPick&) = delete;

    // Mouse capture and timer on hOwner, nothing found yet, tip to start at
    // the bottom-right corner.
    void Start(HWND hOwner);
    // Runs the tip modally (library resources) until the pick stops or the
    // tip is closed.
    void RunTip();
    BOOL IsPicking() const { return m_bPicking; }
    BOOL IsTipOpen() const;
    HWND GetFoundWindow() const { return m_hFound; }

    void OnTimerTick();
    void OnMouseMove();
    // Tip hidden and ended with nTipResult, timer stopped, frame off and the
    // found window repainted, capture released. The found window when it
    // still exists, else null.
    HWND Stop(INT_PTR nTipResult);

    // Draws the frame on hWnd once (on again, or off again).
    void HighlightFoundWindow(HWND hWnd);
    // Has hWnd repaint itself, frame and children, at once.
    static void RefreshFoundWindow(HWND hWnd);
    // Moves the tip to the other corner when the cursor is near it.
    void LocateSnapObjTip();

private:
    // Takes the frame off when it is on.
    void RemoveFrame();

    CDlgSnapObjHelper& m_tip;
    HWND m_hOwner;
    HWND m_hFound;
    // The window whose frame is on the screen now, or null.
    HWND m_hFramed;
    BOOL m_bPicking;
};
