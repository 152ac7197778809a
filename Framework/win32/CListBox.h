// CListBox: a list box control. Indexes are zero-based; LB_ERR (-1) reports
// a missing item or no selection.
#pragma once

#include "FrameworkApi.h"
#include "CWnd.h"

class FRAMEWORK_API CListBox : public CWnd
{
    DECLARE_DYNAMIC(CListBox)
public:
    CListBox();
    ~CListBox() override;

    int AddString(LPCTSTR lpszItem);
    // nIndex -1 appends.
    int InsertString(int nIndex, LPCTSTR lpszItem);
    int DeleteString(UINT nIndex);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    // The item's text; empty (and LB_ERR returned) for a bad index.
    int GetText(int nIndex, CString& rString) const;
    int GetTextLen(int nIndex) const;
    DWORD_PTR GetItemData(int nIndex) const;
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const;
};
