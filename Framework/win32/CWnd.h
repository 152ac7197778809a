// CWnd: a C++ object bound to one Win32 window (HWND), with the window
// wrappers and message-map dispatch the program and its library use.
//
// The HWND -> object map. A window created by Create/CreateEx (or a dialog
// created by CDialog) is entered in the map before its first message, from a
// CBT hook around the creation, and its window procedure is replaced by the
// framework's, so every message runs through WindowProc and the message map.
// SubclassWindow does the same for an existing window; Attach only enters the
// map (messages keep going to the window's own procedure). The entry goes at
// WM_NCDESTROY, after which PostNcDestroy is called (a class that allocates
// itself with new deletes itself there). Map and wrappers belong to the GUI
// thread.
//
// FromHandle returns the object in the map (the permanent object); for a
// window that is not in the map it returns a temporary CWnd that wraps the
// handle without owning it: it never destroys the window. Temporary wrappers
// are deleted when a framework message loop goes idle (DeleteTempMap), so a
// pointer from FromHandle is valid for the message being handled only and is
// never stored.
//
// Ownership: a CWnd whose window still exists when the object is destroyed
// destroys that window first (the object is gone, so its messages could not be
// handled any more); Detach gives the window up.
#pragma once

#include "FrameworkApi.h"
#include "PlatformTypes.h"
#include "Afx.h"
#include "CCmdTarget.h"
#include "CString.h"
#include "CPoint.h"
#include "CRect.h"

#include <memory>

class CDC;
class CMenu;
class CRgn;
class CDataExchange;

class FRAMEWORK_API CWnd : public CCmdTarget
{
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd();
    ~CWnd() override;

    HWND m_hWnd;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);
    // Deletes every temporary wrapper (called by the message loops at idle).
    static void DeleteTempMap();

    // Enters hWndNew in the map for this object without subclassing it.
    // FALSE for a null handle, when this object already has a window, or when
    // the window already has a permanent object.
    BOOL Attach(HWND hWndNew);
    // Leaves the map (restoring the window procedure when subclassed) and
    // returns the window, which lives on.
    HWND Detach();
    // Attach and route the window's messages through this object.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // lpszClassName null: the framework's default window class.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                  int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                  LPVOID lpParam = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();

    // The framework's default window class (registered on first use).
    static LPCTSTR GetDefaultClassName();

    // Window procedure of the object: the message map first, then Default.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // TRUE with *pResult set when the message map (or the framework's own
    // handling of commands, notifications, menus and colours) handled it.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Default processing of the message being handled.
    LRESULT Default();
    // Called for each message of a framework message loop before it is
    // dispatched, for this window and each ancestor up to the loop's window;
    // TRUE means the message was handled and is not dispatched.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
    // WM_COMMAND: routes (id, code) through OnCmdMsg; TRUE when handled.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // WM_NOTIFY: routes (idFrom, code) through OnCmdMsg; TRUE when handled.
    // A link control's click or Enter (NM_CLICK, NM_RETURN from a SysLink)
    // that no handler took opens the link's address with the shell.
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual void PostNcDestroy();

    // Data exchange between the controls and member variables. Saving is all
    // or nothing: on a refused value the members keep their old values and
    // the result is FALSE.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    // Runs the command-update route (ON_UPDATE_COMMAND_UI) for every child
    // control, against pTarget. With bDisableIfNoHndler, push buttons (and
    // non-automatic check boxes and radio buttons) that have neither an update
    // handler nor a command handler are disabled.
    void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
    // Runs the command-update route for each command item of one menu.
    void UpdateMenuCommandUI(CMenu* pMenu, BOOL bDisableIfNoHndler);

    // Window wrappers.
    BOOL ShowWindow(int nCmdShow);
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    // Z-order positions for SetWindowPos (HWND_TOP, HWND_BOTTOM,
    // HWND_TOPMOST, HWND_NOTOPMOST).
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void UpdateWindow();
    void GetClientRect(LPRECT lpRect) const;
    void GetWindowRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    CWnd* GetDlgItem(int nID) const;
    int GetDlgCtrlID() const;
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void SetWindowText(LPCTSTR lpszString);
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    CWnd* SetFocus();
    static CWnd* GetFocus();
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);
    CWnd* SetCapture();
    static BOOL ReleaseCapture();
    static CWnd* GetCapture();
    BOOL SetForegroundWindow();
    void BringWindowToTop();
    CWnd* GetParent() const;
    CWnd* GetTopLevelParent() const;
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* pMenu);
    CMenu* GetSystemMenu(BOOL bRevert) const;
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;
    void SetDlgItemText(int nID, LPCTSTR lpszString);
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    // Centres on pAlternateOwner, else on the owner when it is visible and not
    // minimised, else on the work area of the window's monitor.
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HICON GetIcon(BOOL bBigIcon) const;
    BOOL IsWindow() const;
    // Repainting by region: lpRectUpdate or prgnUpdate (client coordinates;
    // both null: the whole client area) with the RDW_* flags nFlags.
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, CRgn* prgnUpdate = nullptr,
                      UINT nFlags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    void InvalidateRgn(CRgn* pRgn, BOOL bErase = TRUE);

    // The window wrapping the desktop (temporary).
    static CWnd* GetDesktopWindow();
    static CWnd* GetForegroundWindow();

    // Tool tips for the child controls (EnableToolTips). The window gets a
    // tooltip control of its own with one tool per child control that exists
    // when tips are enabled; the tip's text is asked for when it is about to
    // show (TTN_NEEDTEXT) and comes from OnToolTipText. The framework's
    // message loops relay the mouse messages of the window and its children
    // to that control (RelayToolTipMessage, from WalkPreTranslateTree).
    BOOL EnableToolTips(BOOL bEnable = TRUE);
    // The tip of child control nID: by default the string resource nID
    // (after its first '\n' when it has one, as for command prompts); FALSE
    // for no tip. A window overrides it to provide texts of its own.
    virtual BOOL OnToolTipText(UINT nID, CString& strTipText);
    // Passes a mouse message for this window or one of its children to its
    // tooltip control; FALSE when tips are off or the message is not one.
    BOOL RelayToolTipMessage(const MSG* pMsg);
    // The tooltip control of EnableToolTips, null when tips are off.
    HWND GetToolTipHwnd() const;

protected:
    DECLARE_MESSAGE_MAP()

    // Default handlers: each passes the message on to Default, so that a
    // derived handler can call its base's.
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnClose();
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnTimer(UINT_PTR nIDEvent);
    void OnSize(UINT nType, int cx, int cy);
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnHotKey(UINT nHotKeyId, UINT nKey1, UINT nKey2);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    HCURSOR OnQueryDragIcon();

    // The procedure that was in place before the framework's (the class's own
    // procedure, or the dialog manager's); Default sends messages there.
    WNDPROC m_pfnSuper;

private:
    explicit CWnd(HWND hWndSpecial);   // the Z-order position objects

    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend class CWndCreationScope;

    // Removes the window from the map after WM_NCDESTROY.
    void DetachAfterNcDestroy();
    // Runs CCmdUI for the popup of WM_INITMENUPOPUP.
    void OnInitMenuPopupCommandUI(HMENU hPopup);

    // Tool tips (EnableToolTips): the control and the text being shown.
    struct ToolTipState;
    std::unique_ptr<ToolTipState> m_pToolTipState;
    // Opens the address of a link control's NM_CLICK/NM_RETURN; FALSE for
    // any other notification.
    BOOL OpenLinkOf(NMHDR* pNMHDR, LRESULT* pResult);
    // Answers TTN_NEEDTEXT from this window's tooltip control.
    BOOL OnToolTipNeedText(NMHDR* pNMHDR, LRESULT* pResult);
    // WM_CTLCOLOR*: the control's reflected handler, then this window's.
    BOOL OnCtlColorMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
};

// The window procedure of every window the framework created or subclassed.
FRAMEWORK_API LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
