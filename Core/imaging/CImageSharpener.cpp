// CImageSharpener: 3 x 3 sharpening in 16-bit integer lanes over the bytes of
// each row (explicit 256-bit blocks at the AVX2 level, 512-bit ones at the
// AVX-512 level), with the double sum in kernel order only where the integer
// form cannot tell the result.
#include "CImageSharpener.h"

#include "CWorkerPool.h"
#include "CImagingCpu.h"
#include "FilterRows.h"
#include "PixelWords.h"
#include "StrengthDivisions.h"

#include <atomic>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

namespace {

// The kernel in integer form. With e = 51 - 5 * strength and K = 4 * (e + 1),
// q = 1/e and g = 1/((q + 1) * 4) = e/K, so the weights are exactly: centre 2,
// direct -e/K, diagonal -q*g = -1/K. For a channel with centre value c, sum
// D of the four direct neighbours and sum G of the four diagonal ones the
// exact kernel value is 2c - (e*D + G)/K = N/K with the integer
// N = 8 * (e + 1) * c - e*D - G.
//
// How far the double sum in kernel order can be from N/K: u = 2^-53. The
// computed weights carry relative errors below 6u (q, q + 1 and the
// reciprocal each round once, q*g once more; the centre 2.0 is exact), so
// each of the nine products w*v (v <= 255) is within 8u of its exact value
// relatively; the nine exact products add up in magnitude to at most
// 2*255 + 255 = 765, and eight additions of partial sums no larger than
// 766 add at most 8u * 766. The double sum is therefore within
// 765 * 8u + 8u * 766 < 16 * 766 * 2^-53 < 1.4e-12 of N/K. When K does not
// divide N, N/K is at least 1/K >= 1/188 > 0.005 away from every integer,
// so the double sum truncates (after clamping to 0 ... 255) exactly as
// clamp(floor(N/K), 0, 255). When N = m*K the sum lies within 1.4e-12 of
// the integer m and may fall just below it: for m <= 0 or m >= 256 the
// clamp still gives 0 or 255, but for 1 <= m <= 255 the result is m or
// m - 1, and only the double sum itself tells which.
//
// In 16-bit lanes: B = e*D + G lies in 0 ... 1020 * (e + 1) = 255*K <= 47940,
// floor(N/K) = 2c - ceil(B/K), and K divides N exactly when it divides B.
// ceil(B/K) = floor((B + K - 1)/K) is taken as floor(b*M / 2^(16 + S)) for
// b = B + K - 1 < 256*K, with M = ceil(2^(16 + S)/K) < 2^16 and S the
// largest shift that keeps M below 2^16: the exact division of
// ExactDivision.h, checked at compile time for every strength (the tests
// also try every b).
constexpr std::uint32_t Denominator(int strength)
{
    return static_cast<std::uint32_t>(4 * (51 - 5 * strength + 1));
}

constexpr StrengthDivisions kDivisions([](int strength) { return Denominator(strength); });
// b = B + K - 1 lies below 256 * K.
static_assert(kDivisions.AreExact([](int strength) { return 256 * Denominator(strength); }),
              "every kernel division is exact for all sums");

} // namespace

CImageSharpener::CImageSharpener(int nFactor)
    : CImage32BitProcessor(0), m_nFactor(nFactor < 0 ? 0 : (nFactor > 10 ? 10 : nFactor))
{
}

BOOL CImageSharpener::ProcessPixels(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const
{
    if (m_nFactor == 0)
        return CImage32BitProcessor::ProcessPixels(pSrc, sizeSrc, pDst, sizeDst);
    if (!AreBuffersValid(pSrc, sizeSrc, pDst, sizeDst) || sizeSrc != sizeDst)
        return FALSE;
    const int width = sizeSrc.cx;
    const int height = sizeSrc.cy;

    // Border rows and the first and last column of the others are copied whole.
    for (int y = 0; y < height; ++y) {
        const RGBX* pSrcRow = pSrc + static_cast<size_t>(y) * width;
        RGBX* pDstRow = pDst + static_cast<size_t>(y) * width;
        if (y == 0 || y == height - 1) {
            std::memcpy(static_cast<void*>(pDstRow), pSrcRow, static_cast<size_t>(width) * sizeof(RGBX));
        } else if (width > 0) {
            pDstRow[0] = pSrcRow[0];
            pDstRow[width - 1] = pSrcRow[width - 1];
        }
    }
    if (width < 3 || height < 3)
        return TRUE;

    const int e = 51 - 5 * m_nFactor;
    const double q = 1 / static_cast<double>(e);
    const double g = 1 / ((q + 1) * 4);
    const KernelWeights weights = { -g, -(q * g) };
    // The result of a flat neighbourhood depends on its value alone.
    BYTE flatResults[256];
    for (int value = 0; value < 256; ++value) {
        const BYTE v = static_cast<BYTE>(value);
        const BYTE values[9] = { v, v, v, v, v, v, v, v, v };
        flatResults[value] = weights.Sum(values);
    }
    const ExactDivision division = kDivisions[m_nFactor];
    const std::uint16_t e16 = static_cast<std::uint16_t>(e);
    const size_t lanes = 4 * static_cast<size_t>(width);
    const BYTE* pBytes = reinterpret_cast<const BYTE*>(pSrc);

    // The explicit 512-bit blocks need eight interior pixels in a row, the
    // 256-bit ones four.
    const int level = CImagingCpu::GetLevel();
    const bool avx512 = level >= CImagingCpu::LEVEL_AVX512 && width >= 10;
    const bool avx2 = level >= CImagingCpu::LEVEL_AVX2 && width >= 6;
    std::atomic<bool> failed(false);
    CWorkerPool::Shared().ForRows(height - 2, [&](int first, int last) {
        if (avx512) {
            FilterRowsAvx512::SharpenInteriorRows(pBytes, pDst, width, first + 1, last + 1, division, e16, flatResults,
                                                  weights.direct, weights.diagonal);
            return;
        }
        if (avx2) {
            FilterRowsAvx2::SharpenInteriorRows(pBytes, pDst, width, first + 1, last + 1, division, e16, flatResults,
                                                weights.direct, weights.diagonal);
            return;
        }
        std::unique_ptr<std::uint16_t[]> vertical(new (std::nothrow) std::uint16_t[lanes]);
        std::unique_ptr<BYTE[]> scratch(new (std::nothrow) BYTE[3 * lanes]);
        if (!vertical || !scratch)
            failed = true;
        else
            SharpenInteriorRows(pBytes, pDst, width, first + 1, last + 1, division, e16, flatResults, weights,
                                vertical.get(), scratch.get());
    });
    return failed ? FALSE : TRUE;
}
