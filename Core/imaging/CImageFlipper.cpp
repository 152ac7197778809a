// CImageFlipper: row-wise mirroring.
#include "CImageFlipper.h"

#include "CWorkerPool.h"
#include "PixelWords.h"

#include <cstring>

namespace {

// Source rows first ... last - 1 to their mirrored places.
void FlipRows(const RGBX* pSrc, RGBX* pDst, int width, int height, int first, int last, bool horz, bool vert)
{
    for (int y = first; y < last; ++y) {
        const RGBX* pSrcRow = pSrc + static_cast<size_t>(y) * width;
        RGBX* pDstRow = pDst + static_cast<size_t>(vert ? height - 1 - y : y) * width;
        if (horz) {
            // Whole pixels as 32-bit words, so that the reversal vectorises.
            for (int c = 0; c < width; ++c)
                PixelWords::Write(pDstRow + (width - 1 - c), PixelWords::Read(pSrcRow + c));
        } else {
            std::memcpy(static_cast<void*>(pDstRow), pSrcRow, static_cast<size_t>(width) * sizeof(RGBX));
        }
    }
}

} // namespace

CImageFlipper::CImageFlipper(int bHorz, int bVert) : CImage32BitProcessor(0), m_bHorz(bHorz), m_bVert(bVert)
{
}

BOOL CImageFlipper::ProcessPixels(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const
{
    if (!AreBuffersValid(pSrc, sizeSrc, pDst, sizeDst) || sizeSrc != sizeDst)
        return FALSE;
    const int width = sizeSrc.cx;
    const int height = sizeSrc.cy;
    const bool horz = m_bHorz != 0;
    const bool vert = m_bVert != 0;
    CWorkerPool::Shared().ForRows(
        height, [&](int first, int last) { FlipRows(pSrc, pDst, width, height, first, last, horz, vert); });
    return TRUE;
}
