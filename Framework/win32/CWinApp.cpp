// CWinApp: the application object (see CWinApp.h).
#include "CWinApp.h"
#include "CWnd.h"

namespace {
CWinApp* g_pApp = nullptr;

bool IsIdleMessage(const MSG& msg)
{
    static POINT lastMousePos = { -1, -1 };
    if (msg.message == WM_PAINT || msg.message == 0x0118 /* system timer (caret) */)
        return false;
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
        const bool bMoved = msg.pt.x != lastMousePos.x || msg.pt.y != lastMousePos.y;
        lastMousePos = msg.pt;
        return bMoved;
    }
    return true;
}
} // namespace

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR lpszAppName)
    : m_pMainWnd(nullptr), m_hInstance(AfxGetInstanceHandle()), m_nCmdShow(SW_SHOWNORMAL),
      m_pszAppName(nullptr), m_pszRegistryKey(nullptr), m_pszProfileName(nullptr),
      m_bRunning(FALSE), m_nQuitCode(0)
{
    if (lpszAppName != nullptr && *lpszAppName != 0) {
        m_strAppName = lpszAppName;
    } else {
        wchar_t szPath[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, szPath, MAX_PATH);
        CString strPath(szPath);
        CString strName = strPath.Mid(strPath.ReverseFind(L'\\') + 1);
        const int nDot = strName.ReverseFind(L'.');
        m_strAppName = nDot > 0 ? strName.Left(nDot) : strName;
    }
    m_pszAppName = m_strAppName.GetString();
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

CWinApp* CWinApp::GetCurrent()
{
    return g_pApp;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return m_nQuitCode;
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    if (lCount == 0)
        AfxDeleteTempMaps();
    return FALSE;
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg)
{
    return CWnd::WalkPreTranslateTree(nullptr, pMsg);
}

int CWinApp::Run()
{
    m_bRunning = TRUE;
    bool bIdle = true;
    LONG lIdleCount = 0;
    MSG msg = {};
    for (;;) {
        while (bIdle && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++))
                bIdle = false;
        }
        const BOOL bGot = GetMessageW(&msg, nullptr, 0, 0);
        if (bGot == 0 || bGot == -1)
            break;
        if (!PreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (IsIdleMessage(msg)) {
            bIdle = true;
            lIdleCount = 0;
        }
    }
    m_bRunning = FALSE;
    m_nQuitCode = msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : -1;
    return ExitInstance();
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
    HWND hWndOwner = GetActiveWindow();
    if (hWndOwner == nullptr && m_pMainWnd != nullptr)
        hWndOwner = m_pMainWnd->m_hWnd;
    return MessageBoxW(hWndOwner, lpszPrompt, m_pszAppName, nType);
}

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    if (lpszRegistryKey == nullptr)
        return;
    m_strRegistryKey = lpszRegistryKey;
    m_strProfileName = m_strAppName;
    m_pszRegistryKey = m_strRegistryKey.GetString();
    m_pszProfileName = m_strProfileName.GetString();
}

void CWinApp::OnMainWindowGone(CWnd* pWnd)
{
    if (pWnd == nullptr || pWnd != m_pMainWnd)
        return;
    m_pMainWnd = nullptr;
    if (m_bRunning)
        PostQuitMessage(0);
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr)
        m_pMainWnd->SendMessage(WM_CLOSE);
}
