// IndexedSettings: settings whose every stored value follows from one number,
// so that a settings file shows which save wrote it; with the file and memory
// load and save opened for tests and their helper programs.
#pragma once

#include "CTesConfig.h"

class IndexedSettings : public CTesConfig
{
public:
    using CTesConfig::LoadConfig;
    using CTesConfig::LoadConfigFromBuffer;
    using CTesConfig::SaveConfig;
    using CTesConfig::SaveConfigToBuffer;

    // Every stored value from nIndex, each unlike its default: numbers and
    // hot keys offset from it, the delay equal to it, and the texts (a
    // character beyond U+FFFF and a "/" among them) holding it.
    void ApplyIndex(unsigned int nIndex);

    // The number the stored values were made from.
    unsigned int Index() const { return GetSnapDelayTime(); }
};
