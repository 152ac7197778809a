// WeightedBlendAvx512: the enlarging resizer's runs and the rotation's runs
// of turned points of the weighted-colour blend in 512-bit lanes, eight
// pixels at a time (one channel of eight pixels as eight doubles), built with
// AVX-512 code generation and called only at
// CImagingCpu's AVX-512 level. Every lane adds and multiplies in the order of
// WeightedBlend::Channel, so the bytes are those of the plain blend; what does
// not fit eight at a time goes to the AVX2 form. Like that form it includes
// no shared inline code.
#include "WeightedBlendAvx.h"

#include "TurnedPointsPrefetch.h"

#include <immintrin.h>

#include <cstddef>
#include <cstdint>

namespace WeightedBlend {

namespace {

// The blend of eight pixels in two parts, as Columns4 in
// WeightedBlendAvx2.cpp: per channel P00, P01 and du*P10 + (1 - du)*P00,
// shared by the rows that sample the same source rows, and the rest of the
// sum for each row's terms.
class Columns8
{
public:
    Columns8(__m256i w00, __m256i w10, __m256i w01, __m512d du, __m512d restU)
    {
        for (int channel = 0; channel < 3; ++channel) {
            const __m256i pick = PickChannel(channel);
            m_p00[channel] = _mm512_cvtepi32_pd(_mm256_shuffle_epi8(w00, pick));
            m_p01[channel] = _mm512_cvtepi32_pd(_mm256_shuffle_epi8(w01, pick));
            const __m512d p10 = _mm512_cvtepi32_pd(_mm256_shuffle_epi8(w10, pick));
            m_across[channel] = _mm512_add_pd(_mm512_mul_pd(du, p10), _mm512_mul_pd(restU, m_p00[channel]));
        }
    }

    // The eight blended words (fourth byte 0) for the row terms restV, dv.
    __m256i Words(__m512d restV, __m512d dv) const
    {
        __m256i values[3];
        for (int channel = 0; channel < 3; ++channel) {
            __m512d sum = _mm512_add_pd(m_across[channel], _mm512_mul_pd(restV, m_p00[channel]));
            sum = _mm512_add_pd(sum, _mm512_mul_pd(dv, m_p01[channel]));
            values[channel] = _mm512_cvttpd_epi32(_mm512_mul_pd(_mm512_set1_pd(0.5), sum));
        }
        return _mm256_or_si256(_mm256_or_si256(values[0], _mm256_slli_epi32(values[1], 8)),
                               _mm256_slli_epi32(values[2], 16));
    }

private:
    // Byte `channel` of each of eight words, alone in its 32-bit lane (the
    // byte shuffle works within each half).
    static __m256i PickChannel(int channel)
    {
        const char c = static_cast<char>(channel);
        const char c1 = static_cast<char>(4 + c), c2 = static_cast<char>(8 + c), c3 = static_cast<char>(12 + c);
        return _mm256_setr_epi8(c, -1, -1, -1, c1, -1, -1, -1, c2, -1, -1, -1, c3, -1, -1, -1, c, -1, -1, -1, c1, -1,
                                -1, -1, c2, -1, -1, -1, c3, -1, -1, -1);
    }

    __m512d m_p00[3], m_p01[3], m_across[3];
};

// Lanes of offsets that are not below limit (as unsigned numbers).
inline bool AnyNotBelow(__m256i offsets, __m256i limit)
{
    return _mm256_movemask_epi8(_mm256_cmpeq_epi32(_mm256_min_epu32(offsets, limit), limit)) != 0;
}
} // namespace

void BlendColumnsRunAvx512(const RGBX* pRow, const RGBX* pNextRow, int width, const int* pFirst, const int* pNext,
                           const double* pFrac, const double* pRest, const double* pRestV, const double* pDv,
                           int rowCount, int count, RGBX* pDst)
{
    const __m256i sixteen = _mm256_set1_epi32(16);
    for (int x = 0; x < count; x += 8) {
        // Eight columns whose pixels lie among sixteen neighbouring source
        // pixels are picked from one read of those sixteen per row (always so
        // when enlarging, but at the right edge); others, and the end of the
        // run, go to the AVX2 form row by row.
        const int base = pFirst[x];
        if (x + 8 <= count && base + 16 <= width) {
            const __m256i vBase = _mm256_set1_epi32(base);
            const __m256i first =
                _mm256_sub_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(pFirst + x)), vBase);
            const __m256i next =
                _mm256_sub_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(pNext + x)), vBase);
            if (!AnyNotBelow(first, sixteen) && !AnyNotBelow(next, sixteen)) {
                const __m512i row = _mm512_loadu_si512(pRow + base);
                const __m512i nextRow = _mm512_loadu_si512(pNextRow + base);
                const __m256i w00 =
                    _mm512_castsi512_si256(_mm512_permutexvar_epi32(_mm512_zextsi256_si512(first), row));
                const __m256i w10 = _mm512_castsi512_si256(_mm512_permutexvar_epi32(_mm512_zextsi256_si512(next), row));
                const __m256i w01 =
                    _mm512_castsi512_si256(_mm512_permutexvar_epi32(_mm512_zextsi256_si512(first), nextRow));
                const Columns8 columns(w00, w10, w01, _mm512_loadu_pd(pFrac + x), _mm512_loadu_pd(pRest + x));
                for (int r = 0; r < rowCount; ++r)
                    _mm256_storeu_si256(reinterpret_cast<__m256i*>(pDst + static_cast<size_t>(r) * count + x),
                                        columns.Words(_mm512_set1_pd(pRestV[r]), _mm512_set1_pd(pDv[r])));
                continue;
            }
        }
        const int columnCount = count - x < 8 ? count - x : 8;
        for (int r = 0; r < rowCount; ++r)
            BlendColumnsRunAvx2(pRow, pNextRow, width, pFirst + x, pNext + x, pFrac + x, pRest + x, pRestV + r, pDv + r,
                                1, columnCount, pDst + static_cast<size_t>(r) * count + x);
    }
}

int BlendTurnedPointsAvx512(const RGBX* pSrc, int width, int height, const double* pX, const double* pY, int count,
                            double offsetX, double offsetY, const int window[4], RGBX* pDst, int* pLeftOver)
{
    const int* pWords = reinterpret_cast<const int*>(pSrc);
    const __m256i left = _mm256_set1_epi32(window[0] - 1);
    const __m256i top = _mm256_set1_epi32(window[1] - 1);
    const __m256i right = _mm256_set1_epi32(window[2]);
    const __m256i bottom = _mm256_set1_epi32(window[3]);
    const __m512d vOffsetX = _mm512_set1_pd(offsetX);
    const __m512d vOffsetY = _mm512_set1_pd(offsetY);
    const __m512d zero = _mm512_setzero_pd();
    const __m512d vWidth = _mm512_set1_pd(width);
    const __m512d vHeight = _mm512_set1_pd(height);
    const __m512d one = _mm512_set1_pd(1.0);
    const __m256i one32 = _mm256_set1_epi32(1);
    const __m256i lastColumn = _mm256_set1_epi32(width - 1);
    const __m256i lastRow = _mm256_set1_epi32(height - 1);
    const __m256i rowLength = _mm256_set1_epi32(width);
    int leftOver = 0;
    for (int t = 0; t < count; t += 8) {
        // The end of the run goes to the AVX2 form.
        if (t + 8 > count) {
            const int blocks = BlendTurnedPointsAvx2(pSrc, width, height, pX + t, pY + t, count - t, offsetX, offsetY,
                                                     window, pDst + t, pLeftOver + leftOver);
            for (int b = leftOver; b < leftOver + blocks; ++b)
                pLeftOver[b] += t;
            return leftOver + blocks;
        }
        for (int k = 0; k < 8 && t + kPrefetchAhead + k < count; k += 2)
            PrefetchRows(pSrc, width, height, static_cast<int>(offsetX + pX[t + kPrefetchAhead + k]),
                         static_cast<int>(offsetY + pY[t + kPrefetchAhead + k]));
        const __m512d sx = _mm512_loadu_pd(pX + t);
        const __m512d sy = _mm512_loadu_pd(pY + t);
        const __m256i px = _mm512_cvttpd_epi32(sx);
        const __m256i py = _mm512_cvttpd_epi32(sy);
        const __m512d u = _mm512_add_pd(vOffsetX, sx);
        const __m512d v = _mm512_add_pd(vOffsetY, sy);
        // As in BlendTurnedPointsAvx2: all eight inside the window and
        // blended by the plain rule, none inside, or the AVX2 form takes the
        // eight as two blocks of four.
        const __m256i inWindow =
            _mm256_and_si256(_mm256_and_si256(_mm256_cmpgt_epi32(px, left), _mm256_cmpgt_epi32(right, px)),
                             _mm256_and_si256(_mm256_cmpgt_epi32(py, top), _mm256_cmpgt_epi32(bottom, py)));
        const __mmask8 inPicture = static_cast<__mmask8>(
            _mm512_cmp_pd_mask(u, zero, _CMP_GE_OQ) & _mm512_cmp_pd_mask(v, zero, _CMP_GE_OQ)
            & _mm512_cmp_pd_mask(u, vWidth, _CMP_LT_OQ) & _mm512_cmp_pd_mask(v, vHeight, _CMP_LT_OQ));
        const unsigned inside = static_cast<unsigned>(_mm256_movemask_epi8(inWindow));
        if (inside == 0)
            continue;
        if (inside != 0xFFFFFFFFu || inPicture != 0xFF) {
            const int blocks = BlendTurnedPointsAvx2(pSrc, width, height, pX + t, pY + t, 8, offsetX, offsetY, window,
                                                     pDst + t, pLeftOver + leftOver);
            for (int b = leftOver; b < leftOver + blocks; ++b)
                pLeftOver[b] += t;
            leftOver += blocks;
            continue;
        }
        const __m256i cu = _mm512_cvttpd_epi32(u);
        const __m256i cv = _mm512_cvttpd_epi32(v);
        const __m512d du = _mm512_sub_pd(u, _mm512_cvtepi32_pd(cu));
        const __m512d dv = _mm512_sub_pd(v, _mm512_cvtepi32_pd(cv));
        const __m256i rowStart = _mm256_mullo_epi32(cv, rowLength);
        const __m256i nextRowStart =
            _mm256_mullo_epi32(_mm256_min_epi32(_mm256_add_epi32(cv, one32), lastRow), rowLength);
        const __m256i nextColumn = _mm256_min_epi32(_mm256_add_epi32(cu, one32), lastColumn);
        const __m256i w00 = _mm256_i32gather_epi32(pWords, _mm256_add_epi32(rowStart, cu), 4);
        const __m256i w10 = _mm256_i32gather_epi32(pWords, _mm256_add_epi32(rowStart, nextColumn), 4);
        const __m256i w01 = _mm256_i32gather_epi32(pWords, _mm256_add_epi32(nextRowStart, cu), 4);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(pDst + t),
                            Columns8(w00, w10, w01, du, _mm512_sub_pd(one, du)).Words(_mm512_sub_pd(one, dv), dv));
    }
    return leftOver;
}

} // namespace WeightedBlend
