// CPalette: owning wrapper of a GDI logical palette (HPALETTE).
#pragma once

#include "CGdiObject.h"

class CDC;

class FRAMEWORK_API CPalette : public CGdiObject
{
    DECLARE_DYNAMIC(CPalette)
public:
    CPalette();

    operator HPALETTE() const { return static_cast<HPALETTE>(m_hObject); }

    // Each Create... returns FALSE (and creates nothing) when the object
    // already holds a handle, an argument is missing or GDI refuses.
    BOOL CreatePalette(const LOGPALETTE* lpLogPalette);
    BOOL CreateHalftonePalette(CDC* pDC);

    // Number of entries; 0 when empty.
    int GetEntryCount() const;
    // Entries copied or set; 0 on failure.
    UINT GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const;
    UINT SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, const PALETTEENTRY* lpPaletteColors);
    // Index of the entry closest to crColor; CLR_INVALID when empty.
    UINT GetNearestPaletteIndex(COLORREF crColor) const;

    // Temporary wrapper (see CGdiObject); null for a null handle.
    static CPalette* FromHandle(HPALETTE hPalette);
};
