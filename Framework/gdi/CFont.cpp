// CFont (see CFont.h).
#include "CFont.h"

#include "CDC.h"

#include <cstdlib>
#include <cwchar>

IMPLEMENT_DYNAMIC(CFont, CGdiObject)

namespace {
CGdiObject* NewFont()
{
    return new CFont;
}
} // namespace

CFont::CFont() = default;

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont)
{
    if (m_hObject != nullptr || lpLogFont == nullptr)
        return FALSE;
    return AttachNew(::CreateFontIndirectW(lpLogFont));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, LPCTSTR lpszFacename)
{
    if (m_hObject != nullptr)
        return FALSE;
    return AttachNew(::CreateFontW(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline,
                                   cStrikeOut, nCharSet, nOutPrecision, nClipPrecision, nQuality,
                                   nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    if (lpszFaceName == nullptr)
        return FALSE;
    LOGFONT logFont = {};
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = nPointSize;
    // The face name is cut to the LOGFONT's 32 characters, terminator included.
    wcsncpy_s(logFont.lfFaceName, lpszFaceName, _TRUNCATE);
    return CreatePointFontIndirect(&logFont, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC)
{
    if (m_hObject != nullptr || lpLogFont == nullptr)
        return FALSE;
    const bool ownDC = (pDC == nullptr || pDC->m_hDC == nullptr);
    HDC hDC = ownDC ? ::GetDC(nullptr) : pDC->m_hDC;
    if (hDC == nullptr)
        return FALSE;

    // Tenths of a point to device pixels, then to the DC's logical units.
    POINT height = { 0, ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), lpLogFont->lfHeight, 720) };
    POINT origin = { 0, 0 };
    ::DPtoLP(hDC, &height, 1);
    ::DPtoLP(hDC, &origin, 1);
    if (ownDC)
        ::ReleaseDC(nullptr, hDC);

    LOGFONT logFont = *lpLogFont;
    logFont.lfHeight = -std::abs(static_cast<int>(height.y - origin.y));
    return CreateFontIndirect(&logFont);
}

int CFont::GetLogFont(LOGFONT* pLogFont) const
{
    if (pLogFont == nullptr)
        return 0;
    return GetObject(sizeof(LOGFONT), pLogFont);
}

CFont* CFont::FromHandle(HFONT hFont)
{
    return static_cast<CFont*>(FromHandleOf(hFont, RUNTIME_CLASS(CFont), &NewFont));
}
