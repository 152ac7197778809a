// CFileDialog: the explorer-style open and save-as common dialog
// (GetOpenFileNameW / GetSaveFileNameW) with a hook that lets a derived class
// react to the dialog's notifications through virtual functions.
//
// The object is bound (handle map, message map) to the hook's child dialog,
// which the common dialog creates inside the real dialog: m_hWnd is that
// child while the dialog is shown, and the real dialog is its parent, to
// which the CDM_ messages (SetDefExt, the name queries) go. A derived class's
// message map therefore receives the child's messages; ON_WM_DESTROY reaches
// its OnDestroy when the dialog closes.
//
// The classic explorer dialog is always used, also when the constructor's
// bVistaStyle asks for the newer one: the CDN_ notifications and CDM_
// messages below exist only in the classic dialog.
//
// A name whose full path would be longer than the system allows
// (CFileDialogPath) is refused at OK with a message, and the dialog stays
// open: the common dialog would build that path in a buffer of MAX_PATH
// characters before any notification comes.
//
// Notifications, each called while the dialog is shown:
//   CDN_INITDONE    OnInitDone()      the dialog has finished initialising
//   CDN_TYPECHANGE  OnTypeChange()    another file type was chosen
//                                     (m_ofn.nFilterIndex is the new one, from 1)
//   CDN_FILEOK      OnFileNameOK()    OK was pressed; non-zero keeps the
//                                     dialog open (the answer goes back
//                                     through DWLP_MSGRESULT)
#pragma once

#include "FrameworkApi.h"
#include "PlatformTypes.h"
#include "CDialog.h"
#include "CString.h"

#include <commdlg.h>

class FRAMEWORK_API CFileDialog : public CDialog
{
    DECLARE_DYNAMIC(CFileDialog)
public:
    // lpszDefExt: appended (without its dot) to a name typed without an
    // extension; null for none. lpszFileName: the initial name, null for
    // none. dwFlags: OFN_ flags, to which OFN_EXPLORER, OFN_ENABLEHOOK and
    // OFN_ENABLESIZING are always added. lpszFilter: pairs of display text
    // and pattern list, each part ended by "|", the whole ended by a second
    // "|" (for example "Text (*.txt)|*.txt|All (*.*)|*.*||"). dwSize: the
    // structure size given to the system, 0 for sizeof(OPENFILENAMEW).
    // bVistaStyle: accepted, see above.
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr, DWORD dwSize = 0, BOOL bVistaStyle = TRUE);
    ~CFileDialog() override;

    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // Shows the dialog, owned by the parent window (else the application's
    // main window); IDOK when a name was chosen, IDCANCEL when the dialog was
    // cancelled or could not be shown.
    INT_PTR DoModal() override;

    // The chosen file: after DoModal returned IDOK, from m_ofn; while the
    // dialog is shown, the name currently in the dialog.
    CString GetPathName() const;
    CString GetFileName() const;
    // The extension without its dot; empty when the name has none.
    CString GetFileExt() const;

    // Sets the dialog's default extension while it is shown (CDM_SETDEFEXT).
    // The extension comes as a narrow string in the ANSI code page, the
    // framework's form for this call; it is widened for the Unicode dialog,
    // which reads only wide text.
    void SetDefExt(LPCSTR lpsz);

    // The structure given to the system; its fields may be set before DoModal
    // (lpstrFile, nMaxFile, lpfnHook and lCustData are the dialog's own).
    OPENFILENAMEW m_ofn;

protected:
    virtual BOOL OnFileNameOK();
    virtual void OnInitDone();
    virtual void OnTypeChange();

    // The filter in the system's form (parts separated by NULs), which
    // m_ofn.lpstrFilter points into.
    CString m_strFilter;
    BOOL m_bOpenFileDialog;

private:
    static UINT_PTR CALLBACK HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Runs one notification of the hook's child dialog.
    void OnNotification(const OFNOTIFYW* pNotify);
    // The real dialog (the hook child's parent).
    HWND GetDialogWindow() const;
    // Routes the real dialog's messages through DialogWindowProc first.
    void HookDialogWindow(HWND hDialog);
    static LRESULT CALLBACK DialogWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    BOOL IsTypedPathTooLong(HWND hDialog) const;
    // The extension the dialog appends to a name typed without one: the
    // chosen type's first one, else the default extension.
    CString AppendedExtension() const;

    // Room for any path the wide file functions accept, or a multiple
    // selection of names.
    static const DWORD kFileBufferChars = 32768;
    wchar_t* m_pszFileBuffer;
    CString m_strDefExt;
    WNDPROC m_pfnDialogProc;
};
