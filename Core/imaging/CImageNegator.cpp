// CImageNegator: colour inversion that keeps the destination's fourth byte.
#include "CImageNegator.h"

#include <cstdint>
#include <cstring>

CImageNegator::CImageNegator() : CImage32BitProcessor(0)
{
}

BOOL CImageNegator::ProcessPixels(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const
{
    if (!AreBuffersValid(pSrc, sizeSrc, pDst, sizeDst) || sizeSrc != sizeDst)
        return FALSE;
    const size_t count = static_cast<size_t>(sizeSrc.cx) * static_cast<size_t>(sizeSrc.cy);
    // Whole pixels as 32-bit words: 255 - v is v ^ 0xFF for each colour byte,
    // and the destination's fourth byte is written back as it was.
    std::uint32_t colourMask;
    const RGBX colourBytes(0xFF, 0xFF, 0xFF, 0);
    std::memcpy(&colourMask, &colourBytes, sizeof(colourMask));
    for (size_t i = 0; i < count; ++i)
    {
        std::uint32_t src, dst;
        std::memcpy(&src, pSrc + i, sizeof(src));
        std::memcpy(&dst, pDst + i, sizeof(dst));
        const std::uint32_t result = ((src ^ colourMask) & colourMask) | (dst & ~colourMask);
        std::memcpy(static_cast<void*>(pDst + i), &result, sizeof(result));
    }
    return TRUE;
}
