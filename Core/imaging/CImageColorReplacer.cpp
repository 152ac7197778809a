// CImageColorReplacer: exact-match colour replacement.
#include "CImageColorReplacer.h"

CImageColorReplacer::CImageColorReplacer(COLORREF clrFrom, COLORREF clrTo)
    : CImage32BitProcessor(0), m_clrFrom(clrFrom), m_clrTo(clrTo)
{
}

BOOL CImageColorReplacer::ProcessPixels(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const
{
    if (m_clrFrom == m_clrTo)
        return CImage32BitProcessor::ProcessPixels(pSrc, sizeSrc, pDst, sizeDst);
    if (!AreBuffersValid(pSrc, sizeSrc, pDst, sizeDst) || sizeSrc != sizeDst)
        return FALSE;
    const RGBX from = RGBX::FromColor(m_clrFrom);
    const RGBX to = RGBX::FromColor(m_clrTo);
    const size_t count = static_cast<size_t>(sizeSrc.cx) * static_cast<size_t>(sizeSrc.cy);
    for (size_t i = 0; i < count; ++i)
    {
        const RGBX& src = pSrc[i];
        const bool match = src.r == from.r && src.g == from.g && src.b == from.b;
        pDst[i] = match ? to : src;
    }
    return TRUE;
}
