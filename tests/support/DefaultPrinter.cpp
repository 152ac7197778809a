// DefaultPrinter: the default printer's name from the spooler.
#include "DefaultPrinter.h"

#include <windows.h>
#include <winspool.h>

namespace guitest {

std::wstring DefaultPrinterName()
{
    DWORD nChars = 0;
    ::GetDefaultPrinterW(nullptr, &nChars);
    if (nChars == 0)
        return std::wstring();
    std::wstring name(nChars, L'\0');
    if (!::GetDefaultPrinterW(&name[0], &nChars))
        return std::wstring();
    name.resize(nChars > 0 ? nChars - 1 : 0);
    return name;
}

} // namespace guitest
