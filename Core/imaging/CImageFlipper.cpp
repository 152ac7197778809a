// CImageFlipper: row-wise mirroring.
#include "CImageFlipper.h"

#include "CWorkerPool.h"
#include "PixelWords.h"

#include <cstring>

CImageFlipper::CImageFlipper(int bHorz, int bVert) : CImage32BitProcessor(0), m_bHorz(bHorz), m_bVert(bVert)
{
}

BOOL CImageFlipper::ProcessPixels(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const
{
    if (!AreBuffersValid(pSrc, sizeSrc, pDst, sizeDst) || sizeSrc != sizeDst)
        return FALSE;
    const int width = sizeSrc.cx;
    const int height = sizeSrc.cy;
    CWorkerPool::Shared().ForRows(height, [&](int first, int last) {
    for (int y = first; y < last; ++y)
    {
        const RGBX* pSrcRow = pSrc + static_cast<size_t>(y) * width;
        const int yDst = m_bVert ? height - 1 - y : y;
        RGBX* pDstRow = pDst + static_cast<size_t>(yDst) * width;
        if (m_bHorz)
        {
            // Whole pixels as 32-bit words, so that the reversal vectorises.
            for (int c = 0; c < width; ++c)
                PixelWords::Write(pDstRow + (width - 1 - c), PixelWords::Read(pSrcRow + c));
        }
        else
        {
            std::memcpy(pDstRow, pSrcRow, static_cast<size_t>(width) * sizeof(RGBX));
        }
    }
    });
    return TRUE;
}
