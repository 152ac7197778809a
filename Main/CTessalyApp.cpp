// CTessalyApp: start-up and shut-down of the program.
#include "CTessalyApp.h"

#include <windows.h>
#include <commctrl.h>
// GDI+ needs the COM declarations that the lean Windows header leaves out.
#include <objidl.h>
#include <gdiplus.h>

#include "Afx.h"
#include "CStartTrace.h"
#include "CTessalyDlg.h"

namespace {

const wchar_t g_szGdiplusFailed[] = L"初始化GDI+失败";
const wchar_t g_szRegistryKey[] = L"Brivane";

} // namespace

CTessalyApp::CTessalyApp() : CWinApp(nullptr), m_gdiplusToken(0)
{
}

BOOL CTessalyApp::InitInstance()
{
    INITCOMMONCONTROLSEX icc = {};
    icc.dwSize = sizeof(icc);
    icc.dwICC = 0xFF;
    ::InitCommonControlsEx(&icc);
    CStartTrace::Mark("common-controls");
    CWinApp::InitInstance();
    AfxEnableControlContainer();

    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&m_gdiplusToken, &input, nullptr) != Gdiplus::Ok) {
        m_gdiplusToken = 0;
        AfxMessageBox(g_szGdiplusFailed, MB_OK);
        return FALSE;
    }
    CStartTrace::Mark("gdi+");
    SetRegistryKey(g_szRegistryKey);

    CTessalyDlg* pDlg = new CTessalyDlg(nullptr);
    m_pMainWnd = pDlg;
    pDlg->DoModal();
    m_pMainWnd = nullptr;
    delete pDlg;
    return FALSE;
}

int CTessalyApp::ExitInstance()
{
    if (m_gdiplusToken != 0) {
        Gdiplus::GdiplusShutdown(m_gdiplusToken);
        m_gdiplusToken = 0;
    }
    return CWinApp::ExitInstance();
}
