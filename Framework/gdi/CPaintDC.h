// CPaintDC: the DC of one WM_PAINT of a window (BeginPaint in the
// constructor, EndPaint in the destructor).
#pragma once

#include "CDC.h"

class CWnd;

// Used only while handling WM_PAINT: BeginPaint validates the update region
// and clips the DC to it; m_ps holds the paint rectangle and the erase flag.
// A null window or a failed BeginPaint leaves m_hDC null. The destructor
// selects back the DC's initial objects and ends the painting.
class FRAMEWORK_API CPaintDC : public CDC
{
    DECLARE_DYNAMIC(CPaintDC)
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    HWND m_hWnd;
    PAINTSTRUCT m_ps;
};
