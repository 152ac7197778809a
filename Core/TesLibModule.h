// The extension-module record of TesLib: filled by the library entry when the
// library is loaded, read by the resource scope to find the library's resources.
#pragma once

#include "CDynLinkLibrary.h"

// Its resource handle is the module whose resources TesLib uses (the
// library's own module unless TesSetResourceHandle chose another).
extern AFX_EXTENSION_MODULE g_tesLibModule;
