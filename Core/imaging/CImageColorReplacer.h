// CImageColorReplacer: replaces every pixel of one exact colour by another.
#pragma once

#include "CImage32BitProcessor.h"

// Rule: if m_clrFrom equals m_clrTo as 32-bit values the picture is copied.
// Otherwise a pixel matches when r equals bits 0-7 of m_clrFrom, g bits 8-15
// and b bits 16-23 (bits 24-31 and the fourth byte are not looked at; no
// tolerance). A matching pixel becomes m_clrTo as a pixel (b = bits 16-23,
// g = bits 8-15, r = bits 0-7, fourth byte 0); any other pixel is copied
// whole. The size does not change.
class TESLIB_API CImageColorReplacer : public CImage32BitProcessor
{
public:
    CImageColorReplacer(COLORREF clrFrom, COLORREF clrTo);

    BOOL ProcessPixels(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const override;

protected:
    DWORD m_clrFrom;
    DWORD m_clrTo;
};
