// CModulePath: the full path of a loaded module, and the folder of the
// running program. The path is read into a buffer that starts at MAX_PATH
// (260) characters and doubles until the whole path fits, so programs in
// folders longer than 260 characters (\\?\ paths) get their whole path.
#pragma once

#include "CString.h"
#include "PlatformTypes.h"

class CModulePath
{
public:
    // The full path of hModule (null: the program's executable); empty when
    // the platform cannot tell it.
    static CString GetFileName(HMODULE hModule);
    // The text of strPath before its last backslash, followed by one
    // backslash: "C:\a\tes.exe" gives "C:\a\", a path without a backslash a
    // lone "\".
    static CString DirectoryOf(const CString& strPath);
};
