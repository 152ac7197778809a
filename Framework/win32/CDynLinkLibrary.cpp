// Extension-library records and the chain of CDynLinkLibrary links (see
// CDynLinkLibrary.h).
#include "CDynLinkLibrary.h"

namespace {

// Head of the chain; links are appended, so the search order is the order in
// which the libraries registered. GUI thread and loader only.
CDynLinkLibrary* g_pFirstDLL = nullptr;

void Unlink(CDynLinkLibrary* pDLL)
{
    for (CDynLinkLibrary** pp = &g_pFirstDLL; *pp != nullptr; pp = &(*pp)->m_pNextDLL) {
        if (*pp == pDLL) {
            *pp = pDLL->m_pNextDLL;
            return;
        }
    }
}

} // namespace

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule)
{
    if (state.bInitialized)
        return TRUE;
    if (hModule == nullptr)
        return FALSE;
    state.hModule = hModule;
    state.hResource = hModule;
    state.pFirstSharedClass = nullptr;
    state.pFirstSharedFactory = nullptr;
    state.bInitialized = TRUE;
    return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll)
{
    CDynLinkLibrary* pDLL = g_pFirstDLL;
    while (pDLL != nullptr) {
        CDynLinkLibrary* pNext = pDLL->m_pNextDLL;
        if (bAll || pDLL->m_hModule == state.hModule)
            delete pDLL;   // unlinks itself
        pDLL = pNext;
    }
    state.bInitialized = FALSE;
}

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CCmdTarget)

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state)
    : m_hModule(state.hModule), m_hResource(state.hResource), m_pNextDLL(nullptr)
{
    CDynLinkLibrary** pp = &g_pFirstDLL;
    while (*pp != nullptr)
        pp = &(*pp)->m_pNextDLL;
    *pp = this;
}

CDynLinkLibrary::~CDynLinkLibrary()
{
    Unlink(this);
}

CDynLinkLibrary* CDynLinkLibrary::GetFirst()
{
    return g_pFirstDLL;
}
