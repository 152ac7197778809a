// CBitmap (see CBitmap.h).
#include "CBitmap.h"

#include "Afx.h"
#include "CDC.h"

IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)

namespace {
CGdiObject* NewBitmap()
{
    return new CBitmap;
}
} // namespace

CBitmap::CBitmap() = default;

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
{
    if (m_hObject != nullptr)
        return FALSE;
    return AttachNew(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateBitmapIndirect(const BITMAP* lpBitmap)
{
    if (m_hObject != nullptr || lpBitmap == nullptr)
        return FALSE;
    return AttachNew(::CreateBitmapIndirect(lpBitmap));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    if (m_hObject != nullptr || pDC == nullptr || pDC->m_hDC == nullptr)
        return FALSE;
    return AttachNew(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

BOOL CBitmap::LoadBitmap(UINT nIDResource, HINSTANCE hInstance)
{
    return LoadBitmap(MAKEINTRESOURCEW(nIDResource), hInstance);
}

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName, HINSTANCE hInstance)
{
    if (m_hObject != nullptr || lpszResourceName == nullptr)
        return FALSE;
    if (hInstance == nullptr)
        hInstance = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
    return AttachNew(::LoadBitmapW(hInstance, lpszResourceName));
}

int CBitmap::GetBitmap(BITMAP* pBitMap) const
{
    if (pBitMap == nullptr)
        return 0;
    return GetObject(sizeof(BITMAP), pBitMap);
}

CSize CBitmap::GetBitmapDimension() const
{
    SIZE size = { 0, 0 };
    if (m_hObject != nullptr)
        ::GetBitmapDimensionEx(static_cast<HBITMAP>(m_hObject), &size);
    return CSize(size.cx, size.cy);
}

CSize CBitmap::SetBitmapDimension(int nWidth, int nHeight)
{
    SIZE previous = { 0, 0 };
    if (m_hObject != nullptr)
        ::SetBitmapDimensionEx(static_cast<HBITMAP>(m_hObject), nWidth, nHeight, &previous);
    return CSize(previous.cx, previous.cy);
}

CBitmap* CBitmap::FromHandle(HBITMAP hBitmap)
{
    return static_cast<CBitmap*>(FromHandleOf(hBitmap, RUNTIME_CLASS(CBitmap), &NewBitmap));
}
