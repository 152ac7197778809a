// CEdit: an edit control.
#pragma once

#include "FrameworkApi.h"
#include "CWnd.h"

class FRAMEWORK_API CEdit : public CWnd
{
    DECLARE_DYNAMIC(CEdit)
public:
    CEdit();
    ~CEdit() override;

    // Selects characters nStartChar up to (not including) nEndChar; (0, -1)
    // selects everything.
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
    void GetSel(int& nStartChar, int& nEndChar) const;
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE);
    void LimitText(int nChars = 0);
    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
    int GetLineCount() const;
};
