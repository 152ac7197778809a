// CClientDC (see CClientDC.h).
#include "CClientDC.h"

#include "CWnd.h"

IMPLEMENT_DYNAMIC(CClientDC, CDC)

CClientDC::CClientDC(CWnd* pWnd)
    : m_hWnd(pWnd != nullptr ? pWnd->m_hWnd : nullptr)
{
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    if (m_hDC != nullptr) {
        RestoreInitialObjects();
        ::ReleaseDC(m_hWnd, Detach());
    }
}
