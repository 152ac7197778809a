// CDlgActiveWin: the modal window chooser. It lists the qualifying top-level
// windows, brings each one to the front as the selection moves, and records
// the window chosen with OK (or a double click).
#pragma once

#include "TesLibApi.h"
#include "CDialog.h"
#include "CListBox.h"
#include "CString.h"
#include "TesLibResource.h"

// Its template (IDD_ACTIVE_WIN) is one of TesLib's resources: create and run
// the dialog inside a CTesLocalResource scope. The dialog is topmost, so it
// stays visible while the listed windows come to the front.
class TESLIB_API CDlgActiveWin : public CDialog
{
    DECLARE_DYNAMIC(CDlgActiveWin)
public:
    enum { IDD = IDD_ACTIVE_WIN };

    explicit CDlgActiveWin(CWnd* pParent = nullptr);
    ~CDlgActiveWin() override;

    // The window chosen with OK; null when the dialog was cancelled or OK was
    // pressed with nothing selected.
    HWND GetSelectedWindow() const { return m_hSelectedWnd; }
    // The list text of that window (its title, at most 259 characters).
    const CString& GetSelectedTitle() const { return m_strSelectedTitle; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Lists every qualifying window but the bottom-most one, front to back,
    // each item holding its window handle, and selects the first. Windows of
    // this process are listed only when they are top-level windows of their
    // own (the main window): its tooltips and owned windows are not.
    BOOL OnInitDialog() override;
    // Records the selected item's window and text, then ends with IDOK.
    void OnOK() override;

    DECLARE_MESSAGE_MAP()
    void OnSelChangeWindowList();
    void OnDblClkWindowList();

    CListBox m_wndWindowList;
    CString m_strSelectedTitle;
    HWND m_hSelectedWnd;
};
