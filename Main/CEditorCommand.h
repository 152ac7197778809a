// CEditorCommand: how the edit/browse command hands the current picture to
// the external image editor: which program, which parameters, which working
// folder.
//
// The picture path splits at its last separator (CPathName): the folder keeps
// the backslash ("C:\shots\" for "C:\shots\a b.png"), the file name is the rest
// ("a b.png") and is passed quoted ("\"a b.png\""), so that a name with
// spaces reaches the editor as one argument. A path without a backslash has
// no folder (the editor's own working folder is used); no picture path means
// the editor starts without a file. An empty editor path names no program:
// HasEditor is FALSE and nothing may be started.
#pragma once

#include "CString.h"

class CEditorCommand
{
public:
    CEditorCommand(const CString& strEditorPath, const CString& strPicturePath);

    BOOL HasEditor() const { return !m_strEditor.IsEmpty(); }
    const CString& GetProgram() const { return m_strEditor; }
    const CString& GetParameters() const { return m_strParameters; }
    const CString& GetDirectory() const { return m_strDirectory; }

private:
    CString m_strEditor;
    CString m_strParameters;
    CString m_strDirectory;
};
