// CHandleMap: permanent and temporary window objects (see CHandleMap.h).
#include "CHandleMap.h"
#include "CWnd.h"

CHandleMap& CHandleMap::Instance()
{
    static CHandleMap map;
    return map;
}

CHandleMap::~CHandleMap()
{
    DeleteTemporaries();
}

CWnd* CHandleMap::LookupPermanent(HWND hWnd) const
{
    auto it = m_permanent.find(hWnd);
    return it == m_permanent.end() ? nullptr : it->second;
}

CWnd* CHandleMap::FromHandle(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    if (CWnd* pWnd = LookupPermanent(hWnd))
        return pWnd;
    return m_temporary.FromKey(hWnd, [hWnd]() {
        std::unique_ptr<CWnd> pTemp(new CWnd);
        pTemp->m_hWnd = hWnd;
        return pTemp;
    });
}

bool CHandleMap::SetPermanent(HWND hWnd, CWnd* pWnd)
{
    return m_permanent.emplace(hWnd, pWnd).second;
}

void CHandleMap::RemovePermanent(HWND hWnd)
{
    m_permanent.erase(hWnd);
}

void CHandleMap::DeleteTemporaries()
{
    m_temporary.DeleteAll();
}
