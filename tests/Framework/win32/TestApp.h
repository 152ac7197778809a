// The application object of the win32 framework test program (defined in
// ApplicationTest.cpp): it records framework message boxes.
#pragma once

#include "CapturingApp.h"

extern guitest::CapturingApp theTestApp;
