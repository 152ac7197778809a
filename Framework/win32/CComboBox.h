// CComboBox: a combo box control. Indexes are zero-based; CB_ERR (-1)
// reports a missing item or no selection.
#pragma once

#include "FrameworkApi.h"
#include "CWnd.h"

class FRAMEWORK_API CComboBox : public CWnd
{
    DECLARE_DYNAMIC(CComboBox)
public:
    CComboBox();
    ~CComboBox() override;

    int AddString(LPCTSTR lpszString);
    // nIndex -1 appends.
    int InsertString(int nIndex, LPCTSTR lpszString);
    int DeleteString(UINT nIndex);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    // The item's text; empty (and CB_ERR returned) for a bad index.
    int GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const;
    DWORD_PTR GetItemData(int nIndex) const;
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
};
