// Bounded message pumping for GUI tests: dispatch this thread's messages
// (through the framework's PreTranslateMessage chain) until a condition holds
// or a time limit passes. Nothing here waits without a bound.
#pragma once

#include <functional>

#include "PlatformTypes.h"

namespace guitest {

class MessagePump
{
public:
    // Pumps until done() is true (checked whenever the queue is empty, and at
    // least every 10 ms) or timeoutMs pass; returns done()'s last value.
    static bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000);
    // Pumps for durationMs.
    static void PumpFor(DWORD durationMs);
    // Dispatches what is queued now, without waiting.
    static void PumpPending();

private:
    // Dispatches one queued message unless the deadline has passed; false
    // when none was dispatched (queue empty, deadline passed, or WM_QUIT,
    // which stays queued).
    static bool DispatchOne(ULONGLONG deadline);
};

} // namespace guitest
