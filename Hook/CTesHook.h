// CTesHook: the system-wide low-level mouse hook that reports mouse input to
// the capture engine while an object pick runs.
#pragma once

#include "HookApi.h"
#include "TesHookMessages.h"

// While at least one CTesHook exists, a WH_MOUSE_LL hook runs on the thread
// that made the first one (it needs that thread's message loop). During an
// object pick, that is while the thread's mouse capture is held by the
// engine's hidden window (TES_CORE_WINDOW_ID), the hook posts to that window:
//   each mouse move           WM_ES_MOUSEMOVE   (the move goes on as usual)
//   each left-button press    WM_ES_LBUTTONDOWN (press and release swallowed)
//   each right-button press   WM_ES_RBUTTONDOWN (press and release swallowed)
// so the click that takes the picture never reaches the window under the
// cursor (an open menu stays open, a button is not pressed). Outside a pick
// every event passes untouched and nothing is posted. Messages are posted,
// never sent, so a slow handler cannot delay the hook past the system's
// time-out; no exception leaves the hook procedure.
class HOOK_API CTesHook
{
public:
    CTesHook();
    virtual ~CTesHook();

    CTesHook(const CTesHook&) = delete;
    CTesHook& operator=(const CTesHook&) = delete;

    // TRUE while the system hook is installed.
    static BOOL IsInstalled();

    // What the hook does with one mouse event (WM_MOUSEMOVE, WM_LBUTTONDOWN,
    // ...): posts to the pick window, if any, and answers TRUE when the event
    // is to be swallowed. The hook procedure's whole logic, callable on its own.
    static BOOL HandleMouseEvent(WPARAM nMessage);

    // The engine window of a running pick on this thread, or null.
    static HWND FindPickWindow();

    // TRUE between a swallowed left press and its swallowed release.
    static BOOL IsLeftButtonHeld();

private:
    static LRESULT CALLBACK LowLevelMouseProc(int nCode, WPARAM wParam, LPARAM lParam);
};
