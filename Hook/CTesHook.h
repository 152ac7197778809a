// CTesHook: the system-wide low-level mouse hook that reports mouse input to
// the capture engine while an object pick runs.
#pragma once

#include "HookApi.h"
#include "TesHookMessages.h"

// While at least one CTesHook exists, a WH_MOUSE_LL hook runs on a thread of
// its own that does nothing but answer the system, so however long the
// engine's thread waits (a capture delay, a grab), no mouse event of the
// system waits for it and the system never drops the hook for being slow.
//
// The hook watches the thread that made the first CTesHook (the engine's GUI
// thread). During an object pick, that is while that thread's mouse capture is
// held by the engine's hidden window (TES_CORE_WINDOW_ID), it posts to that
// window:
//   each mouse move           WM_ES_MOUSEMOVE   (the move goes on as usual)
//   each left-button press    WM_ES_LBUTTONDOWN (press and release swallowed)
//   each right-button press   WM_ES_RBUTTONDOWN (press and release swallowed)
// so the click that takes the picture never reaches the window under the
// cursor (an open menu stays open, a button is not pressed); the release of a
// swallowed press is swallowed even when the pick has ended meanwhile.
// Outside a pick every event passes untouched and nothing is posted.
//
// Making a CTesHook when the hook is not installed (the first one, or every
// one after the system refused) tries to install it again. The last one to go
// ends the thread. Objects are made and destroyed on one thread; no exception
// leaves the hook procedure.
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
    // ...) while dwGuiThread is the watched thread: posts to the pick window,
    // if any, and answers TRUE when the event is to be swallowed. The hook
    // procedure's whole logic, callable on its own.
    static BOOL HandleMouseEvent(WPARAM nMessage, DWORD dwGuiThread);

    // The engine window of a running pick on dwGuiThread, or null.
    static HWND FindPickWindow(DWORD dwGuiThread);
};
