// CToolTipCtrl: tooltip control wrapper (see CToolTipCtrl.h).
#include "CToolTipCtrl.h"

#include <commctrl.h>

namespace {

// The tool record in the size that every version of the control accepts.
TTTOOLINFOW MakeToolInfo(CWnd* pWnd, UINT_PTR nIDTool, LPCTSTR lpszText)
{
    TTTOOLINFOW ti = {};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    if (nIDTool == 0) {
        ti.uFlags = TTF_IDISHWND;
        ti.hwnd = ::GetParent(pWnd->m_hWnd) ? ::GetParent(pWnd->m_hWnd) : pWnd->m_hWnd;
        ti.uId = reinterpret_cast<UINT_PTR>(pWnd->m_hWnd);
    } else {
        ti.hwnd = pWnd->m_hWnd;
        ti.uId = nIDTool;
    }
    ti.lpszText = const_cast<LPWSTR>(lpszText);
    return ti;
}

} // namespace

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

CToolTipCtrl::CToolTipCtrl() = default;
CToolTipCtrl::~CToolTipCtrl() = default;

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | dwStyle,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                    pParentWnd ? pParentWnd->m_hWnd : nullptr, nullptr);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr)
        return FALSE;
    TTTOOLINFOW ti = MakeToolInfo(pWnd, nIDTool, lpszText);
    if (nIDTool != 0) {
        if (lpRectTool != nullptr)
            ti.rect = *lpRectTool;
        else
            ::GetClientRect(pWnd->m_hWnd, &ti.rect);
    }
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    if (pWnd == nullptr)
        return;
    TTTOOLINFOW ti = MakeToolInfo(pWnd, nIDTool, lpszText);
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::RelayEvent(LPMSG lpMsg)
{
    SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg));
}

void CToolTipCtrl::Activate(BOOL bActivate)
{
    SendMessage(TTM_ACTIVATE, static_cast<WPARAM>(bActivate), 0);
}

int CToolTipCtrl::GetToolCount() const
{
    return static_cast<int>(::SendMessageW(m_hWnd, TTM_GETTOOLCOUNT, 0, 0));
}
