// CWinApp: the one application object of a program: start-up and shut-down
// (InitInstance/ExitInstance), the main message loop (Run), the main window,
// the framework's application commands (ID_APP_EXIT closes the main window)
// and the message boxes of the framework (DoMessageBox). See Afx.h for the
// program entry that runs it.
#pragma once

#include "FrameworkApi.h"
#include "PlatformTypes.h"
#include "Afx.h"
#include "CCmdTarget.h"
#include "CString.h"

class CWnd;

class FRAMEWORK_API CWinApp : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinApp)
public:
    // lpszAppName null: the executable's file name without its extension.
    // The object registers itself as the application (AfxGetApp).
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    CWnd* m_pMainWnd;
    HINSTANCE m_hInstance;
    int m_nCmdShow;
    LPCTSTR m_pszAppName;
    LPCTSTR m_pszRegistryKey;    // null until SetRegistryKey
    LPCTSTR m_pszProfileName;    // the application name once a key is set

    virtual BOOL InitInstance();
    // The exit code: the WM_QUIT code after Run, else 0.
    virtual int ExitInstance();
    // Dispatches messages (with PreTranslateMessage and idle processing)
    // until WM_QUIT, then returns ExitInstance().
    virtual int Run();
    // Idle processing; TRUE asks for more idle calls before the next message.
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Shows a message box (MessageBoxW, owner the active window or the main
    // window, caption the application name) and returns the button pressed.
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    // The per-user key of the program: HKEY_CURRENT_USER\Software\<key>\<app>.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);

    // The application object of the process (null when there is none).
    static CWinApp* GetCurrent();
    // Called when a window leaves the handle map: forgets the main window
    // and, inside Run, ends the loop.
    void OnMainWindowGone(CWnd* pWnd);

protected:
    DECLARE_MESSAGE_MAP()

    void OnAppExit();

private:
    CString m_strAppName;
    CString m_strRegistryKey;
    CString m_strProfileName;
    BOOL m_bRunning;
    int m_nQuitCode;
};
