// FilterRowsAvx2: the row loops of FilterRows.h built with AVX2 code
// generation, and the blurrer's and sharpener's blocks and the shrinking
// resizer's pair boxes in explicit 256-bit lanes; called only when
// CImagingCpu reports AVX2.
#include "FilterRows.h"

#include <immintrin.h>

namespace {

// How far ahead in a row the streaming loops ask for memory: 32 cache lines,
// about a microsecond of work, enough to cover a trip to memory.
const size_t kPrefetchBytes = 2048;

// The 3 x 3 neighbourhoods of 16 byte lanes (four pixels) of a row: the
// bytes of the rows above, at and below, each at lanes k - 4, k and k + 4.
struct Neighbourhoods16
{
    __m128i aboveLeft, above, aboveRight;
    __m128i left, centre, right;
    __m128i belowLeft, below, belowRight;

    Neighbourhoods16(const BYTE* pAbove, size_t lanes, size_t k)
        : aboveLeft(Load(pAbove + k - 4)), above(Load(pAbove + k)), aboveRight(Load(pAbove + k + 4)),
          left(Load(pAbove + lanes + k - 4)), centre(Load(pAbove + lanes + k)), right(Load(pAbove + lanes + k + 4)),
          belowLeft(Load(pAbove + 2 * lanes + k - 4)), below(Load(pAbove + 2 * lanes + k)),
          belowRight(Load(pAbove + 2 * lanes + k + 4))
    {
    }

    static __m128i Load(const BYTE* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
};

__m256i Widen(__m128i bytes)
{
    return _mm256_cvtepu8_epi16(bytes);
}

// 16 words of 0 ... 255 to 16 bytes in order.
__m128i Narrow(__m256i words)
{
    return _mm_packus_epi16(_mm256_castsi256_si128(words), _mm256_extracti128_si256(words, 1));
}

// Writes the colour bytes of 16 byte lanes; the fourth bytes stay.
void WriteColourBytes(BYTE* pOut, __m128i bytes, __m128i colourBytes)
{
    const __m128i kept = _mm_andnot_si128(colourBytes, Neighbourhoods16::Load(pOut));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(pOut), _mm_or_si128(kept, _mm_and_si128(colourBytes, bytes)));
}

// Interior rows first ... last - 1 of a picture at least 6 pixels wide, 16
// byte lanes at a time: blocks.Filter(pAbove, lanes, k, pDstRow) for blocks
// from lane 4 on; the last block is moved back to end at the last interior
// pixel (pixels written twice get the same bytes).
template <class Blocks>
void FilterInteriorRows(const Blocks& blocks, const BYTE* pBytes, RGBX* pDst, int width, int first, int last)
{
    const size_t lanes = 4 * static_cast<size_t>(width);
    const size_t lastBlock = lanes - 20;
    for (int y = first; y < last; ++y) {
        const BYTE* pAbove = pBytes + static_cast<size_t>(y - 1) * lanes;
        BYTE* pDstRow = reinterpret_cast<BYTE*>(pDst + static_cast<size_t>(y) * width);
        for (size_t k = 4; k < lastBlock; k += 16)
            blocks.Filter(pAbove, lanes, k, pDstRow);
        blocks.Filter(pAbove, lanes, lastBlock, pDstRow);
    }
}

// The blurrer's interior in explicit 256-bit lanes: the nine values plus
// centreExtra times the middle one, divided as DivideBoxSums does.
class BlurBlocks
{
public:
    BlurBlocks(const ExactDivision& division, std::uint16_t centreExtra)
        : m_centreExtra(_mm256_set1_epi16(static_cast<short>(centreExtra))),
          m_multiplier(_mm256_set1_epi16(static_cast<short>(division.multiplier))),
          m_shift(_mm_cvtsi32_si128(division.shift)),
          m_colourBytes(_mm_set1_epi32(static_cast<int>(PixelWords::ColourMask())))
    {
    }

    void Filter(const BYTE* pAbove, size_t lanes, size_t k, BYTE* pDstRow) const
    {
        const Neighbourhoods16 n(pAbove, lanes, k);
        const __m256i centre = Widen(n.centre);
        const __m256i columns =
            _mm256_add_epi16(_mm256_add_epi16(_mm256_add_epi16(Widen(n.aboveLeft), Widen(n.left)), Widen(n.belowLeft)),
                             _mm256_add_epi16(_mm256_add_epi16(Widen(n.above), centre), Widen(n.below)));
        const __m256i sum = _mm256_add_epi16(
            _mm256_add_epi16(
                columns, _mm256_add_epi16(_mm256_add_epi16(Widen(n.aboveRight), Widen(n.right)), Widen(n.belowRight))),
            _mm256_mullo_epi16(centre, m_centreExtra));
        const __m256i quotient = _mm256_srl_epi16(_mm256_mulhi_epu16(sum, m_multiplier), m_shift);
        WriteColourBytes(pDstRow + k, Narrow(quotient), m_colourBytes);
    }

private:
    __m256i m_centreExtra, m_multiplier;
    __m128i m_shift;
    __m128i m_colourBytes;
};

// The sharpener in explicit 256-bit lanes, four interior pixels (16 byte
// lanes) per block, read straight from the three source rows: the integer
// results of SharpenLanes, and where a colour lane's exact value is whole
// (rare outside flat areas) the flat lanes from a bit set of the per-value
// results and the others from the double sum, as SettleWholeLanes does.
class SharpenBlocks
{
public:
    SharpenBlocks(const ExactDivision& division, std::uint16_t e, const BYTE (&flatResults)[256],
                  const KernelWeights& weights)
        : m_e(_mm256_set1_epi16(static_cast<short>(e))),
          m_roundUp(_mm256_set1_epi16(static_cast<short>(division.divisor - 1))),
          m_multiplier(_mm256_set1_epi16(static_cast<short>(division.multiplier))),
          m_denominator(_mm256_set1_epi16(static_cast<short>(division.divisor))),
          m_shift(_mm_cvtsi32_si128(division.shift)),
          m_colourBytes(_mm_set1_epi32(static_cast<int>(PixelWords::ColourMask()))),
          m_colourLanes(_mm_movemask_epi8(m_colourBytes)), m_weights(weights)
    {
        alignas(16) BYTE drops[32];
        MakeFlatDrops(flatResults, drops);
        m_dropsLow = _mm_load_si128(reinterpret_cast<const __m128i*>(drops));
        m_dropsHigh = _mm_load_si128(reinterpret_cast<const __m128i*>(drops + 16));
    }

    // Lanes k ... k + 15 of the row below pAbove (rows of lanes bytes) into
    // pDstRow, whose fourth bytes stay.
    void Filter(const BYTE* pAbove, size_t lanes, size_t k, BYTE* pDstRow) const
    {
        const Neighbourhoods16 n(pAbove, lanes, k);
        const __m128i &aboveLeft = n.aboveLeft, &above = n.above, &aboveRight = n.aboveRight;
        const __m128i &left = n.left, &centre = n.centre, &right = n.right;
        const __m128i &belowLeft = n.belowLeft, &below = n.below, &belowRight = n.belowRight;

        const __m256i verticalLeft = _mm256_add_epi16(Widen(aboveLeft), Widen(belowLeft));
        const __m256i verticalRight = _mm256_add_epi16(Widen(aboveRight), Widen(belowRight));
        const __m256i direct =
            _mm256_add_epi16(_mm256_add_epi16(Widen(above), Widen(below)), _mm256_add_epi16(Widen(left), Widen(right)));
        const __m256i b =
            _mm256_add_epi16(_mm256_mullo_epi16(direct, m_e), _mm256_add_epi16(verticalLeft, verticalRight));
        const __m256i quotient =
            _mm256_srl_epi16(_mm256_mulhi_epu16(_mm256_add_epi16(b, m_roundUp), m_multiplier), m_shift);
        const __m256i twice = _mm256_add_epi16(Widen(centre), Widen(centre));
        const __m256i result = _mm256_min_epu16(_mm256_subs_epu16(twice, quotient), _mm256_set1_epi16(255));
        const __m256i whole = _mm256_cmpeq_epi16(_mm256_mullo_epi16(quotient, m_denominator), b);

        __m128i bytes = Narrow(result);
        const __m128i wholeBytes = NarrowMask(whole);
        const int open = _mm_movemask_epi8(wholeBytes) & m_colourLanes;
        if (open != 0) {
            const __m128i differences = _mm_or_si128(
                _mm_or_si128(_mm_or_si128(_mm_xor_si128(aboveLeft, left), _mm_xor_si128(left, belowLeft)),
                             _mm_or_si128(_mm_xor_si128(above, centre), _mm_xor_si128(centre, below))),
                _mm_or_si128(_mm_or_si128(_mm_xor_si128(aboveRight, right), _mm_xor_si128(right, belowRight)),
                             _mm_or_si128(_mm_xor_si128(left, centre), _mm_xor_si128(centre, right))));
            const __m128i flat = _mm_cmpeq_epi8(differences, _mm_setzero_si128());
            bytes = _mm_blendv_epi8(bytes, FlatResults(centre), _mm_and_si128(flat, wholeBytes));
            const int sums = open & ~_mm_movemask_epi8(flat);
            if (sums != 0)
                bytes = SettleSums(pAbove + k, lanes, sums, bytes);
        }
        WriteColourBytes(pDstRow + k, bytes, m_colourBytes);
    }

private:
    // 16 word masks (0 or 0xFFFF) to 16 byte masks in order.
    static __m128i NarrowMask(__m256i masks)
    {
        return _mm_packs_epi16(_mm256_castsi256_si128(masks), _mm256_extracti128_si256(masks, 1));
    }

    // The flat result of each byte v: v, or v - 1 where its bit is set.
    __m128i FlatResults(__m128i values) const
    {
        const __m128i index = _mm_and_si128(_mm_srli_epi16(values, 3), _mm_set1_epi8(0x1F));
        const __m128i set = _mm_blendv_epi8(_mm_shuffle_epi8(m_dropsLow, index), _mm_shuffle_epi8(m_dropsHigh, index),
                                            _mm_cmpgt_epi8(index, _mm_set1_epi8(15)));
        const __m128i bits = _mm_setr_epi8(1, 2, 4, 8, 16, 32, 64, -128, 1, 2, 4, 8, 16, 32, 64, -128);
        const __m128i bit = _mm_shuffle_epi8(bits, _mm_and_si128(values, _mm_set1_epi8(7)));
        return _mm_add_epi8(values, _mm_cmpeq_epi8(_mm_and_si128(set, bit), bit));
    }

    // The lanes of sums (one bit per lane of the block at pAboveBlock) from
    // the double sum in kernel order.
    __m128i SettleSums(const BYTE* pAboveBlock, size_t lanes, int sums, __m128i bytes) const
    {
        alignas(16) BYTE out[16];
        _mm_store_si128(reinterpret_cast<__m128i*>(out), bytes);
        m_weights.SumLanes(pAboveBlock, lanes, static_cast<unsigned>(sums), out);
        return _mm_load_si128(reinterpret_cast<const __m128i*>(out));
    }

    __m256i m_e, m_roundUp, m_multiplier, m_denominator;
    __m128i m_shift;
    __m128i m_colourBytes;
    int m_colourLanes;
    __m128i m_dropsLow, m_dropsHigh;
    KernelWeights m_weights;
};

// The pair boxes of AveragePairBoxes with Rows rows each (0: rows first ...
// last, counted at run time); a fixed count unrolls the row loop.
template <int Rows>
void AveragePairBoxRows(const BYTE* pBytes, size_t lanes, int first, int last, int firstColumn, int count,
                        std::uint16_t multiplier, int shift, RGBX* pDst)
{
    // Within each 128-bit half the bytes of pixels 2i and 2i + 1 side by
    // side per channel, so that one multiply-add by ones gives the pair sums.
    const __m256i pairBytes = _mm256_setr_epi8(0, 4, 1, 5, 2, 6, 3, 7, 8, 12, 9, 13, 10, 14, 11, 15, 0, 4, 1, 5, 2, 6,
                                               3, 7, 8, 12, 9, 13, 10, 14, 11, 15);
    const __m256i ones = _mm256_set1_epi8(1);
    const __m256i divisor = _mm256_set1_epi16(static_cast<short>(multiplier));
    const __m128i divisorShift = _mm_cvtsi32_si128(shift);
    const __m256i colourBytes = _mm256_set1_epi32(static_cast<int>(PixelWords::ColourMask()));
    const BYTE* pFirstRow = pBytes + static_cast<size_t>(first) * lanes + 4 * static_cast<size_t>(firstColumn);
    const size_t rows = Rows > 0 ? static_cast<size_t>(Rows) : static_cast<size_t>(last - first + 1);
    // Eight destination pixels (sixteen source columns) per block; the last
    // block is moved back to end with the run (pixels written twice get the
    // same bytes).
    for (int i = 0;; i += 8) {
        i = i + 8 > count ? count - 8 : i;
        const BYTE* pColumn = pFirstRow + 8 * static_cast<size_t>(i);
        // Pixels i ... i + 3 in sumsLow (two per 128-bit half), i + 4 ... i + 7 in sumsHigh.
        __m256i sumsLow = _mm256_setzero_si256();
        __m256i sumsHigh = _mm256_setzero_si256();
        // The box's rows are read in turn, which the hardware prefetcher
        // does not follow well on a picture beyond the caches: ask for each
        // row kPrefetchBytes further on (at 3840 x 2160 one thread, 2.9 ms
        // became 1.6-1.9 ms). A prefetch never faults past the picture's end.
        for (size_t row = 0; row < rows; ++row)
            _mm_prefetch(reinterpret_cast<const char*>(pColumn + row * lanes + kPrefetchBytes), _MM_HINT_T0);
        for (size_t row = 0; row < rows; ++row) {
            const BYTE* pRow = pColumn + row * lanes;
            const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pRow));
            const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pRow + 32));
            sumsLow = _mm256_add_epi16(sumsLow, _mm256_maddubs_epi16(_mm256_shuffle_epi8(low, pairBytes), ones));
            sumsHigh = _mm256_add_epi16(sumsHigh, _mm256_maddubs_epi16(_mm256_shuffle_epi8(high, pairBytes), ones));
        }
        const __m256i quotientsLow = _mm256_srl_epi16(_mm256_mulhi_epu16(sumsLow, divisor), divisorShift);
        const __m256i quotientsHigh = _mm256_srl_epi16(_mm256_mulhi_epu16(sumsHigh, divisor), divisorShift);
        // Packing works per half (i, i + 1, i + 4, i + 5 | i + 2, i + 3, i + 6, i + 7): the
        // 64-bit quarters go back in order.
        const __m256i words = _mm256_permute4x64_epi64(_mm256_packus_epi16(quotientsLow, quotientsHigh), 0xD8);
        __m256i* pOut = reinterpret_cast<__m256i*>(pDst + i);
        const __m256i kept = _mm256_andnot_si256(colourBytes, _mm256_loadu_si256(pOut));
        _mm256_storeu_si256(pOut, _mm256_or_si256(kept, _mm256_and_si256(colourBytes, words)));
        if (i + 8 == count)
            break;
    }
}

} // namespace

namespace FilterRowsAvx2 {

// Eight pixels at a time: the inverted colour bytes of the source beside
// the destination's own fourth bytes, each row read once (the compiler's own
// vector form of the plain loop reads the destination twice).
void NegatePixels(const RGBX* pSrc, RGBX* pDst, size_t begin, size_t end)
{
    const __m256i colourBytes = _mm256_set1_epi32(static_cast<int>(PixelWords::ColourMask()));
    size_t i = begin;
    for (; i + 8 <= end; i += 8) {
        const __m256i source = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pSrc + i));
        const __m256i dest = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pDst + i));
        _mm256_storeu_si256(
            reinterpret_cast<__m256i*>(pDst + i),
            _mm256_or_si256(_mm256_andnot_si256(source, colourBytes), _mm256_andnot_si256(colourBytes, dest)));
    }
    ::NegatePixels(pSrc, pDst, i, end);
}

void BlurInteriorRows(const BYTE* pBytes, RGBX* pDst, int width, int first, int last, ExactDivision division,
                      std::uint16_t centreExtra)
{
    FilterInteriorRows(BlurBlocks(division, centreExtra), pBytes, pDst, width, first, last);
}

void SharpenInteriorRows(const BYTE* pBytes, RGBX* pDst, int width, int first, int last, ExactDivision division,
                         std::uint16_t e, const BYTE (&flatResults)[256], double direct, double diagonal)
{
    FilterInteriorRows(SharpenBlocks(division, e, flatResults, KernelWeights{ direct, diagonal }), pBytes, pDst, width,
                       first, last);
}

void SumBoxRowLanes(const BYTE* pBytes, size_t lanes, int first, int last, size_t begin, size_t end,
                    std::uint16_t* pSums)
{
    ::SumBoxRowLanes(pBytes, lanes, first, last, begin, end, pSums);
}

void AveragePairBoxes(const BYTE* pBytes, size_t lanes, int first, int last, int firstColumn, int count,
                      std::uint16_t multiplier, int shift, RGBX* pDst)
{
    // Boxes one or two rows tall (halving gives two; any factor from one half
    // up gives one or two) take an unrolled row loop: a third faster.
    if (last == first)
        AveragePairBoxRows<1>(pBytes, lanes, first, last, firstColumn, count, multiplier, shift, pDst);
    else if (last == first + 1)
        AveragePairBoxRows<2>(pBytes, lanes, first, last, firstColumn, count, multiplier, shift, pDst);
    else
        AveragePairBoxRows<0>(pBytes, lanes, first, last, firstColumn, count, multiplier, shift, pDst);
}

} // namespace FilterRowsAvx2
