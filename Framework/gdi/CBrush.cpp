// CBrush (see CBrush.h).
#include "CBrush.h"

#include "CBitmap.h"

IMPLEMENT_DYNAMIC(CBrush, CGdiObject)

namespace {
CGdiObject* NewBrush()
{
    return new CBrush;
}
} // namespace

CBrush::CBrush() = default;

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    if (m_hObject != nullptr)
        return FALSE;
    return AttachNew(::CreateSolidBrush(crColor));
}

BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor)
{
    if (m_hObject != nullptr)
        return FALSE;
    return AttachNew(::CreateHatchBrush(nIndex, crColor));
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    if (m_hObject != nullptr || pBitmap == nullptr || pBitmap->m_hObject == nullptr)
        return FALSE;
    return AttachNew(::CreatePatternBrush(static_cast<HBITMAP>(pBitmap->m_hObject)));
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush)
{
    if (m_hObject != nullptr || lpLogBrush == nullptr)
        return FALSE;
    return AttachNew(::CreateBrushIndirect(lpLogBrush));
}

int CBrush::GetLogBrush(LOGBRUSH* pLogBrush) const
{
    if (pLogBrush == nullptr)
        return 0;
    return GetObject(sizeof(LOGBRUSH), pLogBrush);
}

CBrush* CBrush::FromHandle(HBRUSH hBrush)
{
    return static_cast<CBrush*>(FromHandleOf(hBrush, RUNTIME_CLASS(CBrush), &NewBrush));
}
