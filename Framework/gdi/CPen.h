// CPen: owning wrapper of a GDI pen (HPEN).
#pragma once

#include "CGdiObject.h"

class FRAMEWORK_API CPen : public CGdiObject
{
    DECLARE_DYNAMIC(CPen)
public:
    CPen();

    operator HPEN() const { return static_cast<HPEN>(m_hObject); }

    // Each Create... returns FALSE (and creates nothing) when the object
    // already holds a handle or GDI refuses.
    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
    BOOL CreatePenIndirect(const LOGPEN* lpLogPen);
    int GetLogPen(LOGPEN* pLogPen) const;

    // Temporary wrapper (see CGdiObject); null for a null handle.
    static CPen* FromHandle(HPEN hPen);
};
