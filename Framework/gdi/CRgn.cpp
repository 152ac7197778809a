// CRgn (see CRgn.h).
#include "CRgn.h"

IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

namespace {
CGdiObject* NewRgn()
{
    return new CRgn;
}

HRGN HandleOf(const CRgn* pRgn)
{
    return pRgn != nullptr ? static_cast<HRGN>(pRgn->m_hObject) : nullptr;
}
} // namespace

CRgn::CRgn() = default;

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    if (m_hObject != nullptr)
        return FALSE;
    return AttachNew(::CreateRectRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect)
{
    if (m_hObject != nullptr || lpRect == nullptr)
        return FALSE;
    return AttachNew(::CreateRectRgnIndirect(lpRect));
}

BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
    if (m_hObject != nullptr)
        return FALSE;
    return AttachNew(::CreateEllipticRgn(x1, y1, x2, y2));
}

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
{
    HRGN hSrc1 = HandleOf(pRgn1);
    HRGN hSrc2 = nCombineMode == RGN_COPY ? nullptr : HandleOf(pRgn2);
    if (m_hObject == nullptr || hSrc1 == nullptr || (nCombineMode != RGN_COPY && hSrc2 == nullptr))
        return ERROR;
    return ::CombineRgn(static_cast<HRGN>(m_hObject), hSrc1, hSrc2, nCombineMode);
}

int CRgn::CopyRgn(const CRgn* pRgnSrc)
{
    return CombineRgn(pRgnSrc, nullptr, RGN_COPY);
}

BOOL CRgn::EqualRgn(const CRgn* pRgn) const
{
    HRGN hOther = HandleOf(pRgn);
    if (m_hObject == nullptr || hOther == nullptr)
        return FALSE;
    return ::EqualRgn(static_cast<HRGN>(m_hObject), hOther);
}

int CRgn::OffsetRgn(int x, int y)
{
    if (m_hObject == nullptr)
        return ERROR;
    return ::OffsetRgn(static_cast<HRGN>(m_hObject), x, y);
}

int CRgn::GetRgnBox(LPRECT lpRect) const
{
    if (m_hObject == nullptr || lpRect == nullptr)
        return ERROR;
    return ::GetRgnBox(static_cast<HRGN>(m_hObject), lpRect);
}

BOOL CRgn::PtInRegion(int x, int y) const
{
    if (m_hObject == nullptr)
        return FALSE;
    return ::PtInRegion(static_cast<HRGN>(m_hObject), x, y);
}

BOOL CRgn::PtInRegion(POINT point) const
{
    return PtInRegion(point.x, point.y);
}

BOOL CRgn::RectInRegion(LPCRECT lpRect) const
{
    if (m_hObject == nullptr || lpRect == nullptr)
        return FALSE;
    return ::RectInRegion(static_cast<HRGN>(m_hObject), lpRect);
}

BOOL CRgn::SetRectRgn(int x1, int y1, int x2, int y2)
{
    if (m_hObject == nullptr)
        return FALSE;
    return ::SetRectRgn(static_cast<HRGN>(m_hObject), x1, y1, x2, y2);
}

BOOL CRgn::SetRectRgn(LPCRECT lpRect)
{
    if (lpRect == nullptr)
        return FALSE;
    return SetRectRgn(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

CRgn* CRgn::FromHandle(HRGN hRgn)
{
    return static_cast<CRgn*>(FromHandleOf(hRgn, RUNTIME_CLASS(CRgn), &NewRgn));
}
