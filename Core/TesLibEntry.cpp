// The entry point of TesLib.dll: registers the library with the framework as
// an extension library on load and releases its record on unload.
#include "TesLibModule.h"

AFX_EXTENSION_MODULE g_tesLibModule = {};

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(g_tesLibModule, hInstance))
            return FALSE;   // refuse the load
        // Links the library into the framework's chain of resource modules;
        // the framework owns the link and deletes it in AfxTermExtensionModule.
        new CDynLinkLibrary(g_tesLibModule);
    } else if (dwReason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(g_tesLibModule);
    }
    return TRUE;
}
