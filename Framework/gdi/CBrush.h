// CBrush: owning wrapper of a GDI brush (HBRUSH).
#pragma once

#include "CGdiObject.h"

class CBitmap;

class FRAMEWORK_API CBrush : public CGdiObject
{
    DECLARE_DYNAMIC(CBrush)
public:
    CBrush();

    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }

    // Each Create... returns FALSE (and creates nothing) when the object
    // already holds a handle, an argument is missing or GDI refuses.
    BOOL CreateSolidBrush(COLORREF crColor);
    BOOL CreateHatchBrush(int nIndex, COLORREF crColor);
    // The brush takes a copy of the pattern: the bitmap may be deleted after.
    BOOL CreatePatternBrush(CBitmap* pBitmap);
    BOOL CreateBrushIndirect(const LOGBRUSH* lpLogBrush);
    int GetLogBrush(LOGBRUSH* pLogBrush) const;

    // Temporary wrapper (see CGdiObject); null for a null handle.
    static CBrush* FromHandle(HBRUSH hBrush);
};
