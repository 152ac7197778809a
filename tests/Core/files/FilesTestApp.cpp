// The application object of the resource-scope test program: framework
// message boxes are recorded, never shown.
#include "CapturingApp.h"

guitest::CapturingApp theFilesTestApp;
