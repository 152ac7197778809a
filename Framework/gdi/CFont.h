// CFont: owning wrapper of a GDI font (HFONT).
#pragma once

#include "CGdiObject.h"

class CDC;

class FRAMEWORK_API CFont : public CGdiObject
{
    DECLARE_DYNAMIC(CFont)
public:
    CFont();

    operator HFONT() const { return static_cast<HFONT>(m_hObject); }

    // Each Create... returns FALSE (and creates nothing) when the object
    // already holds a handle, an argument is missing or GDI refuses.
    BOOL CreateFontIndirect(const LOGFONT* lpLogFont);
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                    BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                    BYTE nQuality, BYTE nPitchAndFamily, LPCTSTR lpszFacename);
    // A font nPointSize tenths of a point high (90 = 9 points) in face
    // lpszFaceName, measured for pDC (the screen when null): the height in
    // logical units of that DC is -(points/72 inch at its LOGPIXELSY), the
    // minus sign asking for the character height without internal leading.
    BOOL CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC = nullptr);
    // The same from a LOGFONT whose lfHeight holds tenths of a point.
    BOOL CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC = nullptr);
    int GetLogFont(LOGFONT* pLogFont) const;

    // Temporary wrapper (see CGdiObject); null for a null handle.
    static CFont* FromHandle(HFONT hFont);
};
