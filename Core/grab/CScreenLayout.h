// CScreenLayout: where the monitors are: the virtual screen they make
// together, the primary one, the one at a point and its DPI.
#pragma once

#include "TesLibApi.h"
#include "CPoint.h"
#include "CRect.h"

// All rectangles in screen coordinates: the primary monitor's top-left corner
// is (0, 0), a monitor left of or above it has negative coordinates, and the
// virtual screen is the smallest rectangle around every monitor (with
// monitors of different sizes it holds strips that no monitor shows).
class TESLIB_API CScreenLayout
{
public:
    // SM_XVIRTUALSCREEN ... SM_CYVIRTUALSCREEN.
    static CRect VirtualScreen();
    // (0, 0, SM_CXSCREEN, SM_CYSCREEN).
    static CRect PrimaryScreen();
    // The monitor that shows pt, or the nearest one.
    static CRect MonitorAt(CPoint pt);
    // The DPI of that monitor (96 is 100 %): its own under per-monitor DPI
    // awareness on systems that tell it, else the system's.
    static UINT DpiAt(CPoint pt);
};
