// Timed actions and the modal watchdog (see TimedAction.h).
#include "TimedAction.h"

#include <map>

namespace guitest {

namespace {
std::map<UINT_PTR, TimedAction*>& Pending()
{
    static std::map<UINT_PTR, TimedAction*> pending;
    return pending;
}
} // namespace

TimedAction::TimedAction(DWORD delayMs, std::function<void()> action)
    : TimedAction(delayMs, nullptr, std::move(action))
{
}

TimedAction::TimedAction(DWORD delayMs, std::function<bool()> ready, std::function<void()> action)
    : m_ready(std::move(ready)),
      m_action(std::move(action)),
      m_nTimer(SetTimer(nullptr, 0, delayMs, &OnTimer)),
      m_bRun(false)
{
    if (m_nTimer != 0)
        Pending()[m_nTimer] = this;
}

TimedAction::~TimedAction()
{
    if (m_nTimer != 0 && Pending().erase(m_nTimer) != 0)
        KillTimer(nullptr, m_nTimer);
}

void CALLBACK TimedAction::OnTimer(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    auto it = Pending().find(nIDEvent);
    if (it == Pending().end()) {
        KillTimer(nullptr, nIDEvent);
        return;
    }
    TimedAction* pAction = it->second;
    if (pAction->m_ready && !pAction->m_ready())
        return;
    KillTimer(nullptr, nIDEvent);
    Pending().erase(it);
    pAction->m_bRun = true;
    pAction->m_action();
}

ModalWatchdog::ModalWatchdog(DWORD timeoutMs)
    : m_action(timeoutMs, [] {
          HWND hWnd = GetActiveWindow();
          if (hWnd != nullptr)
              PostMessageW(hWnd, WM_CLOSE, 0, 0);
      })
{
}

} // namespace guitest
