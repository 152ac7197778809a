// CEditorCommand: the editor's program, parameters and folder.
#include "CEditorCommand.h"

#include "CPathName.h"

CEditorCommand::CEditorCommand(const CString& strEditorPath, const CString& strPicturePath)
    : m_strEditor(strEditorPath)
{
    if (!strPicturePath.IsEmpty()) {
        m_strParameters = L"\"";
        m_strParameters += CPathName::NameOf(strPicturePath);
        m_strParameters += L"\"";
        m_strDirectory = CPathName::FolderOf(strPicturePath);
    }
}
