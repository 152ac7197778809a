// The application object of the program's test: framework message boxes are
// recorded, never shown.
#include "CapturingApp.h"

guitest::CapturingApp theAppTestApp;
