// CImageGrayer: integer grey-scale conversion.
#include "CImageGrayer.h"

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
        const BYTE gray = static_cast<BYTE>((3 * src.r + 6 * src.g + src.b) / 10);
        pDst[i] = RGBX(gray, gray, gray, 0);
    }
    return TRUE;
}
