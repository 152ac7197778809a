// The application object of the options and tray test program: framework
// message boxes are recorded, and the common controls the pages use are
// registered once.
#include "CapturingApp.h"

#include <commctrl.h>

guitest::CapturingApp theTestApp;

namespace {
struct CommonControls
{
    CommonControls()
    {
        INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES };
        ::InitCommonControlsEx(&icc);
    }
} g_commonControls;
} // namespace
