// CImageNegator: colour inversion that keeps the destination's fourth byte.
#include "CImageNegator.h"

#include "CWorkerPool.h"
#include "CImagingCpu.h"
#include "FilterRows.h"

#include <cstdint>

CImageNegator::CImageNegator() : CImage32BitProcessor(0)
{
}

BOOL CImageNegator::ProcessPixels(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const
{
    if (!AreBuffersValid(pSrc, sizeSrc, pDst, sizeDst) || sizeSrc != sizeDst)
        return FALSE;
    const size_t width = static_cast<size_t>(sizeSrc.cx);
    const bool avx2 = CImagingCpu::GetLevel() >= CImagingCpu::LEVEL_AVX2;
    CWorkerPool::Shared().ForRows(sizeSrc.cy, [&](int first, int last) {
        if (avx2)
            FilterRowsAvx2::NegatePixels(pSrc, pDst, static_cast<size_t>(first) * width,
                                         static_cast<size_t>(last) * width);
        else
            NegatePixels(pSrc, pDst, static_cast<size_t>(first) * width, static_cast<size_t>(last) * width);
    });
    return TRUE;
}
