// CWndCreationScope: while it lives, the next window created on this thread
// is entered in the handle map for a given CWnd and subclassed with the
// framework's window procedure before it receives its first message (a CBT
// hook). Internal to the framework library.
#pragma once

#include "PlatformTypes.h"

class CWnd;

class CWndCreationScope
{
public:
    explicit CWndCreationScope(CWnd* pWnd);
    ~CWndCreationScope();

    CWndCreationScope(const CWndCreationScope&) = delete;
    CWndCreationScope& operator=(const CWndCreationScope&) = delete;

private:
    static LRESULT CALLBACK CbtProc(int nCode, WPARAM wParam, LPARAM lParam);

    CWnd* m_pPreviousPending;
    HHOOK m_hHook;
};
