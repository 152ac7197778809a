// CDialog: a dialog box made from a DIALOGEX template, run modally (DoModal,
// with the framework's own modal loop) or modeless (Create).
//
// The template is found through AfxFindResourceHandle (the current resource
// module, then the extension libraries, then the program). Before
// OnInitDialog's data transfer, the template's dialog-init data (an RT_DLGINIT
// resource with the template's id: records of WORD control id, WORD message
// 0x0403 for a combo box or 0x0401 for a list box, DWORD byte count, then the
// item text with its terminating zero, in UTF-8 or the ANSI code page; a WORD
// 0 ends the list) adds the listed items to those controls; SetInitialItems
// gives such items in code instead.
//
// The modal loop dispatches messages through PreTranslateMessage (keyboard
// and mouse messages go through IsDialogMessage), shows the dialog at the
// first idle time when its template left it hidden, deletes the temporary
// wrappers and sends WM_KICKIDLE (wParam MSGF_DIALOGBOX, lParam the idle
// count) to the dialog each time the queue runs empty; the default WM_KICKIDLE
// handler runs the command-update route for the dialog's controls.
#pragma once

#include "FrameworkApi.h"
#include "PlatformTypes.h"
#include "CWnd.h"

#include <memory>

class FRAMEWORK_API CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Runs the dialog modally; its owner (the parent given at construction,
    // else the application's main window) is disabled meanwhile. The result
    // is EndDialog's value, or -1 when the dialog could not be created.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    // Ends a modal run with nResult. A modeless dialog is hidden (its owner
    // destroys it).
    void EndDialog(int nResult);

    // Items added to the list or combo box nIDC when the dialog initialises,
    // after those of the dialog-init resource.
    void SetInitialItems(int nIDC, const CString* pItems, int nCount);

    virtual BOOL OnInitDialog();
    // UpdateData(TRUE), then EndDialog(IDOK) only when it succeeded.
    virtual void OnOK();
    virtual void OnCancel();

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Keyboard accelerators: once a table is loaded (from the module that has
    // it, as for templates), PreTranslateMessage translates the dialog's key
    // messages through it first, so its keys arrive as WM_COMMAND from the
    // modal loop. FALSE when the table is not found.
    BOOL LoadAccelTable(UINT nIDResource);

    // The dialog's own map, then the application's.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    DECLARE_MESSAGE_MAP()

    LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);
    // Applies the dialog-init resource lpszResourceName and the items given
    // in code; FALSE when the resource is malformed.
    BOOL ExecuteDlgInit(LPCTSTR lpszResourceName);

    LPCTSTR m_lpszTemplateName;
    CWnd* m_pParentWnd;
    HACCEL m_hAccelTable;   // loaded by LoadAccelTable; freed with its module
    // The module the template was found in (its dialog-init data is there).
    HINSTANCE m_hTemplateModule;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND CreateFromTemplate(HWND hWndOwner);
    void RunModalLoop();

    BOOL m_bModal;
    BOOL m_bEndModal;
    int m_nModalResult;
    struct InitialItems;
    std::unique_ptr<InitialItems> m_pInitialItems;
};
