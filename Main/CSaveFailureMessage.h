// CSaveFailureMessage: what the program says when a picture could not be
// written: that it was not saved, to which file, and why, from the system's
// error code (the folder is missing, writing there is not allowed, the file
// is in use, the disk is full, the name is not valid).
#pragma once

#include "CString.h"
#include "PlatformTypes.h"

class CSaveFailureMessage
{
public:
    static CString Format(const CString& strPath, DWORD dwError);
};
