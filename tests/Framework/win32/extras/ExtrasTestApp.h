// The application object of the framework's extras tests (ExtrasTestApp.cpp).
#pragma once

#include "CapturingApp.h"

extern guitest::CapturingApp theTestApp;
