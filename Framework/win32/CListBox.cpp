// CListBox: list box control wrapper (see CListBox.h).
#include "CListBox.h"

IMPLEMENT_DYNAMIC(CListBox, CWnd)

CListBox::CListBox() = default;
CListBox::~CListBox() = default;

int CListBox::AddString(LPCTSTR lpszItem)
{
    return static_cast<int>(::SendMessageW(m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszItem)));
}

int CListBox::InsertString(int nIndex, LPCTSTR lpszItem)
{
    return static_cast<int>(::SendMessageW(m_hWnd, LB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszItem)));
}

int CListBox::DeleteString(UINT nIndex) { return static_cast<int>(::SendMessageW(m_hWnd, LB_DELETESTRING, nIndex, 0)); }
void CListBox::ResetContent() { ::SendMessageW(m_hWnd, LB_RESETCONTENT, 0, 0); }
int CListBox::GetCount() const { return static_cast<int>(::SendMessageW(m_hWnd, LB_GETCOUNT, 0, 0)); }
int CListBox::GetCurSel() const { return static_cast<int>(::SendMessageW(m_hWnd, LB_GETCURSEL, 0, 0)); }
int CListBox::SetCurSel(int nSelect) { return static_cast<int>(::SendMessageW(m_hWnd, LB_SETCURSEL, static_cast<WPARAM>(nSelect), 0)); }

int CListBox::GetTextLen(int nIndex) const
{
    return static_cast<int>(::SendMessageW(m_hWnd, LB_GETTEXTLEN, static_cast<WPARAM>(nIndex), 0));
}

int CListBox::GetText(int nIndex, CString& rString) const
{
    rString.Empty();
    const int nLength = GetTextLen(nIndex);
    if (nLength == LB_ERR)
        return LB_ERR;
    const int nCopied = static_cast<int>(::SendMessageW(m_hWnd, LB_GETTEXT, static_cast<WPARAM>(nIndex),
                                                        reinterpret_cast<LPARAM>(rString.GetBuffer(nLength))));
    rString.ReleaseBuffer(nCopied == LB_ERR ? 0 : nCopied);
    return nCopied;
}

DWORD_PTR CListBox::GetItemData(int nIndex) const
{
    return static_cast<DWORD_PTR>(::SendMessageW(m_hWnd, LB_GETITEMDATA, static_cast<WPARAM>(nIndex), 0));
}

int CListBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    return static_cast<int>(::SendMessageW(m_hWnd, LB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData)));
}

int CListBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const
{
    return static_cast<int>(::SendMessageW(m_hWnd, LB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart), reinterpret_cast<LPARAM>(lpszFind)));
}
