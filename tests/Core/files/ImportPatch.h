// ImportPatch: for one test, points a module's import of one function at a
// replacement (its import address table entry), so that the test can make
// the platform answer what the machine at hand never answers; the original
// entry comes back when the object goes.
#pragma once

#include "PlatformTypes.h"

namespace guitest {

class ImportPatch
{
public:
    // hModule imports pszFunction by name from pszDll (case-insensitive).
    ImportPatch(HMODULE hModule, const char* pszDll, const char* pszFunction, void* pReplacement);
    ~ImportPatch();

    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    // The import was found and replaced.
    bool Applied() const { return m_pEntry != nullptr; }

private:
    static void Write(void** pEntry, void* pValue);

    void** m_pEntry;
    void* m_pOriginal;
};

} // namespace guitest
