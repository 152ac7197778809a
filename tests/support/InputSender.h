// InputSender: synthesized keyboard and mouse input (SendInput), delivered
// to whatever has the focus or lies under the cursor, as a user's would be.
#pragma once

#include "PlatformTypes.h"

namespace guitest {

class InputSender
{
public:
    // Presses and releases a virtual key; TRUE when both events were queued.
    static bool Key(WORD vk);
    // Presses vk while modifier (VK_CONTROL, VK_SHIFT, VK_MENU) is held.
    static bool Chord(WORD modifier, WORD vk);
    // Moves the cursor to screen point (x, y) and clicks the left button.
    static bool Click(int x, int y);
    static bool MoveTo(int x, int y);
    // One mouse button event where the cursor is: MOUSEEVENTF_LEFTDOWN,
    // MOUSEEVENTF_LEFTUP, MOUSEEVENTF_RIGHTDOWN, ... (for drags).
    static bool Button(DWORD dwFlags);
};

} // namespace guitest
