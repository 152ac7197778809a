// CFileDialogPath: the length of the path the file dialog builds (see
// CFileDialogPath.h).
#include "CFileDialogPath.h"

#include "CPathName.h"

int CFileDialogPath::Length(const CString& strFolder, const CString& strTyped, const CString& strAppendedExt)
{
    const int nTyped = strTyped.GetLength();
    int nLength = nTyped;
    const bool bDrive = nTyped >= 2 && strTyped[1] == L':';
    const bool bRooted = nTyped >= 1 && (strTyped[0] == L'\\' || strTyped[0] == L'/');
    if (bRooted && !bDrive)
        nLength += 2;
    else if (!bRooted && !bDrive) {
        const int nFolder = strFolder.GetLength();
        const bool bSeparator = nFolder > 0 && strFolder[nFolder - 1] == L'\\';
        nLength += nFolder + (bSeparator ? 0 : 1);
    }
    if (CPathName::NameOf(strTyped).Find(L'.') < 0 && !strAppendedExt.IsEmpty())
        nLength += 1 + strAppendedExt.GetLength();
    return nLength;
}
