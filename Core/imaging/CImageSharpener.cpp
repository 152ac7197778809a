// CImageSharpener: 3 x 3 sharpening in 16-bit integer lanes over the bytes of
// each row, with the double sum in kernel order only where the integer form
// cannot tell the result.
// The rule itself is stated in the header; the imaging tests hold it
// written out pixel by pixel (tests/Core/imaging/ReferenceProcessors.cpp and
// the plain rules beside the tests) and compare this fast path with it at
// every thread count and vector level.
#include "CImageSharpener.h"

#include "CWorkerPool.h"
#include "ExactDivision.h"
#include "PixelWords.h"

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

// Indexed by strength 1 ... 10 (entry 0 is not used: strength 0 copies).
constexpr ExactDivision kDivisions[11] = {
    ExactDivision{1, 0, 0},
    ExactDivision::For(Denominator(1)), ExactDivision::For(Denominator(2)), ExactDivision::For(Denominator(3)),
    ExactDivision::For(Denominator(4)), ExactDivision::For(Denominator(5)), ExactDivision::For(Denominator(6)),
    ExactDivision::For(Denominator(7)), ExactDivision::For(Denominator(8)), ExactDivision::For(Denominator(9)),
    ExactDivision::For(Denominator(10))};

// b = B + K - 1 lies below 256 * K.
constexpr bool AllExact(int strength)
{
    return strength > 10 || (kDivisions[strength].IsExact(256 * Denominator(strength)) && AllExact(strength + 1));
}
static_assert(AllExact(1), "every kernel division is exact for all sums");

// What the integer form leaves to be settled, per byte lane.
enum LaneState : BYTE
{
    LANE_DONE = 0,   // the integer result is the result
    LANE_FLAT = 1,   // integer value, all nine values equal: the per-value table
    LANE_SUM = 2     // integer value: the double sum in kernel order
};

// The double weights and the sum in kernel order (column c - 1, c, c + 1;
// within each column row y - 1, y, y + 1) from 0, clamped to 0 ... 255 and
// truncated.
struct KernelWeights
{
    double direct;
    double diagonal;

    BYTE Sum(const BYTE (&values)[9]) const
    {
        const double weights[9] = {diagonal, direct, diagonal, direct, 2.0, direct, diagonal, direct, diagonal};
        double sum = 0;
        for (int i = 0; i < 9; ++i)
            sum = sum + weights[i] * values[i];
        sum = sum < 0 ? 0 : sum;
        sum = sum > 255 ? 255 : sum;
        return static_cast<BYTE>(static_cast<int>(sum));
    }
};

// One interior row, lanes 4 ... lanes - 5 (four byte lanes per pixel, the
// fourth byte's lane computed and discarded): the integer results and the
// state of each lane. pVertical holds above + below per lane, pColumnDiff
// (above ^ row) | (row ^ below), so that a lane is flat when the five
// differences around it are all zero.
template <int Shift>
void SharpenLanes(const BYTE* pRow, const std::uint16_t* pVertical, const BYTE* pColumnDiff, size_t lanes,
                  std::uint16_t e, std::uint16_t denominator, std::uint16_t multiplier, BYTE* pOut, BYTE* pState)
{
    const std::uint16_t roundUp = static_cast<std::uint16_t>(denominator - 1);
    for (size_t k = 4; k < lanes - 4; ++k)
    {
        const std::uint16_t direct = static_cast<std::uint16_t>(pVertical[k] + pRow[k - 4] + pRow[k + 4]);
        const std::uint16_t diagonal = static_cast<std::uint16_t>(pVertical[k - 4] + pVertical[k + 4]);
        const std::uint16_t b = static_cast<std::uint16_t>(e * direct + diagonal);
        const std::uint16_t high = static_cast<std::uint16_t>(
            (static_cast<std::uint32_t>(static_cast<std::uint16_t>(b + roundUp)) * multiplier) >> 16);
        const std::uint16_t quotient = static_cast<std::uint16_t>(high >> Shift);
        // 2c - quotient, clamped to 0 ... 255.
        const std::uint16_t twice = static_cast<std::uint16_t>(2 * pRow[k]);
        const std::uint16_t result = static_cast<std::uint16_t>(twice > quotient ? twice - quotient : 0);
        pOut[k] = static_cast<BYTE>(result < 255 ? result : 255);
        // K divides N: an integer value, settled later (whether it lies in
        // 1 ... 255, where the double sum matters, is left to that step).
        const bool whole = static_cast<std::uint16_t>(quotient * denominator) == b;
        const BYTE flat = static_cast<BYTE>(pColumnDiff[k - 4] | pColumnDiff[k] | pColumnDiff[k + 4] |
                                            (pRow[k - 4] ^ pRow[k]) | (pRow[k] ^ pRow[k + 4]));
        pState[k] = static_cast<BYTE>(whole ? (flat == 0 ? LANE_FLAT : LANE_SUM) : LANE_DONE);
    }
}

// Step 1 of a row: above + below per lane, and (above ^ row) | (row ^ below).
void PrepareLanes(const BYTE* pAbove, const BYTE* pRow, const BYTE* pBelow, size_t lanes, std::uint16_t* pVertical,
                  BYTE* pColumnDiff)
{
    for (size_t k = 0; k < lanes; ++k)
    {
        pVertical[k] = static_cast<std::uint16_t>(pAbove[k] + pBelow[k]);
        pColumnDiff[k] = static_cast<BYTE>((pAbove[k] ^ pRow[k]) | (pRow[k] ^ pBelow[k]));
    }
}

// Step 2: the integer results and lane states, with the shift as a constant.
// The denominators 8 ... 188 give shifts 2 (8), 4 (28), 5 (48), 6 (68 ... 128)
// and 7 (148 ... 188).
void ComputeIntegerLanes(const ExactDivision& division, std::uint16_t e, const BYTE* pRow,
                         const std::uint16_t* pVertical, const BYTE* pColumnDiff, size_t lanes, BYTE* pOut,
                         BYTE* pState)
{
    switch (division.shift)
    {
    case 2:
        SharpenLanes<2>(pRow, pVertical, pColumnDiff, lanes, e, division.divisor, division.multiplier, pOut, pState);
        break;
    case 4:
        SharpenLanes<4>(pRow, pVertical, pColumnDiff, lanes, e, division.divisor, division.multiplier, pOut, pState);
        break;
    case 5:
        SharpenLanes<5>(pRow, pVertical, pColumnDiff, lanes, e, division.divisor, division.multiplier, pOut, pState);
        break;
    case 6:
        SharpenLanes<6>(pRow, pVertical, pColumnDiff, lanes, e, division.divisor, division.multiplier, pOut, pState);
        break;
    default:
        SharpenLanes<7>(pRow, pVertical, pColumnDiff, lanes, e, division.divisor, division.multiplier, pOut, pState);
        break;
    }
}

// Step 3: lanes whose exact value is a whole number, two pixels at a time:
// flat lanes take the per-value table, the others the double sum. Where all
// open lanes of the two pixels are flat their results depend on the pixels'
// own bytes alone, so a run of equal pixels reuses the table results of the
// last such pair (kept in the cache between rows of one range).
struct FlatPairCache
{
    // The last pair settled from flat lanes alone: its states, its bytes and
    // the table results of all its lanes (no pair with open lanes has states
    // 0, so nothing matches before the first).
    std::uint64_t states = 0;
    std::uint64_t centres = 0;
    std::uint64_t results = 0;
};

void SettleWholeLanes(const BYTE* pAbove, const BYTE* pRow, const BYTE* pBelow, int width, const BYTE* pState,
                      const BYTE (&flatResults)[256], const KernelWeights& weights, FlatPairCache& cache, BYTE* pOut)
{
    const std::uint64_t colourMask64 = PixelWords::ColourMask() * 0x0000000100000001ull;
    const std::uint64_t sumLanes64 = colourMask64 & 0x0202020202020202ull;
    const size_t lastLane = 4 * static_cast<size_t>(width - 1);
    for (size_t k0 = 4; k0 < lastLane; k0 += 8)
    {
        std::uint64_t states;
        std::memcpy(&states, pState + k0, sizeof(states));
        states &= colourMask64;
        if (states == 0)
            continue;
        std::uint64_t centres, results;
        std::memcpy(&centres, pRow + k0, sizeof(centres));
        std::memcpy(&results, pOut + k0, sizeof(results));
        if ((states & sumLanes64) == 0)
        {
            if (states != cache.states || centres != cache.centres)
            {
                cache.results = 0;
                for (int shift = 0; shift < 64; shift += 8)
                    cache.results |= std::uint64_t(flatResults[(centres >> shift) & 0xFF]) << shift;
                cache.states = states;
                cache.centres = centres;
            }
            // Every state byte is 0 or 1 here: times 0xFF, the open lanes' mask.
            const std::uint64_t open = states * 0xFF;
            results = (results & ~open) | (cache.results & open);
            std::memcpy(pOut + k0, &results, sizeof(results));
            continue;
        }
        for (size_t k = k0; k < k0 + 8; ++k)
        {
            if ((k & 3) == 3 || pState[k] == LANE_DONE)
                continue;
            if (pState[k] == LANE_FLAT)
            {
                pOut[k] = flatResults[pRow[k]];
            }
            else
            {
                const BYTE values[9] = {pAbove[k - 4], pRow[k - 4], pBelow[k - 4], pAbove[k],    pRow[k],
                                        pBelow[k],     pAbove[k + 4], pRow[k + 4], pBelow[k + 4]};
                pOut[k] = weights.Sum(values);
            }
        }
    }
}

// Step 4: the colour bytes of the interior pixels; the destination keeps its
// fourth byte.
void WriteInteriorRow(const BYTE* pOut, int width, RGBX* pDstRow)
{
    const std::uint32_t colourMask = PixelWords::ColourMask();
    for (int c = 1; c < width - 1; ++c)
        PixelWords::WriteColourKeepFourth(pDstRow + c, PixelWords::Read(reinterpret_cast<const RGBX*>(pOut) + c),
                                          colourMask);
}

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
    for (int y = 0; y < height; ++y)
    {
        const RGBX* pSrcRow = pSrc + static_cast<size_t>(y) * width;
        RGBX* pDstRow = pDst + static_cast<size_t>(y) * width;
        if (y == 0 || y == height - 1)
        {
            std::memcpy(static_cast<void*>(pDstRow), pSrcRow, static_cast<size_t>(width) * sizeof(RGBX));
        }
        else if (width > 0)
        {
            pDstRow[0] = pSrcRow[0];
            pDstRow[width - 1] = pSrcRow[width - 1];
        }
    }
    if (width < 3 || height < 3)
        return TRUE;

    const int e = 51 - 5 * m_nFactor;
    const double q = 1 / static_cast<double>(e);
    const double g = 1 / ((q + 1) * 4);
    const KernelWeights weights = {-g, -(q * g)};
    // The result of a flat neighbourhood depends on its value alone.
    BYTE flatResults[256];
    for (int value = 0; value < 256; ++value)
    {
        const BYTE v = static_cast<BYTE>(value);
        const BYTE values[9] = {v, v, v, v, v, v, v, v, v};
        flatResults[value] = weights.Sum(values);
    }
    const ExactDivision division = kDivisions[m_nFactor];
    const std::uint16_t e16 = static_cast<std::uint16_t>(e);
    const size_t lanes = 4 * static_cast<size_t>(width);
    const BYTE* pBytes = reinterpret_cast<const BYTE*>(pSrc);

    std::atomic<bool> failed(false);
    CWorkerPool::Shared().ForRows(height - 2, [&](int first, int last) {
        std::unique_ptr<std::uint16_t[]> vertical(new (std::nothrow) std::uint16_t[lanes]);
        std::unique_ptr<BYTE[]> scratch(new (std::nothrow) BYTE[3 * lanes]);
        if (!vertical || !scratch)
        {
            failed = true;
            return;
        }
        std::uint16_t* pVertical = vertical.get();
        BYTE* pColumnDiff = scratch.get();
        BYTE* pOut = pColumnDiff + lanes;
        BYTE* pState = pOut + lanes;
        // The lanes of the first and last column have no state of their own:
        // kept 0, they are never settled.
        std::memset(pState, LANE_DONE, 4);
        std::memset(pState + lanes - 4, LANE_DONE, 4);
        FlatPairCache cache;
        for (int y = first + 1; y < last + 1; ++y)
        {
            const BYTE* pAbove = pBytes + static_cast<size_t>(y - 1) * lanes;
            const BYTE* pRow = pAbove + lanes;
            const BYTE* pBelow = pRow + lanes;
            PrepareLanes(pAbove, pRow, pBelow, lanes, pVertical, pColumnDiff);
            ComputeIntegerLanes(division, e16, pRow, pVertical, pColumnDiff, lanes, pOut, pState);
            SettleWholeLanes(pAbove, pRow, pBelow, width, pState, flatResults, weights, cache, pOut);
            WriteInteriorRow(pOut, width, pDst + static_cast<size_t>(y) * width);
        }
    });
    return failed ? FALSE : TRUE;
}
