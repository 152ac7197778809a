// CImageBlurrer: weighted 3 x 3 average, with column sums over the bytes of
// each row inside the picture (explicit 256-bit blocks at the AVX2 level) and
// the full neighbourhood rule along its border.
#include "CImageBlurrer.h"

#include "CWorkerPool.h"
#include "CImagingCpu.h"
#include "FilterRows.h"
#include "PixelWords.h"
#include "StrengthDivisions.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <new>

namespace {

// Sum of weight * value divided by the sum of weights, capped at 255, for
// pixel (c, y) with the neighbourhood clipped to the picture.
void BlurClipped(const RGBX* pSrc, int width, int height, int c, int y, int centre, RGBX& out)
{
    int sumB = 0, sumG = 0, sumR = 0, weights = 0;
    for (int dc = -1; dc <= 1; ++dc) {
        const int column = c + dc;
        if (column < 0 || column >= width)
            continue;
        for (int dy = -1; dy <= 1; ++dy) {
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

// The divisor of an interior box sum, 8 + centre weight, at a strength.
constexpr std::uint32_t BoxDivisor(int strength)
{
    return static_cast<std::uint32_t>(8 + 55 - 5 * strength);
}

constexpr StrengthDivisions kBoxDivisions([](int strength) { return BoxDivisor(strength); });
// A box sum is at most 255 * divisor.
static_assert(kBoxDivisions.AreExact([](int strength) { return 255 * BoxDivisor(strength) + 1; }),
              "every box division is exact for all sums");

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
    for (int y = 0; y < height; ++y) {
        RGBX* pDstRow = pDst + static_cast<size_t>(y) * width;
        if (y == 0 || y == height - 1) {
            for (int c = 0; c < width; ++c)
                BlurClipped(pSrc, width, height, c, y, centre, pDstRow[c]);
        } else if (width > 0) {
            BlurClipped(pSrc, width, height, 0, y, centre, pDstRow[0]);
            BlurClipped(pSrc, width, height, width - 1, y, centre, pDstRow[width - 1]);
        }
    }
    if (width < 3 || height < 3)
        return TRUE;

    // Interior pixels, all 9 weights present: the sum of three column sums
    // plus (centre - 1) times the pixel, divided by d = 8 + centre with the
    // exact division of ExactDivision.h (a sum is at most 255 * d < 2^14).
    // The work runs over the bytes of a row (four 16-bit lanes per pixel, the
    // fourth byte's lane computed and discarded) so that it vectorises.
    const ExactDivision division = kBoxDivisions[m_nFactor];
    const std::uint16_t centreExtra = static_cast<std::uint16_t>(centre - 1);
    const size_t lanes = 4 * static_cast<size_t>(width);
    const BYTE* pBytes = reinterpret_cast<const BYTE*>(pSrc);
    // The explicit 256-bit blocks need four interior pixels in a row.
    const bool avx2 = CImagingCpu::GetLevel() >= CImagingCpu::LEVEL_AVX2 && width >= 6;
    std::atomic<bool> failed(false);
    CWorkerPool::Shared().ForRows(height - 2, [&](int first, int last) {
        if (avx2) {
            FilterRowsAvx2::BlurInteriorRows(pBytes, pDst, width, first + 1, last + 1, division, centreExtra);
            return;
        }
        std::unique_ptr<std::uint16_t[]> columnSums(new (std::nothrow) std::uint16_t[lanes]);
        std::unique_ptr<BYTE[]> quotients(new (std::nothrow) BYTE[lanes]);
        if (!columnSums || !quotients)
            failed = true;
        else
            BlurInteriorRows(pBytes, pDst, width, first + 1, last + 1, division, centreExtra, columnSums.get(),
                             quotients.get());
    });
    return failed ? FALSE : TRUE;
}
