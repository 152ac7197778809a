// CWindowDC: the whole-window DC of a window, title bar and frame included
// (GetWindowDC), released again when the object goes.
#pragma once

#include "CDC.h"

class CWnd;

// The DC's origin is the window's outer top-left corner. With a null window
// the DC covers the whole screen (GetWindowDC of no window). When the DC
// cannot be taken, m_hDC stays null. The destructor selects back the DC's
// initial objects and releases it.
class FRAMEWORK_API CWindowDC : public CDC
{
    DECLARE_DYNAMIC(CWindowDC)
public:
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;

    HWND m_hWnd;
};
