// ImportPatch: replacing one imported function for a test (see ImportPatch.h).
#include "ImportPatch.h"

namespace guitest {

ImportPatch::ImportPatch(HMODULE hModule, const char* pszDll, const char* pszFunction, void* pReplacement)
    : m_pEntry(nullptr), m_pOriginal(nullptr)
{
    BYTE* pBase = reinterpret_cast<BYTE*>(hModule);
    if (pBase == nullptr)
        return;
    const IMAGE_DOS_HEADER* pDos = reinterpret_cast<const IMAGE_DOS_HEADER*>(pBase);
    const IMAGE_NT_HEADERS* pNt = reinterpret_cast<const IMAGE_NT_HEADERS*>(pBase + pDos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0)
        return;
    for (const IMAGE_IMPORT_DESCRIPTOR* pDesc =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(pBase + imports.VirtualAddress);
         pDesc->Name != 0; ++pDesc) {
        if (lstrcmpiA(reinterpret_cast<const char*>(pBase + pDesc->Name), pszDll) != 0)
            continue;
        const IMAGE_THUNK_DATA* pNames = reinterpret_cast<const IMAGE_THUNK_DATA*>(
            pBase + (pDesc->OriginalFirstThunk != 0 ? pDesc->OriginalFirstThunk : pDesc->FirstThunk));
        IMAGE_THUNK_DATA* pAddresses = reinterpret_cast<IMAGE_THUNK_DATA*>(pBase + pDesc->FirstThunk);
        for (; pNames->u1.AddressOfData != 0; ++pNames, ++pAddresses) {
            if (IMAGE_SNAP_BY_ORDINAL(pNames->u1.Ordinal))
                continue;
            const IMAGE_IMPORT_BY_NAME* pName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(pBase + pNames->u1.AddressOfData);
            if (lstrcmpA(reinterpret_cast<const char*>(pName->Name), pszFunction) != 0)
                continue;
            m_pEntry = reinterpret_cast<void**>(&pAddresses->u1.Function);
            m_pOriginal = *m_pEntry;
            Write(m_pEntry, pReplacement);
            return;
        }
    }
}

ImportPatch::~ImportPatch()
{
    if (m_pEntry != nullptr)
        Write(m_pEntry, m_pOriginal);
}

void ImportPatch::Write(void** pEntry, void* pValue)
{
    DWORD oldProtect = 0;
    VirtualProtect(pEntry, sizeof(void*), PAGE_READWRITE, &oldProtect);
    *pEntry = pValue;
    VirtualProtect(pEntry, sizeof(void*), oldProtect, &oldProtect);
}

} // namespace guitest
