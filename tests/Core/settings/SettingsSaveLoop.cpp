// settings_save_loop: saves the settings to one file over and over, with the
// values of index FIRST, FIRST + 1, ... until it is killed. The save-kill
// test starts it and kills it at random moments.
// Usage: settings_save_loop CONFIG_PATH FIRST
#include "IndexedSettings.h"

#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    // The test passes an ASCII path.
    const std::string path = argv[1];
    const CString strPath(std::wstring(path.begin(), path.end()).c_str());
    for (unsigned long nIndex = std::strtoul(argv[2], nullptr, 10);; ++nIndex) {
        IndexedSettings settings;
        settings.ApplyIndex(static_cast<unsigned int>(nIndex));
        settings.SaveConfig(strPath);
    }
}
