// FilterRowsAvx512: the sharpener's interior in explicit 512-bit lanes, eight
// interior pixels (32 byte lanes as 32 words) per block, built with AVX-512
// code generation and called only at CImagingCpu's AVX-512 level. Each step
// is the one of SharpenBlocks in FilterRowsAvx2.cpp at twice the width: the
// integer form, the flat lanes from the bit set of per-value results, and
// the double sum in kernel order where an exact value is whole.
#include "FilterRows.h"

#include <immintrin.h>

namespace {

__m256i Load(const BYTE* p)
{
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

__m512i Widen(__m256i bytes)
{
    return _mm512_cvtepu8_epi16(bytes);
}

class SharpenBlocks
{
public:
    SharpenBlocks(const ExactDivision& division, std::uint16_t e, const BYTE (&flatResults)[256],
                  const KernelWeights& weights)
        : m_e(_mm512_set1_epi16(static_cast<short>(e))),
          m_roundUp(_mm512_set1_epi16(static_cast<short>(division.divisor - 1))),
          m_multiplier(_mm512_set1_epi16(static_cast<short>(division.multiplier))),
          m_denominator(_mm512_set1_epi16(static_cast<short>(division.divisor))),
          m_shift(_mm_cvtsi32_si128(division.shift)),
          m_colourBytes(_mm256_set1_epi32(static_cast<int>(PixelWords::ColourMask()))),
          m_colourLanes(static_cast<unsigned>(_mm256_movemask_epi8(m_colourBytes))), m_weights(weights)
    {
        // The 32 bytes of bits in both 128-bit halves of two registers, since
        // byte shuffles pick within each half.
        alignas(16) BYTE drops[32];
        MakeFlatDrops(flatResults, drops);
        m_dropsLow = _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(drops)));
        m_dropsHigh = _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(drops + 16)));
    }

    // Lanes k ... k + 31 of the row below pAbove (rows of lanes bytes) into
    // pDstRow, whose fourth bytes stay.
    void Filter(const BYTE* pAbove, size_t lanes, size_t k, BYTE* pDstRow) const
    {
        const BYTE* pRow = pAbove + lanes;
        const BYTE* pBelow = pRow + lanes;
        const __m256i aboveLeft = Load(pAbove + k - 4), above = Load(pAbove + k), aboveRight = Load(pAbove + k + 4);
        const __m256i left = Load(pRow + k - 4), centre = Load(pRow + k), right = Load(pRow + k + 4);
        const __m256i belowLeft = Load(pBelow + k - 4), below = Load(pBelow + k), belowRight = Load(pBelow + k + 4);

        const __m512i verticalLeft = _mm512_add_epi16(Widen(aboveLeft), Widen(belowLeft));
        const __m512i verticalRight = _mm512_add_epi16(Widen(aboveRight), Widen(belowRight));
        const __m512i direct =
            _mm512_add_epi16(_mm512_add_epi16(Widen(above), Widen(below)), _mm512_add_epi16(Widen(left), Widen(right)));
        const __m512i b =
            _mm512_add_epi16(_mm512_mullo_epi16(direct, m_e), _mm512_add_epi16(verticalLeft, verticalRight));
        const __m512i quotient =
            _mm512_srl_epi16(_mm512_mulhi_epu16(_mm512_add_epi16(b, m_roundUp), m_multiplier), m_shift);
        const __m512i twice = _mm512_add_epi16(Widen(centre), Widen(centre));
        const __m512i result = _mm512_min_epu16(_mm512_subs_epu16(twice, quotient), _mm512_set1_epi16(255));
        const unsigned whole =
            static_cast<unsigned>(_mm512_cmpeq_epi16_mask(_mm512_mullo_epi16(quotient, m_denominator), b));

        // Every word is at most 255: its low byte is the result.
        __m256i bytes = _mm512_maskz_cvtepi16_epi8(~__mmask32(0), result);
        const unsigned open = whole & m_colourLanes;
        if (open != 0) {
            const __m256i differences = _mm256_or_si256(
                _mm256_or_si256(_mm256_or_si256(_mm256_xor_si256(aboveLeft, left), _mm256_xor_si256(left, belowLeft)),
                                _mm256_or_si256(_mm256_xor_si256(above, centre), _mm256_xor_si256(centre, below))),
                _mm256_or_si256(
                    _mm256_or_si256(_mm256_xor_si256(aboveRight, right), _mm256_xor_si256(right, belowRight)),
                    _mm256_or_si256(_mm256_xor_si256(left, centre), _mm256_xor_si256(centre, right))));
            const unsigned flat = static_cast<unsigned>(_mm256_cmpeq_epi8_mask(differences, _mm256_setzero_si256()));
            bytes = _mm256_mask_blend_epi8(flat & open, bytes, FlatResults(centre));
            const unsigned sums = open & ~flat;
            if (sums != 0)
                bytes = SettleSums(pAbove + k, lanes, sums, bytes);
        }
        const __m256i kept = _mm256_andnot_si256(m_colourBytes, Load(pDstRow + k));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(pDstRow + k),
                            _mm256_or_si256(kept, _mm256_and_si256(m_colourBytes, bytes)));
    }

private:
    // The flat result of each byte v: v, or v - 1 where its bit is set.
    __m256i FlatResults(__m256i values) const
    {
        const __m256i index = _mm256_and_si256(_mm256_srli_epi16(values, 3), _mm256_set1_epi8(0x1F));
        const __m256i set =
            _mm256_blendv_epi8(_mm256_shuffle_epi8(m_dropsLow, index), _mm256_shuffle_epi8(m_dropsHigh, index),
                               _mm256_cmpgt_epi8(index, _mm256_set1_epi8(15)));
        const __m256i bits = _mm256_setr_epi8(1, 2, 4, 8, 16, 32, 64, -128, 1, 2, 4, 8, 16, 32, 64, -128, 1, 2, 4, 8,
                                              16, 32, 64, -128, 1, 2, 4, 8, 16, 32, 64, -128);
        const __m256i bit = _mm256_shuffle_epi8(bits, _mm256_and_si256(values, _mm256_set1_epi8(7)));
        return _mm256_add_epi8(values, _mm256_cmpeq_epi8(_mm256_and_si256(set, bit), bit));
    }

    // The lanes of sums (one bit per lane of the block at pAboveBlock) from
    // the double sum in kernel order.
    __m256i SettleSums(const BYTE* pAboveBlock, size_t lanes, unsigned sums, __m256i bytes) const
    {
        alignas(32) BYTE out[32];
        _mm256_store_si256(reinterpret_cast<__m256i*>(out), bytes);
        m_weights.SumLanes(pAboveBlock, lanes, sums, out);
        return _mm256_load_si256(reinterpret_cast<const __m256i*>(out));
    }

    __m512i m_e, m_roundUp, m_multiplier, m_denominator;
    __m128i m_shift;
    __m256i m_colourBytes;
    unsigned m_colourLanes;
    __m256i m_dropsLow, m_dropsHigh;
    KernelWeights m_weights;
};

} // namespace

namespace FilterRowsAvx512 {

void SharpenInteriorRows(const BYTE* pBytes, RGBX* pDst, int width, int first, int last, ExactDivision division,
                         std::uint16_t e, const BYTE (&flatResults)[256], double direct, double diagonal)
{
    const SharpenBlocks blocks(division, e, flatResults, KernelWeights{ direct, diagonal });
    const size_t lanes = 4 * static_cast<size_t>(width);
    // The last block is moved back to end at the last interior pixel (pixels
    // written twice get the same bytes).
    const size_t lastBlock = lanes - 36;
    for (int y = first; y < last; ++y) {
        const BYTE* pAbove = pBytes + static_cast<size_t>(y - 1) * lanes;
        BYTE* pDstRow = reinterpret_cast<BYTE*>(pDst + static_cast<size_t>(y) * width);
        for (size_t k = 4; k < lastBlock; k += 32)
            blocks.Filter(pAbove, lanes, k, pDstRow);
        blocks.Filter(pAbove, lanes, lastBlock, pDstRow);
    }
}

} // namespace FilterRowsAvx512
