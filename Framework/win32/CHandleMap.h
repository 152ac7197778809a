// CHandleMap: the framework's HWND -> CWnd map (permanent objects) and its
// temporary wrappers for windows that have no object. Internal to the
// framework library; used on the GUI thread only.
#pragma once

#include "PlatformTypes.h"

#include <unordered_map>

class CWnd;

class CHandleMap
{
public:
    static CHandleMap& Instance();

    CWnd* LookupPermanent(HWND hWnd) const;
    // The permanent object, else a temporary wrapper made on first use.
    CWnd* FromHandle(HWND hWnd);
    // FALSE when hWnd already has a permanent object.
    bool SetPermanent(HWND hWnd, CWnd* pWnd);
    void RemovePermanent(HWND hWnd);
    void DeleteTemporaries();
    size_t TemporaryCount() const { return m_temporary.size(); }

private:
    CHandleMap() = default;
    ~CHandleMap();

    std::unordered_map<HWND, CWnd*> m_permanent;
    std::unordered_map<HWND, CWnd*> m_temporary;   // owned
};
