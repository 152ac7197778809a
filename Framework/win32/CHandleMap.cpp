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
    auto it = m_temporary.find(hWnd);
    if (it != m_temporary.end())
        return it->second;
    CWnd* pTemp = new CWnd;
    pTemp->m_hWnd = hWnd;
    m_temporary.emplace(hWnd, pTemp);
    return pTemp;
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
    // A temporary wrapper never owns its window: clear the handle first so
    // that its destructor leaves the window alone.
    std::unordered_map<HWND, CWnd*> temporaries;
    temporaries.swap(m_temporary);
    for (auto& entry : temporaries) {
        entry.second->m_hWnd = nullptr;
        delete entry.second;
    }
}
