// WeightedBlendAvx2: the weighted-colour blend in 256-bit lanes, built with
// AVX2 code generation and called only when CImagingCpu reports AVX2: one
// pixel (its four bytes as four doubles), and runs of pixels four at a time
// (one channel of four pixels as four doubles). Every lane adds and
// multiplies in the order of WeightedBlend::Channel, so the bytes are those
// of the plain blend. Besides intrinsics it uses only PixelWords, whose
// functions have internal linkage, so no inline function of a shared header
// is compiled here with instructions other processors lack.
#include "WeightedBlendAvx.h"

#include "TurnedPointsPrefetch.h"

#include "PixelWords.h"

#include <immintrin.h>

#include <cstddef>
#include <cstdint>

namespace WeightedBlend {

namespace {

// The blend of four pixels in two parts: what depends on the column terms
// alone (per channel P00, P01 and du*P10 + (1 - du)*P00, as doubles), and
// the rest of the sum for the row terms. Rows that sample the same source
// rows share the first part.
class Columns4
{
public:
    Columns4(__m128i w00, __m128i w10, __m128i w01, __m256d du, __m256d restU)
    {
        for (int channel = 0; channel < 3; ++channel) {
            const __m128i pick = PickChannel(channel);
            m_p00[channel] = _mm256_cvtepi32_pd(_mm_shuffle_epi8(w00, pick));
            m_p01[channel] = _mm256_cvtepi32_pd(_mm_shuffle_epi8(w01, pick));
            const __m256d p10 = _mm256_cvtepi32_pd(_mm_shuffle_epi8(w10, pick));
            m_across[channel] = _mm256_add_pd(_mm256_mul_pd(du, p10), _mm256_mul_pd(restU, m_p00[channel]));
        }
    }

    // The four blended words (fourth byte 0) for the row terms restV, dv.
    __m128i Words(__m256d restV, __m256d dv) const
    {
        __m128i values[3];
        for (int channel = 0; channel < 3; ++channel) {
            __m256d sum = _mm256_add_pd(m_across[channel], _mm256_mul_pd(restV, m_p00[channel]));
            sum = _mm256_add_pd(sum, _mm256_mul_pd(dv, m_p01[channel]));
            values[channel] = _mm256_cvttpd_epi32(_mm256_mul_pd(_mm256_set1_pd(0.5), sum));
        }
        return _mm_or_si128(_mm_or_si128(values[0], _mm_slli_epi32(values[1], 8)), _mm_slli_epi32(values[2], 16));
    }

private:
    // Byte `channel` of each of four words, alone in its 32-bit lane.
    static __m128i PickChannel(int channel)
    {
        const char c = static_cast<char>(channel);
        return _mm_setr_epi8(c, -1, -1, -1, static_cast<char>(4 + c), -1, -1, -1, static_cast<char>(8 + c), -1, -1, -1,
                             static_cast<char>(12 + c), -1, -1, -1);
    }

    __m256d m_p00[3], m_p01[3], m_across[3];
};

// Four blended words (fourth byte 0) of four pixels' words and terms.
inline __m128i Blend4(__m128i w00, __m128i w10, __m128i w01, __m256d du, __m256d restU, __m256d restV, __m256d dv)
{
    return Columns4(w00, w10, w01, du, restU).Words(restV, dv);
}
} // namespace

std::uint32_t BlendPixelAvx2(std::uint32_t w00, std::uint32_t w10, std::uint32_t w01, double du, double restU,
                             double restV, double dv)
{
    const __m256d p00 = _mm256_cvtepi32_pd(_mm_cvtepu8_epi32(_mm_cvtsi32_si128(static_cast<int>(w00))));
    const __m256d p10 = _mm256_cvtepi32_pd(_mm_cvtepu8_epi32(_mm_cvtsi32_si128(static_cast<int>(w10))));
    const __m256d p01 = _mm256_cvtepi32_pd(_mm_cvtepu8_epi32(_mm_cvtsi32_si128(static_cast<int>(w01))));
    // 0.5 * (du*P10 + (1 - du)*P00 + (1 - dv)*P00 + dv*P01), added left to right
    // (the order of WeightedBlend::Channel).
    __m256d sum = _mm256_add_pd(_mm256_mul_pd(_mm256_set1_pd(du), p10), _mm256_mul_pd(_mm256_set1_pd(restU), p00));
    sum = _mm256_add_pd(sum, _mm256_mul_pd(_mm256_set1_pd(restV), p00));
    sum = _mm256_add_pd(sum, _mm256_mul_pd(_mm256_set1_pd(dv), p01));
    const __m256d value = _mm256_mul_pd(_mm256_set1_pd(0.5), sum);
    const __m128i ints = _mm256_cvttpd_epi32(value);
    const __m128i words = _mm_packs_epi32(ints, ints);
    return static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(words, words))) & 0x00FFFFFFu;
}

void BlendShiftedRunAvx2(const RGBX* pRow, const RGBX* pNextRow, double shift, double restV, double dv, int first,
                         int last, RGBX* pDst)
{
    const __m256d vRestV = _mm256_set1_pd(restV);
    const __m256d vDv = _mm256_set1_pd(dv);
    const __m256d vShift = _mm256_set1_pd(shift);
    const __m256d one = _mm256_set1_pd(1.0);
    const __m128i steps = _mm_setr_epi32(0, 1, 2, 3);
    for (int i = first; i < last; i += 4) {
        const __m128i columns = _mm_add_epi32(_mm_set1_epi32(i), steps);
        const __m256d u = _mm256_sub_pd(_mm256_cvtepi32_pd(columns), vShift);
        const __m128i cu = _mm256_cvttpd_epi32(u);
        const int cu0 = _mm_cvtsi128_si32(cu);
        const __m256d du = _mm256_sub_pd(u, _mm256_cvtepi32_pd(cu));
        const __m256d restU = _mm256_sub_pd(one, du);
        // Four points in four neighbouring columns are read as three runs of
        // four words; the end of the run, or two points that rounding of
        // i - shift put in one column, go pixel by pixel.
        if (i + 4 <= last
            && _mm_movemask_epi8(_mm_cmpeq_epi32(cu, _mm_add_epi32(_mm_set1_epi32(cu0), steps))) == 0xFFFF) {
            const __m128i w00 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pRow + cu0));
            const __m128i w10 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pRow + cu0 + 1));
            const __m128i w01 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pNextRow + cu0));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(pDst + i), Blend4(w00, w10, w01, du, restU, vRestV, vDv));
            continue;
        }
        alignas(32) int cuLanes[4];
        alignas(32) double duLanes[4], restULanes[4];
        _mm_store_si128(reinterpret_cast<__m128i*>(cuLanes), cu);
        _mm256_store_pd(duLanes, du);
        _mm256_store_pd(restULanes, restU);
        for (int k = 0; k < 4 && i + k < last; ++k) {
            const int c = cuLanes[k];
            PixelWords::Write(pDst + i + k,
                              BlendPixelAvx2(PixelWords::Read(pRow + c), PixelWords::Read(pRow + c + 1),
                                             PixelWords::Read(pNextRow + c), duLanes[k], restULanes[k], restV, dv));
        }
    }
}

void BlendColumnsRunAvx2(const RGBX* pRow, const RGBX* pNextRow, int width, const int* pFirst, const int* pNext,
                         const double* pFrac, const double* pRest, const double* pRestV, const double* pDv,
                         int rowCount, int count, RGBX* pDst)
{
    const __m128i eight = _mm_set1_epi32(8);
    for (int x = 0; x < count; x += 4) {
        // Four columns whose pixels lie among eight neighbouring source
        // pixels are picked from one read of those eight per row; others,
        // and the end of the run, go pixel by pixel.
        if (x + 4 <= count && pFirst[x] + 8 <= width) {
            const int base = pFirst[x];
            const __m128i vBase = _mm_set1_epi32(base);
            const __m128i first = _mm_sub_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(pFirst + x)), vBase);
            const __m128i next = _mm_sub_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(pNext + x)), vBase);
            // Unsigned offsets below 8: 0 <= offset < 8.
            const __m128i outside = _mm_or_si128(_mm_cmpeq_epi32(_mm_min_epu32(first, eight), eight),
                                                 _mm_cmpeq_epi32(_mm_min_epu32(next, eight), eight));
            if (_mm_movemask_epi8(outside) == 0) {
                const __m256i row = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pRow + base));
                const __m256i nextRow = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pNextRow + base));
                const __m128i w00 =
                    _mm256_castsi256_si128(_mm256_permutevar8x32_epi32(row, _mm256_castsi128_si256(first)));
                const __m128i w10 =
                    _mm256_castsi256_si128(_mm256_permutevar8x32_epi32(row, _mm256_castsi128_si256(next)));
                const __m128i w01 =
                    _mm256_castsi256_si128(_mm256_permutevar8x32_epi32(nextRow, _mm256_castsi128_si256(first)));
                const Columns4 columns(w00, w10, w01, _mm256_loadu_pd(pFrac + x), _mm256_loadu_pd(pRest + x));
                for (int r = 0; r < rowCount; ++r)
                    _mm_storeu_si128(reinterpret_cast<__m128i*>(pDst + static_cast<size_t>(r) * count + x),
                                     columns.Words(_mm256_set1_pd(pRestV[r]), _mm256_set1_pd(pDv[r])));
                continue;
            }
        }
        for (int r = 0; r < rowCount; ++r)
            for (int k = x; k < x + 4 && k < count; ++k)
                PixelWords::Write(pDst + static_cast<size_t>(r) * count + k,
                                  BlendPixelAvx2(PixelWords::Read(pRow + pFirst[k]), PixelWords::Read(pRow + pNext[k]),
                                                 PixelWords::Read(pNextRow + pFirst[k]), pFrac[k], pRest[k], pRestV[r],
                                                 pDv[r]));
    }
}

int BlendTurnedPointsAvx2(const RGBX* pSrc, int width, int height, const double* pX, const double* pY, int count,
                          double offsetX, double offsetY, const int window[4], RGBX* pDst, int* pLeftOver)
{
    const int* pWords = reinterpret_cast<const int*>(pSrc);
    const __m128i left = _mm_set1_epi32(window[0] - 1);
    const __m128i top = _mm_set1_epi32(window[1] - 1);
    const __m128i right = _mm_set1_epi32(window[2]);
    const __m128i bottom = _mm_set1_epi32(window[3]);
    const __m256d vOffsetX = _mm256_set1_pd(offsetX);
    const __m256d vOffsetY = _mm256_set1_pd(offsetY);
    const __m256d zero = _mm256_setzero_pd();
    const __m256d vWidth = _mm256_set1_pd(width);
    const __m256d vHeight = _mm256_set1_pd(height);
    const __m256d one = _mm256_set1_pd(1.0);
    const __m128i one32 = _mm_set1_epi32(1);
    const __m128i lastColumn = _mm_set1_epi32(width - 1);
    const __m128i lastRow = _mm_set1_epi32(height - 1);
    const __m128i rowLength = _mm_set1_epi32(width);
    int leftOver = 0;
    for (int t = 0; t < count; t += 4) {
        if (t + 4 > count) {
            pLeftOver[leftOver++] = t;
            break;
        }
        // The gathers wait on the caches: the rows of two points four blocks
        // ahead (points of this run only) are asked for now. The turned
        // points stay within 3 * MAX_SIDE, so the truncations fit an int.
        for (int k = 0; k < 4 && t + kPrefetchAhead + k < count; k += 2)
            PrefetchRows(pSrc, width, height, static_cast<int>(offsetX + pX[t + kPrefetchAhead + k]),
                         static_cast<int>(offsetY + pY[t + kPrefetchAhead + k]));
        const __m256d sx = _mm256_loadu_pd(pX + t);
        const __m256d sy = _mm256_loadu_pd(pY + t);
        const __m128i px = _mm256_cvttpd_epi32(sx);
        const __m128i py = _mm256_cvttpd_epi32(sy);
        const __m256d u = _mm256_add_pd(vOffsetX, sx);
        const __m256d v = _mm256_add_pd(vOffsetY, sy);
        // All four points inside the window and blended by the plain rule
        // (0 <= u < W, 0 <= v < H), none inside, or the caller takes the four.
        const __m128i inWindow = _mm_and_si128(_mm_and_si128(_mm_cmpgt_epi32(px, left), _mm_cmpgt_epi32(right, px)),
                                               _mm_and_si128(_mm_cmpgt_epi32(py, top), _mm_cmpgt_epi32(bottom, py)));
        const __m256d inPicture =
            _mm256_and_pd(_mm256_and_pd(_mm256_cmp_pd(u, zero, _CMP_GE_OQ), _mm256_cmp_pd(v, zero, _CMP_GE_OQ)),
                          _mm256_and_pd(_mm256_cmp_pd(u, vWidth, _CMP_LT_OQ), _mm256_cmp_pd(v, vHeight, _CMP_LT_OQ)));
        const int inside = _mm_movemask_epi8(inWindow);
        // Points outside the window leave their pixels as they are.
        if (inside == 0)
            continue;
        if (inside != 0xFFFF || _mm256_movemask_pd(inPicture) != 0xF) {
            pLeftOver[leftOver++] = t;
            continue;
        }
        const __m128i cu = _mm256_cvttpd_epi32(u);
        const __m128i cv = _mm256_cvttpd_epi32(v);
        const __m256d du = _mm256_sub_pd(u, _mm256_cvtepi32_pd(cu));
        const __m256d dv = _mm256_sub_pd(v, _mm256_cvtepi32_pd(cv));
        const __m128i rowStart = _mm_mullo_epi32(cv, rowLength);
        const __m128i nextRowStart = _mm_mullo_epi32(_mm_min_epi32(_mm_add_epi32(cv, one32), lastRow), rowLength);
        const __m128i nextColumn = _mm_min_epi32(_mm_add_epi32(cu, one32), lastColumn);
        const __m128i w00 = _mm_i32gather_epi32(pWords, _mm_add_epi32(rowStart, cu), 4);
        const __m128i w10 = _mm_i32gather_epi32(pWords, _mm_add_epi32(rowStart, nextColumn), 4);
        const __m128i w01 = _mm_i32gather_epi32(pWords, _mm_add_epi32(nextRowStart, cu), 4);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pDst + t),
                         Blend4(w00, w10, w01, du, _mm256_sub_pd(one, du), _mm256_sub_pd(one, dv), dv));
    }
    return leftOver;
}

} // namespace WeightedBlend
