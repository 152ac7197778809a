// CHelper: names the folder of the running program, where the settings file
// and the capture sound live.
#pragma once

#include "CString.h"
#include "TesLibApi.h"

class TESLIB_API CHelper
{
public:
    CHelper();
    ~CHelper();

    // The folder of the running program's executable, ending in the path
    // separator: a backslash on Windows, "/" in the native build. Paths of
    // any length are taken whole. When the executable's name holds no
    // separator the result is the separator alone.
    static CString GetAppPath();
};
