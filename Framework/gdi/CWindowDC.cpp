// CWindowDC (see CWindowDC.h).
#include "CWindowDC.h"

#include "CWnd.h"

IMPLEMENT_DYNAMIC(CWindowDC, CDC)

CWindowDC::CWindowDC(CWnd* pWnd)
    : m_hWnd(pWnd != nullptr ? pWnd->m_hWnd : nullptr)
{
    Attach(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC()
{
    if (m_hDC != nullptr) {
        RestoreInitialObjects();
        ::ReleaseDC(m_hWnd, Detach());
    }
}
