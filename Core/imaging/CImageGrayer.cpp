// CImageGrayer: integer grey-scale conversion.
#include "CImageGrayer.h"

#include <cstdint>

CImageGrayer::CImageGrayer() : CImage32BitProcessor(0)
{
}

BOOL CImageGrayer::ProcessPixels(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const
{
    if (!AreBuffersValid(pSrc, sizeSrc, pDst, sizeDst) || sizeSrc != sizeDst)
        return FALSE;
    const size_t count = static_cast<size_t>(sizeSrc.cx) * static_cast<size_t>(sizeSrc.cy);
    for (size_t i = 0; i < count; ++i)
    {
        const RGBX& src = pSrc[i];
        // At most 2550: 16 bits keep the loop narrow enough to vectorise well.
        const std::uint16_t weighted = static_cast<std::uint16_t>(3 * src.r + 6 * src.g + src.b);
        const BYTE gray = static_cast<BYTE>(weighted / 10);
        pDst[i] = RGBX(gray, gray, gray, 0);
    }
    return TRUE;
}
