// CPalette (see CPalette.h).
#include "CPalette.h"

#include "CDC.h"

IMPLEMENT_DYNAMIC(CPalette, CGdiObject)

namespace {
CGdiObject* NewPalette()
{
    return new CPalette;
}
} // namespace

CPalette::CPalette() = default;

BOOL CPalette::CreatePalette(const LOGPALETTE* lpLogPalette)
{
    if (m_hObject != nullptr || lpLogPalette == nullptr)
        return FALSE;
    return AttachNew(::CreatePalette(lpLogPalette));
}

BOOL CPalette::CreateHalftonePalette(CDC* pDC)
{
    if (m_hObject != nullptr || pDC == nullptr || pDC->m_hDC == nullptr)
        return FALSE;
    return AttachNew(::CreateHalftonePalette(pDC->m_hDC));
}

int CPalette::GetEntryCount() const
{
    WORD nEntries = 0;
    if (GetObject(sizeof(nEntries), &nEntries) == 0)
        return 0;
    return nEntries;
}

UINT CPalette::GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const
{
    if (m_hObject == nullptr || lpPaletteColors == nullptr)
        return 0;
    return ::GetPaletteEntries(static_cast<HPALETTE>(m_hObject), nStartIndex, nNumEntries, lpPaletteColors);
}

UINT CPalette::SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, const PALETTEENTRY* lpPaletteColors)
{
    if (m_hObject == nullptr || lpPaletteColors == nullptr)
        return 0;
    return ::SetPaletteEntries(static_cast<HPALETTE>(m_hObject), nStartIndex, nNumEntries, lpPaletteColors);
}

UINT CPalette::GetNearestPaletteIndex(COLORREF crColor) const
{
    if (m_hObject == nullptr)
        return CLR_INVALID;
    return ::GetNearestPaletteIndex(static_cast<HPALETTE>(m_hObject), crColor);
}

CPalette* CPalette::FromHandle(HPALETTE hPalette)
{
    return static_cast<CPalette*>(FromHandleOf(hPalette, RUNTIME_CLASS(CPalette), &NewPalette));
}
