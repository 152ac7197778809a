// CCaptureSequence: the frame every capture mode runs around its own choice
// of target: guard, hide the main window, record the mode, wait, play the
// sound, grab and store, show the main window, empty the names, copy.
#pragma once

#include "CRect.h"
#include "PlatformTypes.h"

#include <functional>
#include <memory>

class CImageBitmap;

class CPictureStore;
class CTesConfig;
class CWnd;

// Guards: the modes that take a window or the whole screen run one at a time
// (GUARD_BUSY: whole screen, window, current window, client area, object);
// a region capture runs one at a time on its own (GUARD_REGION), and neither
// guard refuses the other. A refused capture returns 0 before anything
// happens.
//
// Order of the steps before the target is chosen, per mode:
//   HIDE_WAIT_RECORD_CHOOSE   whole screen, region: the target is taken as
//                             the screen looks after the wait
//   HIDE_RECORD_CHOOSE_WAIT   window and client area from the chooser
//   RECORD_HIDE_CHOOSE_WAIT   current window (found after the hiding)
// Then, when a target was chosen and still exists: (the wait,) the sound and
// the grab. Every outcome ends with the main window shown, the names emptied
// and, when the settings ask for it, the picture copied.
//
// While starting (until EndStartUp) the wait is a fixed 50 ms, nothing is
// recorded and no sound plays. GUI thread only.
class CCaptureSequence
{
public:
    enum Guard { GUARD_BUSY, GUARD_REGION };
    enum Order { HIDE_WAIT_RECORD_CHOOSE, HIDE_RECORD_CHOOSE_WAIT, RECORD_HIDE_CHOOSE_WAIT };
    struct Mode
    {
        int nMode;   // the capture mode recorded in the settings
        Guard guard;
        Order order;
    };
    // A window to grab (null: none chosen) and the rectangle of it (empty:
    // the whole window), or with bClientArea its client area, measured when
    // it is grabbed; or a picture already taken (the region overlay's), which
    // is stored as it is.
    struct Target
    {
        HWND hWnd;
        CRect rect;
        BOOL bClientArea;
        std::shared_ptr<CImageBitmap> pPicture;
    };
    enum { STARTING_WAIT_MS = 50, MAX_WAIT_MS = 15000 };

    CCaptureSequence(CTesConfig& config, CPictureStore& store);
    CCaptureSequence(const CCaptureSequence&) = delete;
    CCaptureSequence& operator=(const CCaptureSequence&) = delete;

    void SetMainWindow(CWnd* pMainWnd) { m_pMainWnd = pMainWnd; }
    void EndStartUp() { m_bStarting = FALSE; }
    BOOL IsStarting() const { return m_bStarting; }

    // One whole capture; choose runs at its place in the order. 1 when a
    // picture was captured.
    int Run(const Mode& mode, const std::function<Target()>& choose);

    // The steps one by one, for a capture whose end comes later (the object
    // pick ends on a click): Enter refuses (FALSE) while guard is taken.
    BOOL Enter(Guard guard);
    BOOL IsEntered(Guard guard) const;
    void HideMainWindow();
    void Record(int nMode);
    // The capture delay of the settings, limited to 0 ... MAX_WAIT_MS.
    void Wait();
    void PlaySnapSound();
    // When the target still exists: the sound, then the grab (or the taken
    // picture) stored; 1 when a picture was stored.
    int Grab(const Target& target);
    // The grab alone (no sound): 1 when a picture was stored.
    int GrabAndStore(HWND hWnd, const CRect& rect);
    void Leave(Guard guard);

private:
    CTesConfig& m_config;
    CPictureStore& m_store;
    CWnd* m_pMainWnd;
    BOOL m_bStarting;
    BOOL m_bEntered[2];
};
