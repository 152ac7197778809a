// ConfigCheck: whether a config.xml written by tes.exe reads back whole —
// the document parses to its end and holds every element that the settings
// store writes (compared with a document saved from the defaults).
#pragma once

#include <string>

namespace soak {

class ConfigCheck
{
public:
    // Empty when the file is whole; otherwise what is wrong with it.
    static std::wstring Problem(const std::wstring& path);
};

} // namespace soak
