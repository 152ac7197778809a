// The framework's process-wide functions: the application object, the
// program's instance handle, the current resource module and the search for
// a resource across the program and its extension libraries, message boxes,
// and the program entry.
//
// Program entry: the framework does not define wWinMain itself (it is a DLL);
// a program defines it in one of its own source files and returns
// AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow), which runs the one
// global CWinApp object: InitInstance, then Run when it returned TRUE, else
// ExitInstance; the result is the process exit code.
#pragma once

#include "FrameworkApi.h"
#include "PlatformTypes.h"

class CWinApp;
class CWnd;

FRAMEWORK_API CWinApp* AfxGetApp();
FRAMEWORK_API CWnd* AfxGetMainWnd();
// The program's module (set by AfxWinMain; the executable's module before).
FRAMEWORK_API HINSTANCE AfxGetInstanceHandle();

// The current resource module: where the framework looks first for dialog
// templates, menus and dialog-init data. Initially the program's module.
FRAMEWORK_API HINSTANCE AfxGetResourceHandle();
// hResource null restores the initial module.
FRAMEWORK_API void AfxSetResourceHandle(HINSTANCE hResource);
// The module that has resource (lpszName, lpszType): the current resource
// module first, then each extension library in the order they registered,
// then the program. When none has it, the current resource module.
FRAMEWORK_API HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);

// A modal message box owned by the active window (or the main window), with
// the application's name as caption; the result is the button pressed. It
// goes through CWinApp::DoMessageBox, the one place where the framework's
// messages reach the user (a test application overrides it).
FRAMEWORK_API int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);

FRAMEWORK_API int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow);

// Deletes the temporary wrappers of windows, menus, device contexts and GDI
// objects (FromHandle); the framework's message loops call it at idle.
FRAMEWORK_API void AfxDeleteTempMaps();

// Makes the link controls of dialog templates work: registers the system's
// link control class (SysLink, WC_LINK, from version 6 of the common
// controls, which the program's manifest asks for). A click on a link (or
// Enter on it) whose dialog has no NM_CLICK/NM_RETURN handler of its own
// opens the link's address through the shell (see CWnd::OnNotify). There is
// no ActiveX hosting; the program's dialogs need nothing more. Call it once at
// start-up, before a dialog with links is created.
FRAMEWORK_API void AfxEnableControlContainer();
