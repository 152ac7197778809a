// CHandleMap: the framework's HWND -> CWnd map (permanent objects) and its
// temporary wrappers for windows that have no object (see CTempWrapperMap.h
// for their lifetime and threading rule). Internal to the framework library;
// the permanent map is used on the GUI thread only.
#pragma once

#include "PlatformTypes.h"
#include "CTempWrapperMap.h"

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
    size_t TemporaryCount() const { return m_temporary.GetCount(); }

private:
    CHandleMap() = default;
    ~CHandleMap();

    std::unordered_map<HWND, CWnd*> m_permanent;
    CTempWrapperMap<HWND, CWnd> m_temporary;
};
