// The application object of the capture-engine test programs: framework
// message boxes are recorded, never shown.
#include "CapturingApp.h"

guitest::CapturingApp theCaptureTestApp;
