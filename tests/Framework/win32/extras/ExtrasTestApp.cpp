// The application object of the framework's sheet, print-dialog, tooltip and
// link tests: framework message boxes are recorded; the common controls are
// registered and the framework's own controls enabled once.
#include "Afx.h"
#include "ExtrasTestApp.h"

#include <commctrl.h>

guitest::CapturingApp theTestApp;

namespace {
struct Controls
{
    Controls()
    {
        INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES };
        ::InitCommonControlsEx(&icc);
        AfxEnableControlContainer();
    }
} g_controls;
} // namespace
