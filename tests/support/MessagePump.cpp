// Bounded message pumping for GUI tests (see MessagePump.h).
#include "MessagePump.h"
#include "CWnd.h"

namespace guitest {

void MessagePump::DispatchQueued()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave WM_QUIT for whoever runs the real loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (!CWnd::WalkPreTranslateTree(nullptr, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

bool MessagePump::PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        DispatchQueued();
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
    DispatchQueued();
}

} // namespace guitest
