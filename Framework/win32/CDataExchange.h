// Dialog data exchange: CDataExchange carries one transfer between a
// window's controls and its member variables (UpdateData); the DDX_ functions
// move one value, the DDV_ functions check one.
//
// Loading (m_bSaveAndValidate FALSE) writes members into controls. Saving
// reads controls into members and validates them; it is all or nothing: a
// value that does not convert or is out of range shows one message (through
// AfxMessageBox, so CWinApp::DoMessageBox sees it), puts the focus back into
// that control with its text selected, skips the rest of the exchange and
// restores every member already written, so the members keep their old
// values and UpdateData returns FALSE.
#pragma once

#include "FrameworkApi.h"
#include "PlatformTypes.h"
#include "CString.h"

#include <memory>

class CWnd;

class FRAMEWORK_API CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);
    ~CDataExchange();

    CDataExchange(const CDataExchange&) = delete;
    CDataExchange& operator=(const CDataExchange&) = delete;

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

    // The control nIDC of the dialog, remembered as the one a following DDV
    // refers to; null when there is none.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Reports a refused value: message, focus back, exchange stopped.
    void Fail(LPCTSTR lpszMessage);
    BOOL HasFailed() const { return m_bFailed; }

    // Records a member's value before a save writes it, for the roll-back.
    void Remember(int& rMember);
    void Remember(UINT& rMember);
    void Remember(CString& rMember);

    // Ends the exchange: on failure restores the remembered members. TRUE
    // when the exchange succeeded.
    BOOL Finish();

private:
    struct Undo;
    std::unique_ptr<Undo> m_pUndo;
    HWND m_hWndLastControl;
    BOOL m_bLastControlIsEdit;
    BOOL m_bFailed;
};

// Binds a control object to control nIDC the first time (subclassing it).
FRAMEWORK_API void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// Text of an edit control (or any control with a window text).
FRAMEWORK_API void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// Decimal integer text: optional surrounding blanks and sign, digits only,
// within the type's range; anything else is refused.
FRAMEWORK_API void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
FRAMEWORK_API void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
// Check state of a button: 0 unchecked, 1 checked, 2 indeterminate.
FRAMEWORK_API void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// Selected index of a combo box, -1 for none.
FRAMEWORK_API void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
// Range checks of the value just exchanged (inclusive bounds).
FRAMEWORK_API void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
FRAMEWORK_API void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
