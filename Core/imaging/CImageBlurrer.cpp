// CImageBlurrer: weighted 3 x 3 average, with running column sums inside the
// picture and the full neighbourhood rule along its border.
#include "CImageBlurrer.h"

#include <cstdint>
#include <memory>
#include <new>

namespace {

// Sum of weight * value divided by the sum of weights, capped at 255, for
// pixel (c, y) with the neighbourhood clipped to the picture.
void BlurClipped(const RGBX* pSrc, int width, int height, int c, int y, int centre, RGBX& out)
{
    int sumB = 0, sumG = 0, sumR = 0, weights = 0;
    for (int dc = -1; dc <= 1; ++dc)
    {
        const int column = c + dc;
        if (column < 0 || column >= width)
            continue;
        for (int dy = -1; dy <= 1; ++dy)
        {
            const int row = y + dy;
            if (row < 0 || row >= height)
                continue;
            const int weight = (dc == 0 && dy == 0) ? centre : 1;
            const RGBX& p = pSrc[static_cast<size_t>(row) * width + column];
            sumB += weight * p.b;
            sumG += weight * p.g;
            sumR += weight * p.r;
            weights += weight;
        }
    }
    out.b = static_cast<BYTE>(sumB / weights < 255 ? sumB / weights : 255);
    out.g = static_cast<BYTE>(sumG / weights < 255 ? sumG / weights : 255);
    out.r = static_cast<BYTE>(sumR / weights < 255 ? sumR / weights : 255);
}

} // namespace

CImageBlurrer::CImageBlurrer(int nFactor)
    : CImage32BitProcessor(0), m_nFactor(nFactor < 0 ? 0 : (nFactor > 10 ? 10 : nFactor))
{
}

BOOL CImageBlurrer::ProcessPixels(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const
{
    if (m_nFactor == 0)
        return CImage32BitProcessor::ProcessPixels(pSrc, sizeSrc, pDst, sizeDst);
    if (!AreBuffersValid(pSrc, sizeSrc, pDst, sizeDst) || sizeSrc != sizeDst)
        return FALSE;
    const int width = sizeSrc.cx;
    const int height = sizeSrc.cy;
    const int centre = 55 - 5 * m_nFactor;

    // Border pixels: the clipped neighbourhood.
    for (int y = 0; y < height; ++y)
    {
        RGBX* pDstRow = pDst + static_cast<size_t>(y) * width;
        if (y == 0 || y == height - 1)
        {
            for (int c = 0; c < width; ++c)
                BlurClipped(pSrc, width, height, c, y, centre, pDstRow[c]);
        }
        else if (width > 0)
        {
            BlurClipped(pSrc, width, height, 0, y, centre, pDstRow[0]);
            BlurClipped(pSrc, width, height, width - 1, y, centre, pDstRow[width - 1]);
        }
    }
    if (width < 3 || height < 3)
        return TRUE;

    // Interior pixels: the box sum of three column sums plus (centre - 1) times
    // the pixel, divided by 8 + centre. The division is a multiplication by
    // ceil(2^32 / divisor) and a shift, exact for every sum below 2^32 / divisor
    // (the largest sum here is 255 * 58).
    const std::uint64_t divisor = static_cast<std::uint64_t>(8 + centre);
    const std::uint64_t reciprocal = ((std::uint64_t(1) << 32) + divisor - 1) / divisor;
    std::unique_ptr<std::uint32_t[]> columnSums(new (std::nothrow) std::uint32_t[static_cast<size_t>(width) * 3]);
    if (!columnSums)
        return FALSE;
    std::uint32_t* pSums = columnSums.get();
    for (int y = 1; y < height - 1; ++y)
    {
        const RGBX* pAbove = pSrc + static_cast<size_t>(y - 1) * width;
        const RGBX* pRow = pAbove + width;
        const RGBX* pBelow = pRow + width;
        for (int c = 0; c < width; ++c)
        {
            pSums[3 * c] = pAbove[c].b + pRow[c].b + pBelow[c].b;
            pSums[3 * c + 1] = pAbove[c].g + pRow[c].g + pBelow[c].g;
            pSums[3 * c + 2] = pAbove[c].r + pRow[c].r + pBelow[c].r;
        }
        RGBX* pDstRow = pDst + static_cast<size_t>(y) * width;
        for (int c = 1; c < width - 1; ++c)
        {
            const std::uint32_t* pLeft = pSums + 3 * (c - 1);
            const std::uint64_t sumB = pLeft[0] + pLeft[3] + pLeft[6] + static_cast<std::uint32_t>(centre - 1) * pRow[c].b;
            const std::uint64_t sumG = pLeft[1] + pLeft[4] + pLeft[7] + static_cast<std::uint32_t>(centre - 1) * pRow[c].g;
            const std::uint64_t sumR = pLeft[2] + pLeft[5] + pLeft[8] + static_cast<std::uint32_t>(centre - 1) * pRow[c].r;
            const std::uint64_t b = (sumB * reciprocal) >> 32;
            const std::uint64_t g = (sumG * reciprocal) >> 32;
            const std::uint64_t r = (sumR * reciprocal) >> 32;
            pDstRow[c].b = static_cast<BYTE>(b < 255 ? b : 255);
            pDstRow[c].g = static_cast<BYTE>(g < 255 ? g : 255);
            pDstRow[c].r = static_cast<BYTE>(r < 255 ? r : 255);
        }
    }
    return TRUE;
}
