// DialogTemplateReader: reads an extended dialog template (DLGTEMPLATEEX and
// its DLGITEMTEMPLATEEX items) out of a module's resources, so tests can
// check a template field by field as the resource script wrote it.
#pragma once

#include <string>
#include <vector>

#include "PlatformTypes.h"

namespace seltest {

struct DialogItemTemplate
{
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    DWORD id = 0;
    WORD classAtom = 0;        // 0x0080 button, 0x0083 list box, ...; 0 for a named class
    std::wstring className;    // when the class is given by name
    std::wstring text;
};

struct DialogTemplate
{
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::wstring caption;
    WORD pointSize = 0;
    std::wstring typeface;
    std::vector<DialogItemTemplate> items;
};

class DialogTemplateReader
{
public:
    // False when the module has no such dialog or it is not an extended
    // template.
    static bool Read(HMODULE hModule, UINT nID, DialogTemplate& result);
};

} // namespace seltest
