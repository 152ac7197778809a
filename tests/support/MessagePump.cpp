// Bounded message pumping for GUI tests (see MessagePump.h).
#include "MessagePump.h"
#include "CWnd.h"

#include <climits>

namespace guitest {

bool MessagePump::DispatchOne(ULONGLONG deadline)
{
    MSG msg;
    if (GetTickCount64() >= deadline || !PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT) {
        // Leave WM_QUIT for whoever runs the real loop.
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    if (!CWnd::WalkPreTranslateTree(nullptr, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

bool MessagePump::PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        // The deadline holds even when messages never stop coming (a window
        // that never validates its update region gets WM_PAINT forever).
        while (DispatchOne(deadline)) {
        }
        if (done())
            return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return done();
        const DWORD wait = static_cast<DWORD>(deadline - now < 10 ? deadline - now : 10);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
    }
}

void MessagePump::PumpFor(DWORD durationMs)
{
    PumpUntil([] { return false; }, durationMs);
}

void MessagePump::PumpPending()
{
    while (DispatchOne(ULLONG_MAX)) {
    }
}

} // namespace guitest
