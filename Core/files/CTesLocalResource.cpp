// CTesLocalResource and TesSetResourceHandle: switching the framework's
// current resource module to TesLib's for the length of a block.
#include "CTesLocalResource.h"

#include "Afx.h"
#include "TesLibModule.h"

void TesSetResourceHandle(HINSTANCE hResource)
{
    g_tesLibModule.hResource = hResource != nullptr ? hResource : g_tesLibModule.hModule;
}

CTesLocalResource::CTesLocalResource() : m_hOldResource(AfxGetResourceHandle())
{
    AfxSetResourceHandle(g_tesLibModule.hResource);
}

CTesLocalResource::~CTesLocalResource()
{
    AfxSetResourceHandle(m_hOldResource);
}
