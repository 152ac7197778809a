// CWnd: window objects, the window procedure and the message routing (see
// CWnd.h).
#include "CWnd.h"
#include "CCmdUI.h"
#include "CDataExchange.h"
#include "CHandleMap.h"
#include "CMenu.h"
#include "CRgn.h"
#include "CWinApp.h"
#include "CWndCreationScope.h"
#include "MessageDispatch.h"

#include <commctrl.h>
#include <shellapi.h>

namespace {

// The message being handled on this thread, for Default().
MSG g_currentMessage = {};

const wchar_t kDefaultClassName[] = L"TesFrameworkWnd";

HINSTANCE FrameworkModule()
{
    HMODULE hModule = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&FrameworkModule), &hModule);
    return hModule;
}

bool IsCtlColorMessage(UINT message)
{
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

} // namespace

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

// EnableToolTips: the tooltip control and the text it shows (the control
// keeps a pointer to it).
struct CWnd::ToolTipState
{
    HWND hWndTip = nullptr;
    CString strText;
};


const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::CWnd() : m_hWnd(nullptr), m_pfnSuper(nullptr)
{
}

CWnd::CWnd(HWND hWndSpecial) : m_hWnd(hWndSpecial), m_pfnSuper(nullptr)
{
}

CWnd::~CWnd()
{
    if (m_hWnd != nullptr && CHandleMap::Instance().LookupPermanent(m_hWnd) == this) {
        // The object goes first: destroy its window so that no message reaches
        // a dead object. WM_NCDESTROY then removes the map entry.
        ::DestroyWindow(m_hWnd);
        if (m_hWnd != nullptr)
            Detach();
    }
    EnableToolTips(FALSE);
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    return CHandleMap::Instance().FromHandle(hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return CHandleMap::Instance().LookupPermanent(hWnd);
}

void CWnd::DeleteTempMap()
{
    CHandleMap::Instance().DeleteTemporaries();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == nullptr || m_hWnd != nullptr)
        return FALSE;
    if (!CHandleMap::Instance().SetPermanent(hWndNew, this))
        return FALSE;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd == nullptr)
        return nullptr;
    if (m_pfnSuper != nullptr) {
        if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hWnd, GWLP_WNDPROC)) == &AfxWndProc)
            SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
    }
    if (CHandleMap::Instance().LookupPermanent(hWnd) == this)
        CHandleMap::Instance().RemovePermanent(hWnd);
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!::IsWindow(hWnd) || !Attach(hWnd))
        return FALSE;
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (pParent == nullptr)
        return FALSE;
    HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
    return hWndControl != nullptr && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    return Detach();
}

LPCTSTR CWnd::GetDefaultClassName()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof(wc);
        // Global, so that windows of any module (program or library) can use it.
        wc.style = CS_GLOBALCLASS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = &::DefWindowProcW;
        wc.hInstance = FrameworkModule();
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = kDefaultClassName;
        registered = RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }
    return kDefaultClassName;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam)
{
    if (m_hWnd != nullptr)
        return FALSE;
    if (lpszClassName == nullptr)
        lpszClassName = GetDefaultClassName();
    HWND hWnd;
    {
        CWndCreationScope scope(this);
        hWnd = CreateWindowExW(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, nWidth, nHeight,
                               hWndParent, nIDorHMenu, AfxGetInstanceHandle(), lpParam);
    }
    if (hWnd == nullptr) {
        // Creation refused (for example OnCreate returned -1): the window went
        // through WM_NCDESTROY already, or was never bound.
        if (m_hWnd != nullptr)
            Detach();
        return FALSE;
    }
    return m_hWnd == hWnd;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    const bool bChild = (dwStyle & WS_CHILD) != 0;
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    bChild ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)) : nullptr, lpParam);
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd != nullptr && ::DestroyWindow(m_hWnd);
}

void CWnd::DetachAfterNcDestroy()
{
    HWND hWnd = m_hWnd;
    if (m_pfnSuper != nullptr
        && reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hWnd, GWLP_WNDPROC)) == &AfxWndProc)
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    CHandleMap::Instance().RemovePermanent(hWnd);
    m_hWnd = nullptr;
    // The tooltip control went with its owner.
    if (m_pToolTipState != nullptr)
        m_pToolTipState->hWndTip = nullptr;
    EnableToolTips(FALSE);
    if (CWinApp* pApp = AfxGetApp())
        pApp->OnMainWindowGone(this);
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CHandleMap::Instance().LookupPermanent(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);

    const MSG saved = g_currentMessage;
    g_currentMessage.hwnd = hWnd;
    g_currentMessage.message = message;
    g_currentMessage.wParam = wParam;
    g_currentMessage.lParam = lParam;
    LRESULT lResult = 0;
    try {
        lResult = pWnd->WindowProc(message, wParam, lParam);
    } catch (...) {
        // No exception may unwind through the system's window-procedure
        // callers; the message counts as handled with a zero result.
        lResult = 0;
    }
    g_currentMessage = saved;

    if (message == WM_NCDESTROY && pWnd->m_hWnd == hWnd) {
        try {
            pWnd->DetachAfterNcDestroy();
            pWnd->PostNcDestroy();
        } catch (...) {
            // The end of the object follows the same rule.
        }
    }
    return lResult;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_COMMAND:
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 0;
        return TRUE;
    case WM_NOTIFY: {
        LRESULT lResult = 0;
        if (!OnNotify(wParam, lParam, &lResult))
            return FALSE;
        *pResult = lResult;
        return TRUE;
    }
    case WM_INITMENUPOPUP:
        // Command-update marks for the popup, then the default processing.
        if (!HIWORD(lParam))
            OnInitMenuPopupCommandUI(reinterpret_cast<HMENU>(wParam));
        return FALSE;
    default:
        break;
    }
    if (IsCtlColorMessage(message))
        return OnCtlColorMessage(message, wParam, lParam, pResult);

    const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(GetMessageMap(), message, 0, 0);
    if (pEntry == nullptr || message == 0)
        return FALSE;
    *pResult = AfxDispatchWindowMessage(this, pEntry, message, wParam, lParam);
    return TRUE;
}

BOOL CWnd::OnCtlColorMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // The control's own (reflected) handler decides first.
    CWnd* pChild = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
    if (pChild != nullptr && pChild != this) {
        const AFX_MSGMAP_ENTRY* pReflect = FindMessageEntry(pChild->GetMessageMap(), AFX_WM_REFLECT_CTLCOLOR, 0, 0);
        if (pReflect != nullptr) {
            LRESULT lBrush = AfxDispatchWindowMessage(pChild, pReflect, message, wParam, lParam);
            if (lBrush != 0) {
                *pResult = lBrush;
                return TRUE;
            }
        }
    }
    const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(GetMessageMap(), AFX_WM_CTLCOLOR, 0, 0);
    if (pEntry == nullptr)
        return FALSE;
    *pResult = AfxDispatchWindowMessage(this, pEntry, message, wParam, lParam);
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr)
        return CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(g_currentMessage.message, g_currentMessage.wParam, g_currentMessage.lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        if (CWnd* pWnd = FromHandlePermanent(hWnd)) {
            pWnd->RelayToolTipMessage(pMsg);
            if (pWnd->PreTranslateMessage(pMsg))
                return TRUE;
        }
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    UINT nCode = HIWORD(wParam);
    // Menus (code 0) and accelerators (code 1) both deliver commands.
    if (lParam == 0)
        nCode = AFX_CN_COMMAND;
    return OnCmdMsg(nID, static_cast<int>(nCode), nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR == nullptr)
        return FALSE;
    if (m_pToolTipState != nullptr && pNMHDR->hwndFrom == m_pToolTipState->hWndTip && pNMHDR->code == TTN_NEEDTEXTW)
        return OnToolTipNeedText(pNMHDR, pResult);
    AFX_NOTIFY notify = { pResult, pNMHDR };
    if (OnCmdMsg(static_cast<UINT>(pNMHDR->idFrom), static_cast<int>(pNMHDR->code), &notify, nullptr))
        return TRUE;
    return OpenLinkOf(pNMHDR, pResult);
}

BOOL CWnd::OpenLinkOf(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (pNMHDR->code != NM_CLICK && pNMHDR->code != NM_RETURN)
        return FALSE;
    wchar_t szClass[16] = {};
    ::GetClassNameW(pNMHDR->hwndFrom, szClass, 16);
    if (lstrcmpiW(szClass, WC_LINK) != 0)
        return FALSE;
    const NMLINK* pLink = reinterpret_cast<const NMLINK*>(pNMHDR);
    if (pLink->item.szUrl[0] != 0)
        ::ShellExecuteW(nullptr, L"open", pLink->item.szUrl, nullptr, nullptr, SW_SHOWNORMAL);
    *pResult = 0;
    return TRUE;
}

void CWnd::PostNcDestroy()
{
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    if (m_hWnd == nullptr)
        return FALSE;
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return dx.Finish();
}

void CWnd::DoDataExchange(CDataExchange*)
{
}

namespace {

// Push buttons and the check boxes and radio buttons that do not toggle
// themselves only act through their command: without a handler they are dead.
bool IsCommandButton(HWND hWnd)
{
    if ((SendMessageW(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) == 0)
        return false;
    const UINT type = static_cast<UINT>(GetWindowLongW(hWnd, GWL_STYLE)) & BS_TYPEMASK;
    return type != BS_AUTOCHECKBOX && type != BS_AUTO3STATE && type != BS_AUTORADIOBUTTON && type != BS_GROUPBOX;
}

} // namespace

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (pTarget == nullptr)
        return;
    CCmdUI state;
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        const int nID = ::GetDlgCtrlID(hChild);
        if (nID == 0 || nID == -1)
            continue;
        state.m_pOther = FromHandle(hChild);
        state.m_nID = static_cast<UINT>(nID);
        state.DoUpdate(pTarget, bDisableIfNoHndler && IsCommandButton(hChild));
    }
}

void CWnd::UpdateMenuCommandUI(CMenu* pMenu, BOOL bDisableIfNoHndler)
{
    if (pMenu == nullptr || pMenu->m_hMenu == nullptr)
        return;
    CCmdUI state;
    state.m_pMenu = pMenu;
    state.m_nIndexMax = static_cast<UINT>(pMenu->GetMenuItemCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        const UINT nID = pMenu->GetMenuItemID(static_cast<int>(state.m_nIndex));
        if (nID == 0 || nID == static_cast<UINT>(-1))
            continue;   // separators and popups
        state.m_nID = nID;
        state.DoUpdate(this, bDisableIfNoHndler);
    }
}

void CWnd::OnInitMenuPopupCommandUI(HMENU hPopup)
{
    UpdateMenuCommandUI(CMenu::FromHandle(hPopup), FALSE);
}

BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy, nFlags);
}

void CWnd::Invalidate(BOOL bErase) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
void CWnd::GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
void CWnd::GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
void CWnd::ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
}

CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessageW(m_hWnd, message, wParam, lParam);
}

void CWnd::SetWindowText(LPCTSTR lpszString) { ::SetWindowTextW(m_hWnd, lpszString); }

void CWnd::GetWindowText(CString& rString) const
{
    const int nLength = ::GetWindowTextLengthW(m_hWnd);
    wchar_t* pBuffer = rString.GetBuffer(nLength);
    const int nCopied = ::GetWindowTextW(m_hWnd, pBuffer, nLength + 1);
    rString.ReleaseBuffer(nCopied);
}

int CWnd::GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer)
{
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }
CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
BOOL CWnd::ReleaseCapture() { return ::ReleaseCapture(); }
CWnd* CWnd::GetCapture() { return FromHandle(::GetCapture()); }
BOOL CWnd::SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
void CWnd::BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CWnd* CWnd::GetTopLevelParent() const { return FromHandle(::GetAncestor(m_hWnd, GA_ROOT)); }
CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }
BOOL CWnd::SetMenu(CMenu* pMenu) { return ::SetMenu(m_hWnd, pMenu ? pMenu->m_hMenu : nullptr); }
CMenu* CWnd::GetSystemMenu(BOOL bRevert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert)); }
void CWnd::CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
UINT CWnd::IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
void CWnd::SetDlgItemText(int nID, LPCTSTR lpszString) { ::SetDlgItemTextW(m_hWnd, nID, lpszString); }

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    HWND hItem = ::GetDlgItem(m_hWnd, nID);
    if (hItem != nullptr)
        FromHandle(hItem)->GetWindowText(rString);
    return rString.GetLength();
}

void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned) { ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned); }

UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const
{
    return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
}

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendDlgItemMessageW(m_hWnd, nID, message, wParam, lParam);
}

DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE)); }
DWORD CWnd::GetExStyle() const { return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_EXSTYLE)); }

namespace {

BOOL ModifyLong(HWND hWnd, int nIndex, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    const DWORD dwStyle = static_cast<DWORD>(::GetWindowLongW(hWnd, nIndex));
    const DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongW(hWnd, nIndex, static_cast<LONG>(dwNewStyle));
    if (nFlags != 0)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

} // namespace

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyLong(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyLong(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    HWND hWndCenter = pAlternateOwner ? pAlternateOwner->m_hWnd
                                      : ((GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER));
    RECT rcArea;
    if ((GetStyle() & WS_CHILD) != 0 && hWndCenter != nullptr) {
        ::GetClientRect(hWndCenter, &rcArea);
    } else {
        MONITORINFO mi = {};
        mi.cbSize = sizeof(mi);
        ::GetMonitorInfoW(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &mi);
        rcArea = mi.rcWork;
    }
    RECT rcCenter = rcArea;
    if (hWndCenter != nullptr && ::IsWindowVisible(hWndCenter) && !::IsIconic(hWndCenter)) {
        if (GetStyle() & WS_CHILD)
            ::GetClientRect(hWndCenter, &rcCenter);
        else
            ::GetWindowRect(hWndCenter, &rcCenter);
    }
    RECT rcWindow;
    ::GetWindowRect(m_hWnd, &rcWindow);
    const int width = rcWindow.right - rcWindow.left;
    const int height = rcWindow.bottom - rcWindow.top;
    int x = (rcCenter.left + rcCenter.right) / 2 - width / 2;
    int y = (rcCenter.top + rcCenter.bottom) / 2 - height / 2;
    // Keep the window inside the area.
    if (x + width > rcArea.right) x = rcArea.right - width;
    if (y + height > rcArea.bottom) y = rcArea.bottom - height;
    if (x < rcArea.left) x = rcArea.left;
    if (y < rcArea.top) y = rcArea.top;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL,
                                               reinterpret_cast<LPARAM>(hIcon)));
}

HICON CWnd::GetIcon(BOOL bBigIcon) const
{
    return reinterpret_cast<HICON>(::SendMessageW(m_hWnd, WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL, 0));
}

BOOL CWnd::IsWindow() const { return ::IsWindow(m_hWnd); }

// Repainting by region.
BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT nFlags)
{
    return ::RedrawWindow(m_hWnd, lpRectUpdate, prgnUpdate != nullptr ? static_cast<HRGN>(*prgnUpdate) : nullptr,
                          nFlags);
}

void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase)
{
    ::InvalidateRgn(m_hWnd, pRgn != nullptr ? static_cast<HRGN>(*pRgn) : nullptr, bErase);
}

CWnd* CWnd::GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
CWnd* CWnd::GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnHotKey(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
HCURSOR CWnd::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }

// Tool tips for the child controls (see EnableToolTips in CWnd.h).

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    if (!bEnable) {
        if (m_pToolTipState != nullptr && m_pToolTipState->hWndTip != nullptr)
            ::DestroyWindow(m_pToolTipState->hWndTip);
        m_pToolTipState.reset();
        return TRUE;
    }
    if (m_hWnd == nullptr)
        return FALSE;
    if (m_pToolTipState != nullptr)
        return TRUE;
    HWND hWndTip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                     nullptr, nullptr);
    if (hWndTip == nullptr)
        return FALSE;
    m_pToolTipState.reset(new ToolTipState);
    m_pToolTipState->hWndTip = hWndTip;
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        TTTOOLINFOW ti = {};
        ti.cbSize = TTTOOLINFOW_V2_SIZE;
        ti.uFlags = TTF_IDISHWND;
        ti.hwnd = m_hWnd;
        ti.uId = reinterpret_cast<UINT_PTR>(hChild);
        ti.lpszText = LPSTR_TEXTCALLBACKW;
        ::SendMessageW(hWndTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    }
    return TRUE;
}

HWND CWnd::GetToolTipHwnd() const
{
    return m_pToolTipState != nullptr ? m_pToolTipState->hWndTip : nullptr;
}

BOOL CWnd::OnToolTipText(UINT nID, CString& strTipText)
{
    strTipText.Empty();
    LPCWSTR lpszBlock = MAKEINTRESOURCEW((nID >> 4) + 1);
    HINSTANCE hModule = AfxFindResourceHandle(lpszBlock, reinterpret_cast<LPCWSTR>(RT_STRING));
    const wchar_t* pText = nullptr;
    const int nLength = ::LoadStringW(hModule, nID, reinterpret_cast<LPWSTR>(&pText), 0);
    if (nLength <= 0 || pText == nullptr)
        return FALSE;
    CString strString(pText, nLength);
    const int nNewLine = strString.Find(L'\n');
    strTipText = nNewLine >= 0 ? strString.Mid(nNewLine + 1) : strString;
    return !strTipText.IsEmpty();
}

BOOL CWnd::OnToolTipNeedText(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTTDISPINFOW* pInfo = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
    UINT nID = static_cast<UINT>(pNMHDR->idFrom);
    if (pInfo->uFlags & TTF_IDISHWND)
        nID = static_cast<UINT>(::GetDlgCtrlID(reinterpret_cast<HWND>(pNMHDR->idFrom)));
    CString strText;
    if (nID == 0 || !OnToolTipText(nID, strText))
        strText.Empty();
    m_pToolTipState->strText = strText;
    pInfo->szText[0] = 0;
    pInfo->hinst = nullptr;
    pInfo->lpszText = const_cast<LPWSTR>(m_pToolTipState->strText.GetString());
    *pResult = 0;
    return TRUE;
}

BOOL CWnd::RelayToolTipMessage(const MSG* pMsg)
{
    if (m_pToolTipState == nullptr || m_pToolTipState->hWndTip == nullptr || m_hWnd == nullptr)
        return FALSE;
    switch (pMsg->message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        break;
    default:
        return FALSE;
    }
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    MSG relayed = *pMsg;
    ::SendMessageW(m_pToolTipState->hWndTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    return TRUE;
}
