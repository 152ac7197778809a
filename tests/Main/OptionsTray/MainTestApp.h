// The application object of the options and tray test program (defined in
// MainTestApp.cpp): it records framework message boxes.
#pragma once

#include "CapturingApp.h"

extern guitest::CapturingApp theTestApp;
