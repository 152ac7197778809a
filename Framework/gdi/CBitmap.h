// CBitmap: owning wrapper of a GDI bitmap (HBITMAP).
#pragma once

#include "CGdiObject.h"
#include "CSize.h"

class CDC;

class FRAMEWORK_API CBitmap : public CGdiObject
{
    DECLARE_DYNAMIC(CBitmap)
public:
    CBitmap();

    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }

    // Each Create.../Load... returns FALSE (and creates nothing) when the
    // object already holds a handle, an argument is missing or GDI refuses.
    BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits);
    BOOL CreateBitmapIndirect(const BITMAP* lpBitmap);
    // A bitmap in the format of pDC's device (for a memory DC: of the bitmap
    // selected into it).
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    // A bitmap resource of module hInstance; with a null hInstance the module
    // is found by AfxFindResourceHandle (the current resource module, then the
    // extension libraries, then the program).
    BOOL LoadBitmap(UINT nIDResource, HINSTANCE hInstance = nullptr);
    BOOL LoadBitmap(LPCTSTR lpszResourceName, HINSTANCE hInstance = nullptr);

    // The BITMAP description: bytes copied, 0 on failure.
    int GetBitmap(BITMAP* pBitMap) const;
    // The dimension stored with SetBitmapDimension, in 0.1 mm ((0, 0) unless set).
    CSize GetBitmapDimension() const;
    CSize SetBitmapDimension(int nWidth, int nHeight);

    // Temporary wrapper (see CGdiObject); null for a null handle.
    static CBitmap* FromHandle(HBITMAP hBitmap);
};
