// CQualifyingWindows: the top-level windows a capture can be taken from,
// front to back, as one pass of EnumWindows finds them.
#pragma once

#include "TesLibApi.h"
#include "PlatformTypes.h"

// A window qualifies when it is visible, not minimised, its client area is
// more than 4 pixels wide and more than 4 pixels high, and its title is not
// empty. The list keeps the first MAX_WINDOWS qualifying windows in the order
// EnumWindows reports them (top of the Z order first), each with its title cut
// to MAX_TITLE characters. The enumeration always visits every top-level
// window; later qualifying windows are simply not entered. The object is
// large (about 130 KB) and meant to live for one use.
class TESLIB_API CQualifyingWindows
{
public:
    enum { MAX_WINDOWS = 254, MAX_TITLE = 259 };

    CQualifyingWindows();

    // Replaces the list with a fresh enumeration; returns the number found.
    int Enumerate();

    int GetCount() const { return m_nCount; }
    // Entry nIndex (0 is the front-most); null / empty outside 0..count-1.
    HWND GetWindow(int nIndex) const;
    LPCWSTR GetTitle(int nIndex) const;

private:
    struct Entry
    {
        HWND hWnd;
        WCHAR szTitle[MAX_TITLE + 1];
    };

    static BOOL CALLBACK EnumWindowsProc(HWND hWnd, LPARAM lParam);
    void Consider(HWND hWnd);

    Entry m_entries[MAX_WINDOWS];
    int m_nCount;
};
