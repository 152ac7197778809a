// CRgn: owning wrapper of a GDI region (HRGN).
#pragma once

#include "CGdiObject.h"

class FRAMEWORK_API CRgn : public CGdiObject
{
    DECLARE_DYNAMIC(CRgn)
public:
    CRgn();

    operator HRGN() const { return static_cast<HRGN>(m_hObject); }

    // Each Create... returns FALSE (and creates nothing) when the object
    // already holds a handle, an argument is missing or GDI refuses.
    BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
    BOOL CreateRectRgnIndirect(LPCRECT lpRect);
    BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2);

    // This region becomes pRgn1 <nCombineMode> pRgn2 (RGN_AND, RGN_OR,
    // RGN_XOR, RGN_DIFF; RGN_COPY uses pRgn1 only). This object must already
    // hold a region, which is overwritten. Returns NULLREGION, SIMPLEREGION,
    // COMPLEXREGION, or ERROR (also for a missing region) with this region
    // unchanged.
    int CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode);
    int CopyRgn(const CRgn* pRgnSrc);
    BOOL EqualRgn(const CRgn* pRgn) const;
    int OffsetRgn(int x, int y);
    int GetRgnBox(LPRECT lpRect) const;
    // Rectangles include their left and top edges and exclude the right and
    // bottom ones.
    BOOL PtInRegion(int x, int y) const;
    BOOL PtInRegion(POINT point) const;
    BOOL RectInRegion(LPCRECT lpRect) const;
    // Turns the held region into a rectangle; FALSE when there is none.
    BOOL SetRectRgn(int x1, int y1, int x2, int y2);
    BOOL SetRectRgn(LPCRECT lpRect);

    // Temporary wrapper (see CGdiObject); null for a null handle.
    static CRgn* FromHandle(HRGN hRgn);
};
