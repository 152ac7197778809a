// The application object of the selection test program: framework message
// boxes are recorded, never shown.
#include "CapturingApp.h"

guitest::CapturingApp theSelectionTestApp;
