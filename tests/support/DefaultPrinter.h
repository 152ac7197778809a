// DefaultPrinter: the name of the machine's default printer for the printing
// tests (the CUPS PDF printer of the test set-up), which skip without one.
#pragma once

#include <string>

namespace guitest {

// Empty when the machine has no default printer.
std::wstring DefaultPrinterName();

} // namespace guitest
