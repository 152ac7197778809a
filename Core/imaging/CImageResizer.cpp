// CImageResizer: enlarging by weighted sampling, shrinking by box averages.
#include "CImageResizer.h"

#include "CWorkerPool.h"
#include "ExactDivision.h"
#include "FilterRows.h"
#include "PixelWords.h"
#include "WeightedBlend.h"

#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

namespace {

// Sampling terms of the destination columns (or rows) of the enlarging path,
// as WeightedBlend::ColumnTerms: cu (or cv), min(cu + 1, W - 1) (or the row
// equivalent), du (or dv) and 1 - du (or 1 - dv).
struct SampleTerms
{
    std::unique_ptr<int[]> first;
    std::unique_ptr<int[]> next;
    std::unique_ptr<double[]> frac;
    std::unique_ptr<double[]> rest;

    // Terms for count destination positions over a source side of length:
    // position 0 at 0, each next one step further by repeated addition.
    // False when memory runs out.
    bool Make(int count, int length, double step)
    {
        const size_t size = static_cast<size_t>(count) + 1;
        first.reset(new (std::nothrow) int[size]);
        next.reset(new (std::nothrow) int[size]);
        frac.reset(new (std::nothrow) double[size]);
        rest.reset(new (std::nothrow) double[size]);
        if (!first || !next || !frac || !rest)
            return false;
        double position = 0;
        for (int k = 0; k < count; ++k) {
            if (k > 0)
                position += step;
            const int cu = position < length - 1 ? static_cast<int>(position) : length - 1;
            first[k] = cu;
            next[k] = cu + 1 < length ? cu + 1 : length - 1;
            frac[k] = position - cu;
            rest[k] = 1 - frac[k];
        }
        return true;
    }

    WeightedBlend::ColumnTerms Columns() const { return { first.get(), next.get(), frac.get(), rest.get() }; }
};

// One box of the shrinking path: source positions first ... last.
struct Box
{
    int first;
    int last;
};

// Boxes for count destination positions over a source side of length.
std::unique_ptr<Box[]> MakeBoxes(int count, int length, double step)
{
    std::unique_ptr<Box[]> boxes(new (std::nothrow) Box[static_cast<size_t>(count) + 1]);
    if (!boxes)
        return boxes;
    double boundary = -0.5 * step;
    int previousLast = -1;
    for (int k = 0; k < count; ++k) {
        boundary += step;
        // min(trunc(boundary) + 1, length - 1) without truncating huge values.
        const int last = boundary >= length - 1 ? length - 1 : static_cast<int>(boundary) + 1;
        boxes[k].first = previousLast + 1;
        boxes[k].last = last;
        previousLast = last;
    }
    return boxes;
}

// Destination rows first ... last - 1 of the enlarging path; neighbouring
// rows that sample the same source rows go together.
template <class Blender>
void EnlargeRows(Blender blender, const RGBX* pSrc, int width, RGBX* pDst, int destWidth, const SampleTerms& columns,
                 const SampleTerms& rows, int first, int last)
{
    const WeightedBlend::ColumnTerms columnTerms = columns.Columns();
    for (int y = first, rowCount = 1; y < last; y += rowCount) {
        rowCount = 1;
        while (y + rowCount < last && rows.first[y + rowCount] == rows.first[y])
            ++rowCount;
        WeightedBlend::ColumnsRun(blender, pSrc + static_cast<size_t>(rows.first[y]) * width,
                                  pSrc + static_cast<size_t>(rows.next[y]) * width, width, columnTerms,
                                  rows.rest.get() + y, rows.frac.get() + y, rowCount, destWidth,
                                  pDst + static_cast<size_t>(y) * destWidth);
    }
}

// Destination rows first ... last - 1 of the shrinking path, with pSums of
// 4 * width + 1 lane sums and pReciprocals of widestBox + 1 entries.
void ShrinkRows(const RGBX* pSrc, int width, RGBX* pDst, int destWidth, const Box* pColumns, const Box* pRows,
                int widestBox, int first, int last, std::uint32_t* pSums, std::uint64_t* reciprocals)
{
    const size_t lanes = 4 * static_cast<size_t>(width);
    const BYTE* pBytes = reinterpret_cast<const BYTE*>(pSrc);
    for (int y = first; y < last; ++y) {
        const Box& rowBox = pRows[y];
        if (rowBox.first > rowBox.last)
            continue;
        const BYTE* pFirst = pBytes + static_cast<size_t>(rowBox.first) * lanes;
        for (size_t k = 0; k < lanes; ++k)
            pSums[k] = pFirst[k];
        for (int row = rowBox.first + 1; row <= rowBox.last; ++row) {
            const BYTE* pLine = pBytes + static_cast<size_t>(row) * lanes;
            for (size_t k = 0; k < lanes; ++k)
                pSums[k] += pLine[k];
        }
        const std::uint64_t rowCount = static_cast<std::uint64_t>(rowBox.last - rowBox.first + 1);
        for (int boxWidth = 1; boxWidth <= widestBox; ++boxWidth) {
            const std::uint64_t count = rowCount * static_cast<std::uint64_t>(boxWidth);
            reciprocals[boxWidth] = count <= 65536 ? ((std::uint64_t(1) << 40) + count - 1) / count : 0;
        }
        RGBX* pDstRow = pDst + static_cast<size_t>(y) * destWidth;
        for (int x = 0; x < destWidth; ++x) {
            const Box& columnBox = pColumns[x];
            if (columnBox.first > columnBox.last)
                continue;
            std::uint64_t sumB = 0, sumG = 0, sumR = 0;
            for (int c = columnBox.first; c <= columnBox.last; ++c) {
                sumB += pSums[4 * static_cast<size_t>(c)];
                sumG += pSums[4 * static_cast<size_t>(c) + 1];
                sumR += pSums[4 * static_cast<size_t>(c) + 2];
            }
            const int boxWidth = columnBox.last - columnBox.first + 1;
            const std::uint64_t reciprocal = reciprocals[boxWidth];
            if (reciprocal != 0) {
                pDstRow[x].b = static_cast<BYTE>((sumB * reciprocal) >> 40);
                pDstRow[x].g = static_cast<BYTE>((sumG * reciprocal) >> 40);
                pDstRow[x].r = static_cast<BYTE>((sumR * reciprocal) >> 40);
            } else {
                const std::uint64_t count = rowCount * static_cast<std::uint64_t>(boxWidth);
                pDstRow[x].b = static_cast<BYTE>(sumB / count);
                pDstRow[x].g = static_cast<BYTE>(sumG / count);
                pDstRow[x].r = static_cast<BYTE>(sumR / count);
            }
        }
    }
}

#ifdef TES_IMAGING_SSE2
// The SSE2 shrinking path keeps its lane sums in 16 bits, so it is used when
// every box holds at most kMaxLaneCount pixels (255 * 257 = 65535).
const int kMaxLaneCount = 257;

// How that path divides the four lane sums of a box by its pixel count d:
// the high half of the product with ExactDivision's multiplier, then its
// shift, where that is exact for every sum up to 255 * d (every count but 1
// and a few from 186 on); a count of 1 keeps the sums; the others divide
// lane by lane.
struct LaneDivision
{
    enum Way
    {
        MULTIPLY,
        KEEP,
        DIVIDE
    };
    Way way;
    ExactDivision exact;
    __m128i multiplier;
    __m128i shift;

    static LaneDivision For(int count)
    {
        const ExactDivision division = ExactDivision::For(static_cast<std::uint32_t>(count));
        LaneDivision lane;
        lane.way = count == 1                                                      ? KEEP
                   : division.IsExact(255 * static_cast<std::uint32_t>(count) + 1) ? MULTIPLY
                                                                                   : DIVIDE;
        lane.exact = division;
        lane.multiplier = _mm_set1_epi16(static_cast<short>(division.multiplier));
        lane.shift = _mm_cvtsi32_si128(division.shift);
        return lane;
    }

    // The 16-bit lane sums (one or two pixels) divided by the count.
    __m128i Apply(__m128i sums) const
    {
        if (way == MULTIPLY)
            return _mm_srl_epi16(_mm_mulhi_epu16(sums, multiplier), shift);
        if (way == KEEP)
            return sums;
        alignas(16) std::uint16_t lanes[8];
        _mm_store_si128(reinterpret_cast<__m128i*>(lanes), sums);
        for (int k = 0; k < 8; ++k)
            lanes[k] = static_cast<std::uint16_t>(lanes[k] / exact.divisor);
        return _mm_load_si128(reinterpret_cast<const __m128i*>(lanes));
    }
};

// The four lane sums of a column box, in the low half.
inline __m128i BoxLaneSums(const std::uint16_t* pSums, const Box& box)
{
    __m128i sums = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(pSums + 4 * static_cast<size_t>(box.first)));
    for (int c = box.first + 1; c <= box.last; ++c)
        sums =
            _mm_add_epi16(sums, _mm_loadl_epi64(reinterpret_cast<const __m128i*>(pSums + 4 * static_cast<size_t>(c))));
    return sums;
}

// One destination pixel of a column box (none for an empty box).
inline void ShrinkPixelSse2(const std::uint16_t* pSums, const Box& box, const LaneDivision* pDivisions, RGBX* pPixel)
{
    if (box.first > box.last)
        return;
    const __m128i quotients = pDivisions[box.last - box.first + 1].Apply(BoxLaneSums(pSums, box));
    PixelWords::WriteColourKeepFourth(
        pPixel, static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(quotients, quotients))),
        PixelWords::ColourMask());
}

// Two neighbouring destination pixels: divided together when their boxes
// have the same width.
inline void ShrinkPixelPairSse2(const std::uint16_t* pSums, const Box& left, const Box& right,
                                const LaneDivision* pDivisions, RGBX* pPixels)
{
    const int width = left.last - left.first + 1;
    if (width < 1 || width != right.last - right.first + 1) {
        ShrinkPixelSse2(pSums, left, pDivisions, pPixels);
        ShrinkPixelSse2(pSums, right, pDivisions, pPixels + 1);
        return;
    }
    const __m128i quotients =
        pDivisions[width].Apply(_mm_unpacklo_epi64(BoxLaneSums(pSums, left), BoxLaneSums(pSums, right)));
    const std::uint64_t colourMask =
        PixelWords::ColourMask() | static_cast<std::uint64_t>(PixelWords::ColourMask()) << 32;
    std::uint64_t pair, old;
    _mm_storel_epi64(reinterpret_cast<__m128i*>(&pair), _mm_packus_epi16(quotients, quotients));
    std::memcpy(&old, pPixels, sizeof(old));
    pair = (pair & colourMask) | (old & ~colourMask);
    std::memcpy(static_cast<void*>(pPixels), &pair, sizeof(pair));
}

// Runs of at least this many boxes two columns wide (the boxes of a factor
// of one half) go through the pair loops of FilterRows.h.
const int kShortestPairRun = 8;

// Destination columns begin ... end - 1: a run of at least kShortestPairRun
// boxes two columns wide, or columns between such runs.
struct Stretch
{
    int begin;
    int end;
    bool pairRun;
};

// The stretches of the destination columns, in order, into pStretches
// (room for count + 1); gives how many there are.
int MakeStretches(const Box* pColumns, int count, Stretch* pStretches)
{
    // runEnd: where the run of two-column boxes from x on ends (x itself
    // when box x is not two wide), filled from the right.
    std::unique_ptr<int[]> runEnd(new (std::nothrow) int[static_cast<size_t>(count) + 1]);
    if (!runEnd)
        return -1;
    runEnd[count] = count;
    for (int x = count - 1; x >= 0; --x)
        runEnd[x] = pColumns[x].last - pColumns[x].first != 1 ? x : (runEnd[x + 1] > x + 1 ? runEnd[x + 1] : x + 1);
    int stretches = 0;
    for (int x = 0; x < count;) {
        Stretch& stretch = pStretches[stretches++];
        stretch.begin = x;
        stretch.pairRun = runEnd[x] - x >= kShortestPairRun;
        if (stretch.pairRun)
            x = runEnd[x];
        else
            do
                x = runEnd[x] > x ? runEnd[x] : x + 1;
            while (x < count && runEnd[x] - x < kShortestPairRun);
        stretch.end = x;
    }
    return stretches;
}

// Destination rows first ... last - 1 of the shrinking path in vector
// lanes, with pSums of 4 * width lane sums and pDivisions of widestBox + 1
// entries, over the column stretches of MakeStretches. The same sums and
// quotients as ShrinkRows. At the AVX2 level the pair runs are summed
// straight from the rows, and the lane sums are made only for the columns
// between them.
void ShrinkRowsInLanes(const RGBX* pSrc, int width, RGBX* pDst, int destWidth, const Box* pColumns, const Box* pRows,
                       const Stretch* pStretches, int stretches, int widestBox, int first, int last,
                       std::uint16_t* pSums, LaneDivision* pDivisions)
{
    const size_t lanes = 4 * static_cast<size_t>(width);
    const bool avx2 = CImagingCpu::GetLevel() >= CImagingCpu::LEVEL_AVX2;
    const BYTE* pBytes = reinterpret_cast<const BYTE*>(pSrc);
    const auto sumLanes = [&](const Box& rowBox, size_t begin, size_t end) {
        if (avx2)
            FilterRowsAvx2::SumBoxRowLanes(pBytes, lanes, rowBox.first, rowBox.last, begin, end, pSums);
        else
            SumBoxRowLanes(pBytes, lanes, rowBox.first, rowBox.last, begin, end, pSums);
    };
    int divisionRows = 0;
    for (int y = first; y < last; ++y) {
        const Box& rowBox = pRows[y];
        if (rowBox.first > rowBox.last)
            continue;
        // Box heights change only at the picture's edges: the divisions are
        // made again only then.
        const int rowCount = rowBox.last - rowBox.first + 1;
        if (rowCount != divisionRows) {
            for (int boxWidth = 1; boxWidth <= widestBox; ++boxWidth)
                pDivisions[boxWidth] = LaneDivision::For(rowCount * boxWidth);
            divisionRows = rowCount;
        }
        const bool pairRuns = widestBox >= 2 && pDivisions[2].way == LaneDivision::MULTIPLY;
        const bool runsFromRows = pairRuns && avx2;
        if (!runsFromRows)
            sumLanes(rowBox, 0, lanes);
        RGBX* pDstRow = pDst + static_cast<size_t>(y) * destWidth;
        for (const Stretch* pStretch = pStretches; pStretch != pStretches + stretches; ++pStretch) {
            int x = pStretch->begin;
            const int end = pStretch->end;
            if (pairRuns && pStretch->pairRun) {
                const ExactDivision& pairDivision = pDivisions[2].exact;
                if (runsFromRows)
                    FilterRowsAvx2::AveragePairBoxes(pBytes, lanes, rowBox.first, rowBox.last, pColumns[x].first,
                                                     end - x, pairDivision.multiplier, pairDivision.shift, pDstRow + x);
                else
                    AveragePairLanes(pSums + 4 * static_cast<size_t>(pColumns[x].first), end - x,
                                     pairDivision.multiplier, pairDivision.shift, pDstRow + x);
                continue;
            }
            const int firstColumn = pColumns[x].first;
            const int lastColumn = pColumns[end - 1].last;
            if (runsFromRows && firstColumn <= lastColumn)
                sumLanes(rowBox, 4 * static_cast<size_t>(firstColumn), 4 * (static_cast<size_t>(lastColumn) + 1));
            for (; x + 1 < end; x += 2)
                ShrinkPixelPairSse2(pSums, pColumns[x], pColumns[x + 1], pDivisions, pDstRow + x);
            if (x < end)
                ShrinkPixelSse2(pSums, pColumns[x], pDivisions, pDstRow + x);
        }
    }
}
#endif

} // namespace

CImageResizer::CImageResizer(double dFactor) : CImage32BitProcessor(dFactor > 1 ? 1 : 0), m_dFactor(dFactor)
{
}

CSize CImageResizer::CalcDestSize(CSize sizeSrc) const
{
    return CSize(SaturateSide(sizeSrc.cx * m_dFactor), SaturateSide(sizeSrc.cy * m_dFactor));
}

BOOL CImageResizer::ProcessPixels(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const
{
    if (!(m_dFactor > 0) || !std::isfinite(m_dFactor))
        return FALSE;
    if (m_dFactor == 1)
        return CImage32BitProcessor::ProcessPixels(pSrc, sizeSrc, pDst, sizeDst);
    if (m_dFactor > 1)
        return Enlarge(pSrc, sizeSrc, pDst, sizeDst);
    return Shrink(pSrc, sizeSrc, pDst, sizeDst);
}

BOOL CImageResizer::Enlarge(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const
{
    if (!(m_dFactor > 1) || !std::isfinite(m_dFactor) || !AreBuffersValid(pSrc, sizeSrc, pDst, sizeDst))
        return FALSE;
    const int width = sizeSrc.cx;
    const int height = sizeSrc.cy;
    const int destWidth = sizeDst.cx;
    const int destHeight = sizeDst.cy;
    if (width == 0 || height == 0)
        return TRUE;

    // sx depends on the column alone and sy on the row alone, so the repeated
    // additions are carried out once per column and once per row.
    const double step = 1 / m_dFactor;
    SampleTerms columns, rows;
    if (!columns.Make(destWidth, width, step) || !rows.Make(destHeight, height, step))
        return FALSE;

    // Each channel: the blend of CalcWeightedColor (CImage32BitProcessor.h).
    WeightedBlend::WithBlender([&](auto blender) {
        CWorkerPool::Shared().ForRows(destHeight, [&](int first, int last) {
            EnlargeRows(blender, pSrc, width, pDst, destWidth, columns, rows, first, last);
        });
    });
    return TRUE;
}

BOOL CImageResizer::ReadsRowBands(CSize sizeSrc, CSize sizeDst) const
{
    return m_dFactor > 0 && m_dFactor < 1 && IsValidSize(sizeSrc) && IsValidSize(sizeDst);
}

void CImageResizer::SourceRowsOf(CSize sizeSrc, CSize sizeDst, int first, int last, int& srcFirst, int& srcLast) const
{
    srcFirst = srcLast = 0;
    const std::unique_ptr<Box[]> rows = MakeBoxes(sizeDst.cy, sizeSrc.cy, 1 / m_dFactor);
    if (!rows)
        return;
    bool bAny = false;
    for (int y = first < 0 ? 0 : first; y < last && y < sizeDst.cy; ++y) {
        if (rows[y].first > rows[y].last)
            continue;
        srcFirst = bAny && srcFirst < rows[y].first ? srcFirst : rows[y].first;
        srcLast = bAny && srcLast > rows[y].last + 1 ? srcLast : rows[y].last + 1;
        bAny = true;
    }
}

BOOL CImageResizer::ProcessFromRowBand(const RGBX* pBand, int bandFirst, CSize sizeSrc, RGBX* pDst, CSize sizeDst,
                                       int first, int last) const
{
    if (!ReadsRowBands(sizeSrc, sizeDst) || pBand == nullptr || pDst == nullptr || first < 0 || last > sizeDst.cy
        || first > last)
        return FALSE;
    return ShrinkRange(pBand, bandFirst, sizeSrc, pDst, sizeDst, first, last);
}

BOOL CImageResizer::Shrink(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const
{
    if (!(m_dFactor > 0 && m_dFactor < 1) || !AreBuffersValid(pSrc, sizeSrc, pDst, sizeDst))
        return FALSE;
    return ShrinkRange(pSrc, 0, sizeSrc, pDst, sizeDst, 0, sizeDst.cy);
}

BOOL CImageResizer::ShrinkRange(const RGBX* pSrc, int srcFirstRow, CSize sizeSrc, RGBX* pDst, CSize sizeDst, int first,
                                int last) const
{
    const int width = sizeSrc.cx;
    const int height = sizeSrc.cy;
    const int destWidth = sizeDst.cx;
    const int destHeight = sizeDst.cy;

    // The boxes depend on the column alone and on the row alone (the row
    // boundaries start afresh for every column, so they are the same for all).
    const double step = 1 / m_dFactor;
    std::unique_ptr<Box[]> columns = MakeBoxes(destWidth, width, step);
    std::unique_ptr<Box[]> rows = MakeBoxes(destHeight, height, step);
    if (!columns || !rows)
        return FALSE;
    // The rows of the range are read from the given part of the source.
    for (int y = first; y < last; ++y) {
        rows[y].first -= srcFirstRow;
        rows[y].last -= srcFirstRow;
    }

    // Exact division by a box's pixel count d: floor(n * m / 2^40) with
    // m = ceil(2^40 / d) equals floor(n / d) when n * d < 2^40, which holds
    // for n <= 255 * d and d <= 65536; larger boxes divide plainly.
    int widestBox = 1;
    for (int x = 0; x < destWidth; ++x)
        widestBox =
            columns[x].last - columns[x].first + 1 > widestBox ? columns[x].last - columns[x].first + 1 : widestBox;
    std::atomic<bool> failed(false);
    const Box* pColumns = columns.get();
    const Box* pRows = rows.get();
#ifdef TES_IMAGING_SSE2
    int tallestBox = 1;
    for (int y = first; y < last; ++y)
        tallestBox = rows[y].last - rows[y].first + 1 > tallestBox ? rows[y].last - rows[y].first + 1 : tallestBox;
    std::unique_ptr<Stretch[]> stretchList(new (std::nothrow) Stretch[static_cast<size_t>(destWidth) + 1]);
    const int stretches = stretchList ? MakeStretches(pColumns, destWidth, stretchList.get()) : -1;
    if (stretches >= 0 && CImagingCpu::GetLevel() >= CImagingCpu::LEVEL_SSE2
        && static_cast<long long>(tallestBox) * widestBox <= kMaxLaneCount) {
        const Stretch* pStretches = stretchList.get();
        CWorkerPool::Shared().ForRows(last - first, [&](int from, int to) {
            std::unique_ptr<std::uint16_t[]> laneSums(new (std::nothrow) std::uint16_t[4 * static_cast<size_t>(width)]);
            std::unique_ptr<LaneDivision[]> divisions(new (std::nothrow)
                                                          LaneDivision[static_cast<size_t>(widestBox) + 1]);
            if (!laneSums || !divisions)
                failed = true;
            else
                ShrinkRowsInLanes(pSrc, width, pDst, destWidth, pColumns, pRows, pStretches, stretches, widestBox,
                                  first + from, first + to, laneSums.get(), divisions.get());
        });
        return failed ? FALSE : TRUE;
    }
#endif
    CWorkerPool::Shared().ForRows(last - first, [&](int from, int to) {
        // Per source column and channel lane (four per pixel, the fourth
        // unused): the sum over the rows of the current box.
        std::unique_ptr<std::uint32_t[]> laneSums(new (std::nothrow) std::uint32_t[4 * static_cast<size_t>(width) + 1]);
        std::unique_ptr<std::uint64_t[]> reciprocals(new (std::nothrow)
                                                         std::uint64_t[static_cast<size_t>(widestBox) + 1]);
        if (!laneSums || !reciprocals)
            failed = true;
        else
            ShrinkRows(pSrc, width, pDst, destWidth, pColumns, pRows, widestBox, first + from, first + to,
                       laneSums.get(), reciprocals.get());
    });
    return failed ? FALSE : TRUE;
}
