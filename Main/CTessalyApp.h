// CTessalyApp: the program's application object: common controls, GDI+ and
// the registry key at start, the main dialog run modally for the whole life
// of the program, GDI+ shut down at the end.
#pragma once

#include "CString.h"
#include "CWinApp.h"

class CTessalyApp : public CWinApp
{
public:
    CTessalyApp();

    // Always FALSE: the program ends when the main dialog has closed.
    BOOL InitInstance() override;
    int ExitInstance() override;

    // The folder of the running executable, ending in a backslash.
    static CString GetAppDir();

private:
    ULONG_PTR m_gdiplusToken;
};

extern CTessalyApp theApp;
