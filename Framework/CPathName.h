// CPathName: splits a file path into its folder, its file name and the file
// name's extension. The one place where paths are taken apart.
#pragma once

#include "CString.h"
#include "FrameworkApi.h"

// Both "\" and "/" separate the parts (Windows takes either). Nothing is
// checked against the file system:
//   "C:\shots\a.b.png"  folder "C:\shots\"  name "a.b.png"  extension "png"
//   "C:\shots.d\a"      folder "C:\shots.d\" name "a"       extension ""
//   "a.png"             folder ""           name "a.png"    extension "png"
class FRAMEWORK_API CPathName
{
public:
    // The path up to and including its last separator; empty when it has none.
    static CString FolderOf(const CString& strPath);
    // The path after its last separator; the whole path when it has none.
    static CString NameOf(const CString& strPath);
    // The name's text after its last "."; empty when the name has no ".".
    static CString ExtensionOf(const CString& strPath);

private:
    // The index of the last separator, -1 when there is none.
    static int LastSeparator(const CString& strPath);
};
