// CModalFront: the modal dialog a window waits for (the framework disables a
// dialog's owner while the dialog runs) and bringing that dialog to the front
// where the window itself would come forward, so that the disabled window
// never covers the one dialog that can take input.
#pragma once

#include "PlatformTypes.h"

class CModalFront
{
public:
    // The visible window hWndOwner waits for: its last active popup, and on
    // from there while that one waits for a popup of its own (a message box
    // over a sheet), else the enabled dialog window it owns; null while
    // hWndOwner is enabled.
    static HWND Find(HWND hWndOwner);
    // Raises Find's window (topmost when hWndOwner is) and makes it the
    // foreground window; FALSE, and nothing done, when there is none.
    static BOOL BringForward(HWND hWndOwner);

private:
    // More nested modal levels than a program opens.
    enum
    {
        MAX_LEVELS = 8
    };
};
