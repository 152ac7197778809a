// CFileDialogPath: the length of the full path that the common file dialog
// makes of its current folder and the text typed into its name box, so that
// a name too long for the system's path limit can be refused before the
// dialog builds that path (in a buffer of MAX_PATH characters).
#pragma once

#include "CString.h"
#include "FrameworkApi.h"

// The dialog's rule: a relative name goes after the folder and a backslash
// ("C:\shots" + "a.png" -> "C:\shots\a.png"), a full name ("D:\a.png")
// stands alone, a name rooted without a drive ("\a.png") takes the folder's
// drive; a name without an extension gets "." and strAppendedExt when that
// is not empty. The longest path the system allows is MAX_PATH - 1
// characters.
class FRAMEWORK_API CFileDialogPath
{
public:
    enum
    {
        MAX_CHARS = 259
    };

    static int Length(const CString& strFolder, const CString& strTyped, const CString& strAppendedExt);
    static BOOL Fits(const CString& strFolder, const CString& strTyped, const CString& strAppendedExt)
    {
        return Length(strFolder, strTyped, strAppendedExt) <= MAX_CHARS;
    }
};
