// CPathName: the parts of a file path (see CPathName.h).
#include "CPathName.h"

int CPathName::LastSeparator(const CString& strPath)
{
    const int nBackslash = strPath.ReverseFind(L'\\');
    const int nSlash = strPath.ReverseFind(L'/');
    return nBackslash > nSlash ? nBackslash : nSlash;
}

CString CPathName::FolderOf(const CString& strPath)
{
    return strPath.Left(LastSeparator(strPath) + 1);
}

CString CPathName::NameOf(const CString& strPath)
{
    return strPath.Mid(LastSeparator(strPath) + 1);
}

CString CPathName::ExtensionOf(const CString& strPath)
{
    const CString strName = NameOf(strPath);
    const int nDot = strName.ReverseFind(L'.');
    return nDot < 0 ? CString() : strName.Mid(nDot + 1);
}
