// Unpacking of message parameters for each handler form (see
// MessageDispatch.h and the table in MessageMap.h).
#include "MessageDispatch.h"
#include "CCmdTarget.h"
#include "CCmdUI.h"
#include "CDC.h"
#include "CWnd.h"

namespace {

// Mouse positions are signed 16-bit client coordinates.
CPoint PointFrom(LPARAM lParam)
{
    return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

} // namespace

LRESULT AfxDispatchWindowMessage(CWnd* pWnd, const AFX_MSGMAP_ENTRY* pEntry,
                                 UINT message, WPARAM wParam, LPARAM lParam)
{
    CCmdTarget* pTarget = pWnd;
    const AFX_PMSG& pfn = pEntry->pfn;
    switch (pEntry->nSig) {
    case AfxSig_v_v:
        (pTarget->*pfn.pfn_v_v)();
        return 0;
    case AfxSig_i_CREATE:
        return (pTarget->*pfn.pfn_i_CREATE)(reinterpret_cast<LPCREATESTRUCT>(lParam));
    case AfxSig_b_D:
        return (pTarget->*pfn.pfn_b_D)(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    case AfxSig_v_TIMER:
        (pTarget->*pfn.pfn_v_TIMER)(static_cast<UINT_PTR>(wParam));
        return 0;
    case AfxSig_v_uii:
        (pTarget->*pfn.pfn_v_uii)(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)),
                                         static_cast<short>(HIWORD(lParam)));
        return 0;
    case AfxSig_v_uL:
        (pTarget->*pfn.pfn_v_uL)(static_cast<UINT>(wParam), lParam);
        return 0;
    case AfxSig_v_HOTKEY:
        // lParam: modifiers in the low word, virtual key in the high word.
        (pTarget->*pfn.pfn_v_uuu)(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case AfxSig_v_KEY:
        // lParam: repeat count in the low word, scan code and flags above it.
        (pTarget->*pfn.pfn_v_uuu)(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case AfxSig_v_uPt:
        (pTarget->*pfn.pfn_v_uPt)(static_cast<UINT>(wParam), PointFrom(lParam));
        return 0;
    case AfxSig_b_Wuu:
        return (pTarget->*pfn.pfn_b_Wuu)(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)),
                                                LOWORD(lParam), HIWORD(lParam));
    case AfxSig_v_W:
        (pTarget->*pfn.pfn_v_W)(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));
        return 0;
    case AfxSig_h_DWu:
        return reinterpret_cast<LRESULT>((pTarget->*pfn.pfn_h_DWu)(
            CDC::FromHandle(reinterpret_cast<HDC>(wParam)), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)),
            message - WM_CTLCOLORMSGBOX));
    case AfxSig_h_Du:
        return reinterpret_cast<LRESULT>((pTarget->*pfn.pfn_h_Du)(
            CDC::FromHandle(reinterpret_cast<HDC>(wParam)), message - WM_CTLCOLORMSGBOX));
    case AfxSig_h_v:
        return reinterpret_cast<LRESULT>((pTarget->*pfn.pfn_h_v)());
    case AfxSig_l_wl:
        return (pTarget->*pfn.pfn_l_wl)(wParam, lParam);
    default:
        return 0;
    }
}

BOOL AfxDispatchCommand(CCmdTarget* pTarget, const AFX_MSGMAP_ENTRY* pEntry, UINT nID, void* pExtra)
{
    const AFX_PMSG& pfn = pEntry->pfn;
    switch (pEntry->nSig) {
    case AfxSig_v_v:
        (pTarget->*pfn.pfn_v_v)();
        return TRUE;
    case AfxSig_v_u:
        (pTarget->*pfn.pfn_v_u)(nID);
        return TRUE;
    case AfxSig_v_NOTIFY: {
        AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
        (pTarget->*pfn.pfn_v_NOTIFY)(pNotify->pNMHDR, pNotify->pResult);
        return TRUE;
    }
    case AfxSig_v_CMDUI: {
        CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
        const BOOL bWasContinue = pCmdUI->m_bContinueRouting;
        pCmdUI->m_bContinueRouting = FALSE;
        (pTarget->*pfn.pfn_v_CMDUI)(pCmdUI);
        const BOOL bHandled = !pCmdUI->m_bContinueRouting;
        pCmdUI->m_bContinueRouting = bWasContinue;
        return bHandled;
    }
    default:
        return FALSE;
    }
}
