// The framework's process-wide state and functions (see Afx.h).
#include "Afx.h"
#include "CDC.h"
#include "CDynLinkLibrary.h"
#include "CGdiObject.h"
#include "CMenu.h"
#include "CWinApp.h"
#include "CWnd.h"

#include <commctrl.h>

namespace {

struct FrameworkState
{
    HINSTANCE hInstance = GetModuleHandleW(nullptr);
    HINSTANCE hResource = nullptr;   // null: the program's module
};

FrameworkState& State()
{
    static FrameworkState state;
    return state;
}

bool HasResource(HINSTANCE hModule, LPCTSTR lpszName, LPCTSTR lpszType)
{
    return hModule != nullptr && FindResourceW(hModule, lpszName, lpszType) != nullptr;
}

} // namespace

CWinApp* AfxGetApp()
{
    return CWinApp::GetCurrent();
}

CWnd* AfxGetMainWnd()
{
    CWinApp* pApp = AfxGetApp();
    return pApp ? pApp->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle()
{
    return State().hInstance;
}

HINSTANCE AfxGetResourceHandle()
{
    return State().hResource ? State().hResource : State().hInstance;
}

void AfxSetResourceHandle(HINSTANCE hResource)
{
    State().hResource = hResource;
}

HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
    HINSTANCE hCurrent = AfxGetResourceHandle();
    if (HasResource(hCurrent, lpszName, lpszType))
        return hCurrent;
    for (CDynLinkLibrary* pDLL = CDynLinkLibrary::GetFirst(); pDLL != nullptr; pDLL = pDLL->m_pNextDLL) {
        if (HasResource(pDLL->m_hResource, lpszName, lpszType))
            return pDLL->m_hResource;
    }
    if (HasResource(State().hInstance, lpszName, lpszType))
        return State().hInstance;
    return hCurrent;
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    if (CWinApp* pApp = AfxGetApp())
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return MessageBoxW(GetActiveWindow(), lpszText, L"", nType);
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int nCmdShow)
{
    State().hInstance = hInstance;
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return -1;
    pApp->m_hInstance = hInstance;
    pApp->m_nCmdShow = nCmdShow;
    if (!pApp->InitInstance()) {
        if (pApp->m_pMainWnd != nullptr && pApp->m_pMainWnd->m_hWnd != nullptr)
            pApp->m_pMainWnd->DestroyWindow();
        return pApp->ExitInstance();
    }
    return pApp->Run();
}

void AfxDeleteTempMaps()
{
    CWnd::DeleteTempMap();
    CMenu::DeleteTempMap();
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
}

void AfxEnableControlContainer()
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_LINK_CLASS };
    InitCommonControlsEx(&icc);
}
