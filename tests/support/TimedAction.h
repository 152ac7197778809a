// TimedAction: runs a function on the GUI thread after a delay, from a thread
// timer, so that a test can drive a modal loop (DoModal, a message box) that
// it started itself. The action runs at most once; destroying the object
// cancels it. With a readiness check the timer fires every delayMs until the
// check holds, so the modal loop stays free to reach its idle point (where a
// dialog shows itself) between tries.
#pragma once

#include <functional>

#include "PlatformTypes.h"

namespace guitest {

class TimedAction
{
public:
    TimedAction(DWORD delayMs, std::function<void()> action);
    TimedAction(DWORD delayMs, std::function<bool()> ready, std::function<void()> action);
    ~TimedAction();

    TimedAction(const TimedAction&) = delete;
    TimedAction& operator=(const TimedAction&) = delete;

    bool HasRun() const { return m_bRun; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR nIDEvent, DWORD);

    std::function<bool()> m_ready;
    std::function<void()> m_action;
    UINT_PTR m_nTimer;
    bool m_bRun;
};

// Ends whatever modal loop is still running after timeoutMs: it sends
// WM_CLOSE to this thread's active window, so that a test that fails never
// waits for a person. Fired() tells the test that it had to step in.
class ModalWatchdog
{
public:
    explicit ModalWatchdog(DWORD timeoutMs = 10000);
    bool Fired() const { return m_action.HasRun(); }

private:
    TimedAction m_action;
};

} // namespace guitest
