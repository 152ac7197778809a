// CPaintDC (see CPaintDC.h).
#include "CPaintDC.h"

#include "CWnd.h"

IMPLEMENT_DYNAMIC(CPaintDC, CDC)

CPaintDC::CPaintDC(CWnd* pWnd)
    : m_hWnd(pWnd != nullptr ? pWnd->m_hWnd : nullptr)
    , m_ps()
{
    if (m_hWnd != nullptr)
        Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    if (m_hWnd == nullptr)
        return;
    if (m_hDC != nullptr) {
        RestoreInitialObjects();
        Detach();
    }
    // Every BeginPaint is matched by one EndPaint, whatever it returned.
    ::EndPaint(m_hWnd, &m_ps);
}
