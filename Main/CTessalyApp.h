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

private:
    ULONG_PTR m_gdiplusToken;
};

extern CTessalyApp theApp;
