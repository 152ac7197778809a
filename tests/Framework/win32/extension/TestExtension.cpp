// A framework extension library for the tests: it registers itself when it is
// loaded and unregisters when it is unloaded, so that its dialog templates are
// found through the framework's chain of extension libraries.
#include "CDynLinkLibrary.h"

namespace {
AFX_EXTENSION_MODULE g_testExtension = {};
}

// The library's record, for tests that switch to its resources.
extern "C" __declspec(dllexport) AFX_EXTENSION_MODULE* TestExtensionModule()
{
    return &g_testExtension;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(g_testExtension, hInstance))
            return FALSE;
        new CDynLinkLibrary(g_testExtension);
    } else if (dwReason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(g_testExtension);
    }
    return TRUE;
}
