// CEditorCommand: the editor's program, parameters and folder.
#include "CEditorCommand.h"

CEditorCommand::CEditorCommand(const CString& strEditorPath, const CString& strPicturePath)
    : m_strEditor(strEditorPath)
{
    if (!strPicturePath.IsEmpty()) {
        m_strParameters = L"\"";
        m_strParameters += NameOf(strPicturePath);
        m_strParameters += L"\"";
        m_strDirectory = FolderOf(strPicturePath);
    }
}

CString CEditorCommand::FolderOf(const CString& strPath)
{
    return strPath.Left(strPath.ReverseFind(L'\\') + 1);
}

CString CEditorCommand::NameOf(const CString& strPath)
{
    return strPath.Mid(strPath.ReverseFind(L'\\') + 1);
}
