// Extension libraries: a DLL built on the framework registers itself so that
// its resources are found while its code runs on behalf of the program.
//   AFX_EXTENSION_MODULE  the library's record (one static object per library)
//   AfxInitExtensionModule / AfxTermExtensionModule  fill and release it
//                         (from the library's DllMain)
//   CDynLinkLibrary       a link in the framework's chain of extension
//                         libraries searched by AfxFindResourceHandle; created
//                         with new after AfxInitExtensionModule, owned and
//                         deleted by the framework (AfxTermExtensionModule)
#pragma once

#include "FrameworkApi.h"
#include "PlatformTypes.h"
#include "CCmdTarget.h"

struct AFX_EXTENSION_MODULE
{
    BOOL bInitialized;
    HMODULE hModule;     // the library's module
    HMODULE hResource;   // where its resources are taken from (initially hModule)
    // The library's lists of shared run-time classes and object factories.
    // This framework keeps no class or factory registry, so both stay null;
    // they are part of the record so that a library declares it as usual.
    const CRuntimeClass* pFirstSharedClass;
    void* pFirstSharedFactory;
};

// Fills the record for hModule; TRUE when it is ready (also when it was
// already). FALSE for a null module.
FRAMEWORK_API BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
// Removes and deletes the library's CDynLinkLibrary links (with bAll, every
// link) and marks the record uninitialised.
FRAMEWORK_API void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

class FRAMEWORK_API CDynLinkLibrary : public CCmdTarget
{
    DECLARE_DYNAMIC(CDynLinkLibrary)
public:
    // Appends the library to the end of the chain.
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state);
    ~CDynLinkLibrary() override;

    HMODULE m_hModule;
    HMODULE m_hResource;
    CDynLinkLibrary* m_pNextDLL;

    static CDynLinkLibrary* GetFirst();
};
