// CDC (see CDC.h) and the map of temporary DC wrappers.
#include "CDC.h"

#include "CBitmap.h"
#include "CBrush.h"
#include "CFont.h"
#include "CPalette.h"
#include "CPen.h"
#include "CRgn.h"
#include "CSystemLibrary.h"
#include "CTempWrapperMap.h"

#include <memory>

IMPLEMENT_DYNAMIC(CDC, CObject)

namespace {

CTempWrapperMap<HDC, CDC>& TempDCs()
{
    static CTempWrapperMap<HDC, CDC> map;
    return map;
}

HDC HandleOf(const CDC* pDC)
{
    return pDC != nullptr ? pDC->m_hDC : nullptr;
}

} // namespace

CDC::CDC()
    : m_hDC(nullptr)
{
    ForgetInitialObjects();
}

CDC::~CDC()
{
    DeleteDC();
}

BOOL CDC::Attach(HDC hDC)
{
    if (hDC == nullptr || m_hDC != nullptr)
        return FALSE;
    m_hDC = hDC;
    ForgetInitialObjects();
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    m_hDC = nullptr;
    ForgetInitialObjects();
    return hDC;
}

CDC* CDC::FromHandle(HDC hDC)
{
    if (hDC == nullptr)
        return nullptr;
    return TempDCs().FromKey(hDC, [hDC]() {
        std::unique_ptr<CDC> pDC(new CDC);
        pDC->m_hDC = hDC;
        return pDC;
    });
}

void CDC::DeleteTempMap()
{
    TempDCs().DeleteAll();
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    if (m_hDC != nullptr)
        return FALSE;
    HDC hDC = ::CreateCompatibleDC(HandleOf(pDC));
    if (hDC == nullptr)
        return FALSE;
    return Attach(hDC);
}

BOOL CDC::CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const DEVMODE* lpInitData)
{
    if (m_hDC != nullptr)
        return FALSE;
    HDC hDC = ::CreateDCW(lpszDriverName, lpszDeviceName, lpszOutput, lpInitData);
    if (hDC == nullptr)
        return FALSE;
    return Attach(hDC);
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == nullptr)
        return FALSE;
    RestoreInitialObjects();
    return ::DeleteDC(Detach());
}

void CDC::ForgetInitialObjects()
{
    for (HGDIOBJ& hInitial : m_hInitial)
        hInitial = nullptr;
}

void CDC::RememberInitial(HGDIOBJ hPrevious)
{
    int slot = SlotCount;
    switch (::GetObjectType(hPrevious)) {
    case OBJ_PEN:
    case OBJ_EXTPEN:
        slot = SlotPen;
        break;
    case OBJ_BRUSH:
        slot = SlotBrush;
        break;
    case OBJ_FONT:
        slot = SlotFont;
        break;
    case OBJ_BITMAP:
        slot = SlotBitmap;
        break;
    case OBJ_PAL:
        slot = SlotPalette;
        break;
    default:
        return;
    }
    if (m_hInitial[slot] == nullptr)
        m_hInitial[slot] = hPrevious;
}

void CDC::RestoreInitialObjects()
{
    if (m_hDC != nullptr) {
        for (int slot = 0; slot < SlotCount; ++slot) {
            if (m_hInitial[slot] == nullptr)
                continue;
            if (slot == SlotPalette)
                ::SelectPalette(m_hDC, static_cast<HPALETTE>(m_hInitial[slot]), FALSE);
            else
                ::SelectObject(m_hDC, m_hInitial[slot]);
        }
    }
    ForgetInitialObjects();
}

HGDIOBJ CDC::SelectHandle(HGDIOBJ hObject)
{
    if (m_hDC == nullptr || hObject == nullptr)
        return nullptr;
    HGDIOBJ hPrevious = ::SelectObject(m_hDC, hObject);
    if (hPrevious == HGDI_ERROR)
        return nullptr;
    if (hPrevious != nullptr)
        RememberInitial(hPrevious);
    return hPrevious;
}

CPen* CDC::SelectObject(CPen* pPen)
{
    if (pPen == nullptr)
        return nullptr;
    return CPen::FromHandle(static_cast<HPEN>(SelectHandle(pPen->m_hObject)));
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    if (pBrush == nullptr)
        return nullptr;
    return CBrush::FromHandle(static_cast<HBRUSH>(SelectHandle(pBrush->m_hObject)));
}

CFont* CDC::SelectObject(CFont* pFont)
{
    if (pFont == nullptr)
        return nullptr;
    return CFont::FromHandle(static_cast<HFONT>(SelectHandle(pFont->m_hObject)));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    if (pBitmap == nullptr)
        return nullptr;
    return CBitmap::FromHandle(static_cast<HBITMAP>(SelectHandle(pBitmap->m_hObject)));
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    if (pObject == nullptr || pObject->m_hObject == nullptr)
        return nullptr;
    if (::GetObjectType(pObject->m_hObject) == OBJ_REGION) {
        if (m_hDC != nullptr)
            ::SelectClipRgn(m_hDC, static_cast<HRGN>(pObject->m_hObject));
        return nullptr;
    }
    return CGdiObject::FromHandle(SelectHandle(pObject->m_hObject));
}

int CDC::SelectObject(CRgn* pRgn)
{
    if (m_hDC == nullptr || pRgn == nullptr || pRgn->m_hObject == nullptr)
        return ERROR;
    return ::SelectClipRgn(m_hDC, static_cast<HRGN>(pRgn->m_hObject));
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    HGDIOBJ hStock = ::GetStockObject(nIndex);
    if (hStock == nullptr)
        return nullptr;
    return CGdiObject::FromHandle(SelectHandle(hStock));
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    if (m_hDC == nullptr || pPalette == nullptr || pPalette->m_hObject == nullptr)
        return nullptr;
    HPALETTE hPrevious = ::SelectPalette(m_hDC, static_cast<HPALETTE>(pPalette->m_hObject), bForceBackground);
    if (hPrevious != nullptr)
        RememberInitial(hPrevious);
    return CPalette::FromHandle(hPrevious);
}

UINT CDC::RealizePalette()
{
    return ::RealizePalette(m_hDC);
}

CPen* CDC::GetCurrentPen() const
{
    return CPen::FromHandle(static_cast<HPEN>(::GetCurrentObject(m_hDC, OBJ_PEN)));
}

CBrush* CDC::GetCurrentBrush() const
{
    return CBrush::FromHandle(static_cast<HBRUSH>(::GetCurrentObject(m_hDC, OBJ_BRUSH)));
}

CFont* CDC::GetCurrentFont() const
{
    return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT)));
}

CBitmap* CDC::GetCurrentBitmap() const
{
    return CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(m_hDC, OBJ_BITMAP)));
}

CPalette* CDC::GetCurrentPalette() const
{
    return CPalette::FromHandle(static_cast<HPALETTE>(::GetCurrentObject(m_hDC, OBJ_PAL)));
}

int CDC::SaveDC()
{
    return ::SaveDC(m_hDC);
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    return ::RestoreDC(m_hDC, nSavedDC);
}

int CDC::GetDeviceCaps(int nIndex) const
{
    return ::GetDeviceCaps(m_hDC, nIndex);
}

int CDC::SetMapMode(int nMapMode)
{
    return ::SetMapMode(m_hDC, nMapMode);
}

int CDC::GetMapMode() const
{
    return ::GetMapMode(m_hDC);
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT previous = { 0, 0 };
    ::SetViewportOrgEx(m_hDC, x, y, &previous);
    return CPoint(previous);
}

CPoint CDC::GetViewportOrg() const
{
    POINT origin = { 0, 0 };
    ::GetViewportOrgEx(m_hDC, &origin);
    return CPoint(origin);
}

BOOL CDC::DPtoLP(LPPOINT lpPoints, int nCount) const
{
    if (lpPoints == nullptr)
        return FALSE;
    return ::DPtoLP(m_hDC, lpPoints, nCount);
}

BOOL CDC::DPtoLP(LPRECT lpRect) const
{
    return DPtoLP(reinterpret_cast<LPPOINT>(lpRect), 2);
}

BOOL CDC::DPtoLP(LPSIZE lpSize) const
{
    if (lpSize == nullptr)
        return FALSE;
    // A size is the difference of two points, so the origin drops out.
    POINT points[2] = { { 0, 0 }, { lpSize->cx, lpSize->cy } };
    if (!::DPtoLP(m_hDC, points, 2))
        return FALSE;
    lpSize->cx = points[1].x - points[0].x;
    lpSize->cy = points[1].y - points[0].y;
    return TRUE;
}

BOOL CDC::LPtoDP(LPPOINT lpPoints, int nCount) const
{
    if (lpPoints == nullptr)
        return FALSE;
    return ::LPtoDP(m_hDC, lpPoints, nCount);
}

BOOL CDC::LPtoDP(LPRECT lpRect) const
{
    return LPtoDP(reinterpret_cast<LPPOINT>(lpRect), 2);
}

BOOL CDC::LPtoDP(LPSIZE lpSize) const
{
    if (lpSize == nullptr)
        return FALSE;
    POINT points[2] = { { 0, 0 }, { lpSize->cx, lpSize->cy } };
    if (!::LPtoDP(m_hDC, points, 2))
        return FALSE;
    lpSize->cx = points[1].x - points[0].x;
    lpSize->cy = points[1].y - points[0].y;
    return TRUE;
}

int CDC::SelectClipRgn(CRgn* pRgn)
{
    return ::SelectClipRgn(m_hDC, pRgn != nullptr ? static_cast<HRGN>(pRgn->m_hObject) : nullptr);
}

int CDC::SelectClipRgn(CRgn* pRgn, int nMode)
{
    return ::ExtSelectClipRgn(m_hDC, pRgn != nullptr ? static_cast<HRGN>(pRgn->m_hObject) : nullptr, nMode);
}

int CDC::GetClipBox(LPRECT lpRect) const
{
    if (lpRect == nullptr)
        return ERROR;
    return ::GetClipBox(m_hDC, lpRect);
}

COLORREF CDC::SetBkColor(COLORREF crColor)
{
    return ::SetBkColor(m_hDC, crColor);
}

COLORREF CDC::GetBkColor() const
{
    return ::GetBkColor(m_hDC);
}

int CDC::SetBkMode(int nBkMode)
{
    return ::SetBkMode(m_hDC, nBkMode);
}

int CDC::GetBkMode() const
{
    return ::GetBkMode(m_hDC);
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    return ::SetTextColor(m_hDC, crColor);
}

COLORREF CDC::GetTextColor() const
{
    return ::GetTextColor(m_hDC);
}

int CDC::SetROP2(int nDrawMode)
{
    return ::SetROP2(m_hDC, nDrawMode);
}

int CDC::GetROP2() const
{
    return ::GetROP2(m_hDC);
}

int CDC::SetStretchBltMode(int nStretchMode)
{
    return ::SetStretchBltMode(m_hDC, nStretchMode);
}

int CDC::GetStretchBltMode() const
{
    return ::GetStretchBltMode(m_hDC);
}

COLORREF CDC::GetPixel(int x, int y) const
{
    return ::GetPixel(m_hDC, x, y);
}

COLORREF CDC::GetPixel(POINT point) const
{
    return GetPixel(point.x, point.y);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF crColor)
{
    return ::SetPixel(m_hDC, x, y, crColor);
}

BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop)
{
    return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop);
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, HandleOf(pSrcDC), xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                     int nSrcHeight, DWORD dwRop)
{
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, HandleOf(pSrcDC), xSrc, ySrc, nSrcWidth, nSrcHeight, dwRop);
}

BOOL CDC::AlphaBlend(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, BLENDFUNCTION blend)
{
    HDC hSrcDC = HandleOf(pSrcDC);
    if (m_hDC == nullptr || hSrcDC == nullptr)
        return FALSE;
    // msimg32 is not a known DLL of the system: taken from the system folder,
    // never from beside the program.
    typedef BOOL(WINAPI * AlphaBlendFunction)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
    static CSystemLibrary msimg32(L"msimg32.dll");
    const auto pAlphaBlend = msimg32.GetFunction<AlphaBlendFunction>("AlphaBlend");
    return pAlphaBlend != nullptr && pAlphaBlend(m_hDC, xDest, yDest, nDestWidth, nDestHeight, hSrcDC, xSrc, ySrc,
                                                 nSrcWidth, nSrcHeight, blend);
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF crColor)
{
    if (m_hDC == nullptr || lpRect == nullptr)
        return;
    // An opaque ExtTextOut without text fills the rectangle with the
    // background colour, which is put back afterwards.
    const COLORREF crPrevious = ::SetBkColor(m_hDC, crColor);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, crPrevious);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor)
{
    const RECT rect = { x, y, x + cx, y + cy };
    FillSolidRect(&rect, crColor);
}

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
    if (lpRect == nullptr || pBrush == nullptr)
        return;
    ::FillRect(m_hDC, lpRect, static_cast<HBRUSH>(pBrush->m_hObject));
}

void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush)
{
    if (lpRect == nullptr || pBrush == nullptr)
        return;
    ::FrameRect(m_hDC, lpRect, static_cast<HBRUSH>(pBrush->m_hObject));
}

void CDC::InvertRect(LPCRECT lpRect)
{
    if (lpRect != nullptr)
        ::InvertRect(m_hDC, lpRect);
}

void CDC::DrawFocusRect(LPCRECT lpRect)
{
    if (lpRect != nullptr)
        ::DrawFocusRect(m_hDC, lpRect);
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2)
{
    return ::Rectangle(m_hDC, x1, y1, x2, y2);
}

BOOL CDC::Rectangle(LPCRECT lpRect)
{
    if (lpRect == nullptr)
        return FALSE;
    return Rectangle(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2)
{
    return ::Ellipse(m_hDC, x1, y1, x2, y2);
}

BOOL CDC::Ellipse(LPCRECT lpRect)
{
    if (lpRect == nullptr)
        return FALSE;
    return Ellipse(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT previous = { 0, 0 };
    ::MoveToEx(m_hDC, x, y, &previous);
    return CPoint(previous);
}

CPoint CDC::MoveTo(POINT point)
{
    return MoveTo(point.x, point.y);
}

BOOL CDC::LineTo(int x, int y)
{
    return ::LineTo(m_hDC, x, y);
}

BOOL CDC::LineTo(POINT point)
{
    return LineTo(point.x, point.y);
}

BOOL CDC::Polyline(const POINT* lpPoints, int nCount)
{
    if (lpPoints == nullptr)
        return FALSE;
    return ::Polyline(m_hDC, lpPoints, nCount);
}

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount)
{
    if (lpszString == nullptr)
        return FALSE;
    return ::TextOutW(m_hDC, x, y, lpszString, nCount);
}

BOOL CDC::TextOut(int x, int y, const CString& str)
{
    return TextOut(x, y, str.GetString(), str.GetLength());
}

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    if (lpszString == nullptr || lpRect == nullptr)
        return 0;
    return ::DrawTextW(m_hDC, lpszString, nCount, lpRect, nFormat);
}

int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat)
{
    return DrawText(str.GetString(), str.GetLength(), lpRect, nFormat);
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size = { 0, 0 };
    if (lpszString != nullptr)
        ::GetTextExtentPoint32W(m_hDC, lpszString, nCount, &size);
    return CSize(size.cx, size.cy);
}

CSize CDC::GetTextExtent(const CString& str) const
{
    return GetTextExtent(str.GetString(), str.GetLength());
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC lpMetrics) const
{
    if (lpMetrics == nullptr)
        return FALSE;
    return ::GetTextMetricsW(m_hDC, lpMetrics);
}

int CDC::StartDoc(LPDOCINFO lpDocInfo)
{
    if (m_hDC == nullptr || lpDocInfo == nullptr)
        return SP_ERROR;
    return ::StartDocW(m_hDC, lpDocInfo);
}

int CDC::StartDoc(LPCTSTR lpszDocName)
{
    DOCINFO docInfo = {};
    docInfo.cbSize = sizeof(docInfo);
    docInfo.lpszDocName = lpszDocName;
    return StartDoc(&docInfo);
}

int CDC::StartPage()
{
    return ::StartPage(m_hDC);
}

int CDC::EndPage()
{
    return ::EndPage(m_hDC);
}

int CDC::EndDoc()
{
    return ::EndDoc(m_hDC);
}

int CDC::AbortDoc()
{
    return ::AbortDoc(m_hDC);
}
