// CImageColorReplacer: exact-match colour replacement.
#include "CImageColorReplacer.h"

#include <cstdint>
#include <cstring>

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
    // Whole pixels as 32-bit words: a masked compare of the three colour
    // bytes and a select between the replacement and the source word.
    const RGBX colourBytes(0xFF, 0xFF, 0xFF, 0);
    const RGBX from = RGBX::FromColor(m_clrFrom);
    const RGBX to = RGBX::FromColor(m_clrTo);
    std::uint32_t colourMask, fromWord, toWord;
    std::memcpy(&colourMask, &colourBytes, sizeof(colourMask));
    std::memcpy(&fromWord, &from, sizeof(fromWord));
    std::memcpy(&toWord, &to, sizeof(toWord));
    const size_t count = static_cast<size_t>(sizeSrc.cx) * static_cast<size_t>(sizeSrc.cy);
    for (size_t i = 0; i < count; ++i)
    {
        std::uint32_t src;
        std::memcpy(&src, pSrc + i, sizeof(src));
        const std::uint32_t result = (src & colourMask) == fromWord ? toWord : src;
        std::memcpy(static_cast<void*>(pDst + i), &result, sizeof(result));
    }
    return TRUE;
}
