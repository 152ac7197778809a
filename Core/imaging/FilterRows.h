// FilterRows: the row loops of the negator, the blurrer, the sharpener and
// the shrinking resizer, built twice: in each processor's file with the baseline instruction set,
// and in FilterRowsAvx2.cpp with AVX2 code generation, which the processors
// call instead when CImagingCpu reports AVX2 (the compiler then vectorises
// the same loops in 256-bit lanes; every lane computes what the plain loop
// computes, so the bytes are the same). Everything here has internal
// linkage, so no copy built for AVX2 can stand in for the baseline one.
// Internal to the imaging code.
#pragma once

#include "ExactDivision.h"
#include "PixelWords.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// Pixels begin ... end - 1, whole pixels as 32-bit words: 255 - v is v ^ 0xFF
// for each colour byte, and the destination's fourth byte is written back as
// it was.
inline void NegatePixels(const RGBX* pSrc, RGBX* pDst, size_t begin, size_t end)
{
    const std::uint32_t colourMask = PixelWords::ColourMask();
    for (size_t i = begin; i < end; ++i)
        PixelWords::WriteColourKeepFourth(pDst + i, PixelWords::Read(pSrc + i) ^ colourMask, colourMask);
}

// The blurrer (CImageBlurrer.cpp states how the interior is divided).
// Lanes 4 ... lanes - 5 of an interior row: the box sum of the three column
// sums plus centreExtra times the middle value, divided as described in
// CImageBlurrer::ProcessPixels (the high half of a 16 x 16-bit product, then a shift by the
// constant Shift, which keeps the loop in 16-bit lanes).
template <int Shift>
void DivideBoxSums(const std::uint16_t* pSums, const BYTE* pRow, size_t lanes, std::uint16_t centreExtra,
                   std::uint16_t multiplier, BYTE* pQuotients)
{
    for (size_t k = 4; k < lanes - 4; ++k) {
        const std::uint16_t sum =
            static_cast<std::uint16_t>(pSums[k - 4] + pSums[k] + pSums[k + 4] + centreExtra * pRow[k]);
        const std::uint16_t high = static_cast<std::uint16_t>(
            (static_cast<std::uint32_t>(sum) * static_cast<std::uint32_t>(multiplier)) >> 16);
        pQuotients[k] = static_cast<BYTE>(high >> Shift);
    }
}

// Interior rows first ... last - 1 of the blurrer, with the lane buffers
// pSums and pQuotients of 4 * width entries.
inline void BlurInteriorRows(const BYTE* pBytes, RGBX* pDst, int width, int first, int last, ExactDivision division,
                             std::uint16_t centreExtra, std::uint16_t* pSums, BYTE* pQuotients)
{
    const size_t lanes = 4 * static_cast<size_t>(width);
    const std::uint32_t colourMask = PixelWords::ColourMask();
    for (int y = first; y < last; ++y) {
        const BYTE* pAbove = pBytes + static_cast<size_t>(y - 1) * lanes;
        const BYTE* pRow = pAbove + lanes;
        const BYTE* pBelow = pRow + lanes;
        for (size_t k = 0; k < lanes; ++k)
            pSums[k] = static_cast<std::uint16_t>(pAbove[k] + pRow[k] + pBelow[k]);
        // The divisors 13 ... 58 give shifts 3 (13), 4 (18 ... 28) and 5 (33 ... 58).
        if (division.shift == 3)
            DivideBoxSums<3>(pSums, pRow, lanes, centreExtra, division.multiplier, pQuotients);
        else if (division.shift == 4)
            DivideBoxSums<4>(pSums, pRow, lanes, centreExtra, division.multiplier, pQuotients);
        else
            DivideBoxSums<5>(pSums, pRow, lanes, centreExtra, division.multiplier, pQuotients);
        // The colour bytes of the result; the destination keeps its fourth byte.
        RGBX* pDstRow = pDst + static_cast<size_t>(y) * width;
        for (int c = 1; c < width - 1; ++c)
            PixelWords::WriteColourKeepFourth(
                pDstRow + c, PixelWords::Read(reinterpret_cast<const RGBX*>(pQuotients) + c), colourMask);
    }
}

// The sharpener (CImageSharpener.cpp derives the integer form and says
// where only the double sum can tell the result).
// What the integer form leaves to be settled, per byte lane.
enum LaneState : BYTE
{
    LANE_DONE = 0, // the integer result is the result
    LANE_FLAT = 1, // integer value, all nine values equal: the per-value table
    LANE_SUM = 2   // integer value: the double sum in kernel order
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
        const double weights[9] = { diagonal, direct, diagonal, direct, 2.0, direct, diagonal, direct, diagonal };
        double sum = 0;
        for (int i = 0; i < 9; ++i)
            sum = sum + weights[i] * values[i];
        sum = sum < 0 ? 0 : sum;
        sum = sum > 255 ? 255 : sum;
        return static_cast<BYTE>(static_cast<int>(sum));
    }

    // The sum around one lane, given by its byte in the rows above, at and
    // below (the neighbours are four bytes either side).
    BYTE SumAround(const BYTE* pAbove, const BYTE* pRow, const BYTE* pBelow) const
    {
        const BYTE values[9] = { pAbove[-4], pRow[-4],  pBelow[-4], pAbove[0], pRow[0],
                                 pBelow[0],  pAbove[4], pRow[4],    pBelow[4] };
        return Sum(values);
    }

    // For the explicit-lane blocks: pOut[i] = the sum around lane i of the
    // block whose row above starts at pAboveBlock, for each bit i of lanesToSum.
    void SumLanes(const BYTE* pAboveBlock, size_t lanes, unsigned lanesToSum, BYTE* pOut) const
    {
        for (int i = 0; i < 32; ++i)
            if ((lanesToSum >> i) & 1)
                pOut[i] = SumAround(pAboveBlock + i, pAboveBlock + lanes + i, pAboveBlock + 2 * lanes + i);
    }
};

// For the explicit-lane blocks: a flat neighbourhood of value v sums to
// within 1.4e-12 of v (CImageSharpener.cpp), so its result is v or v - 1:
// bit v of drops is set where it is v - 1.
inline void MakeFlatDrops(const BYTE (&flatResults)[256], BYTE (&drops)[32])
{
    std::memset(drops, 0, sizeof(drops));
    for (int v = 0; v < 256; ++v)
        if (flatResults[v] != v)
            drops[v >> 3] = static_cast<BYTE>(drops[v >> 3] | (1 << (v & 7)));
}

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
    for (size_t k = 4; k < lanes - 4; ++k) {
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
        const BYTE flat = static_cast<BYTE>(pColumnDiff[k - 4] | pColumnDiff[k] | pColumnDiff[k + 4]
                                            | (pRow[k - 4] ^ pRow[k]) | (pRow[k] ^ pRow[k + 4]));
        pState[k] = static_cast<BYTE>(whole ? (flat == 0 ? LANE_FLAT : LANE_SUM) : LANE_DONE);
    }
}

// Step 1 of a row: above + below per lane, and (above ^ row) | (row ^ below).
inline void PrepareLanes(const BYTE* pAbove, const BYTE* pRow, const BYTE* pBelow, size_t lanes,
                         std::uint16_t* pVertical, BYTE* pColumnDiff)
{
    for (size_t k = 0; k < lanes; ++k) {
        pVertical[k] = static_cast<std::uint16_t>(pAbove[k] + pBelow[k]);
        pColumnDiff[k] = static_cast<BYTE>((pAbove[k] ^ pRow[k]) | (pRow[k] ^ pBelow[k]));
    }
}

// Step 2: the integer results and lane states, with the shift as a constant.
// The denominators 8 ... 188 give shifts 2 (8), 4 (28), 5 (48), 6 (68 ... 128)
// and 7 (148 ... 188).
inline void ComputeIntegerLanes(const ExactDivision& division, std::uint16_t e, const BYTE* pRow,
                                const std::uint16_t* pVertical, const BYTE* pColumnDiff, size_t lanes, BYTE* pOut,
                                BYTE* pState)
{
    switch (division.shift) {
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

inline void SettleWholeLanes(const BYTE* pAbove, const BYTE* pRow, const BYTE* pBelow, int width, const BYTE* pState,
                             const BYTE (&flatResults)[256], const KernelWeights& weights, FlatPairCache& cache,
                             BYTE* pOut)
{
    const std::uint64_t colourMask64 = PixelWords::ColourMask() * 0x0000000100000001ull;
    const std::uint64_t sumLanes64 = colourMask64 & 0x0202020202020202ull;
    const size_t lastLane = 4 * static_cast<size_t>(width - 1);
    for (size_t k0 = 4; k0 < lastLane; k0 += 8) {
        std::uint64_t states;
        std::memcpy(&states, pState + k0, sizeof(states));
        states &= colourMask64;
        if (states == 0)
            continue;
        std::uint64_t centres, results;
        std::memcpy(&centres, pRow + k0, sizeof(centres));
        std::memcpy(&results, pOut + k0, sizeof(results));
        if ((states & sumLanes64) == 0) {
            if (states != cache.states || centres != cache.centres) {
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
        for (size_t k = k0; k < k0 + 8; ++k) {
            if ((k & 3) == 3 || pState[k] == LANE_DONE)
                continue;
            if (pState[k] == LANE_FLAT) {
                pOut[k] = flatResults[pRow[k]];
            } else {
                pOut[k] = weights.SumAround(pAbove + k, pRow + k, pBelow + k);
            }
        }
    }
}

// Step 4: the colour bytes of the interior pixels; the destination keeps its
// fourth byte.
inline void WriteInteriorRow(const BYTE* pOut, int width, RGBX* pDstRow)
{
    const std::uint32_t colourMask = PixelWords::ColourMask();
    for (int c = 1; c < width - 1; ++c)
        PixelWords::WriteColourKeepFourth(pDstRow + c, PixelWords::Read(reinterpret_cast<const RGBX*>(pOut) + c),
                                          colourMask);
}

// Interior rows first ... last - 1 of the sharpener (see its ProcessPixels),
// with pVertical of lanes entries and pScratch of 3 * lanes bytes.
inline void SharpenInteriorRows(const BYTE* pBytes, RGBX* pDst, int width, int first, int last, ExactDivision division,
                                std::uint16_t e, const BYTE (&flatResults)[256], KernelWeights weights,
                                std::uint16_t* pVertical, BYTE* pScratch)
{
    const size_t lanes = 4 * static_cast<size_t>(width);
    BYTE* pColumnDiff = pScratch;
    BYTE* pOut = pColumnDiff + lanes;
    BYTE* pState = pOut + lanes;
    // The lanes of the first and last column have no state of their own:
    // kept 0, they are never settled.
    std::memset(pState, LANE_DONE, 4);
    std::memset(pState + lanes - 4, LANE_DONE, 4);
    FlatPairCache cache;
    for (int y = first; y < last; ++y) {
        const BYTE* pAbove = pBytes + static_cast<size_t>(y - 1) * lanes;
        const BYTE* pRow = pAbove + lanes;
        const BYTE* pBelow = pRow + lanes;
        PrepareLanes(pAbove, pRow, pBelow, lanes, pVertical, pColumnDiff);
        ComputeIntegerLanes(division, e, pRow, pVertical, pColumnDiff, lanes, pOut, pState);
        SettleWholeLanes(pAbove, pRow, pBelow, width, pState, flatResults, weights, cache, pOut);
        WriteInteriorRow(pOut, width, pDst + static_cast<size_t>(y) * width);
    }
}

// The shrinking resizer (CImageResizer.cpp states its boxes; the caller
// keeps every sum below 65536).
// Lanes begin ... end - 1 of pSums (rows of lanes bytes): the sum of that
// lane over rows first ... last.
inline void SumBoxRowLanes(const BYTE* pBytes, size_t lanes, int first, int last, size_t begin, size_t end,
                           std::uint16_t* pSums)
{
    const BYTE* pRow = pBytes + static_cast<size_t>(first) * lanes;
    for (size_t k = begin; k < end; ++k)
        pSums[k] = pRow[k];
    for (int row = first + 1; row <= last; ++row) {
        pRow += lanes;
        for (size_t k = begin; k < end; ++k)
            pSums[k] = static_cast<std::uint16_t>(pSums[k] + pRow[k]);
    }
}

// Destination pixels 0 ... count - 1 of boxes two columns wide: each colour
// byte of pixel i is the sum of that lane of pixels 2i and 2i + 1 of pSums,
// divided as ExactDivision does (the high half of the product with the
// multiplier, then the shift); the fourth byte stays.
inline void AveragePairLanes(const std::uint16_t* pSums, size_t count, std::uint16_t multiplier, int shift, RGBX* pDst)
{
    const std::uint32_t colourMask = PixelWords::ColourMask();
    const auto divide = [multiplier, shift](std::uint16_t first, std::uint16_t second) {
        const std::uint16_t sum = static_cast<std::uint16_t>(first + second);
        const std::uint16_t high = static_cast<std::uint16_t>(
            (static_cast<std::uint32_t>(sum) * static_cast<std::uint32_t>(multiplier)) >> 16);
        return static_cast<std::uint32_t>(high >> shift);
    };
    for (size_t i = 0; i < count; ++i) {
        const std::uint16_t* pPair = pSums + 8 * i;
        const std::uint32_t word =
            divide(pPair[0], pPair[4]) | divide(pPair[1], pPair[5]) << 8 | divide(pPair[2], pPair[6]) << 16;
        PixelWords::WriteColourKeepFourth(pDst + i, word, colourMask);
    }
}

} // namespace

// The same loops built for AVX2 (FilterRowsAvx2.cpp).
namespace FilterRowsAvx2 {

void NegatePixels(const RGBX* pSrc, RGBX* pDst, size_t begin, size_t end);
// The blurrer's and the sharpener's interior rows in explicit 256-bit lanes,
// for pictures at least 6 pixels wide.
void BlurInteriorRows(const BYTE* pBytes, RGBX* pDst, int width, int first, int last, ExactDivision division,
                      std::uint16_t centreExtra);
// The kernel weights as their direct and diagonal values (KernelWeights is
// a type of each file of its own).
void SharpenInteriorRows(const BYTE* pBytes, RGBX* pDst, int width, int first, int last, ExactDivision division,
                         std::uint16_t e, const BYTE (&flatResults)[256], double direct, double diagonal);
void SumBoxRowLanes(const BYTE* pBytes, size_t lanes, int first, int last, size_t begin, size_t end,
                    std::uint16_t* pSums);
// The boxes of a run of count >= 8 destination pixels two source columns
// wide, the first starting at source column firstColumn, over rows first ...
// last (rows of lanes bytes), summed and divided as AveragePairLanes does,
// straight from the rows.
void AveragePairBoxes(const BYTE* pBytes, size_t lanes, int first, int last, int firstColumn, int count,
                      std::uint16_t multiplier, int shift, RGBX* pDst);

} // namespace FilterRowsAvx2

namespace FilterRowsAvx512 {

// The sharpener's interior rows in explicit 512-bit lanes, for pictures at
// least 10 pixels wide; arguments as FilterRowsAvx2::SharpenInteriorRows.
void SharpenInteriorRows(const BYTE* pBytes, RGBX* pDst, int width, int first, int last, ExactDivision division,
                         std::uint16_t e, const BYTE (&flatResults)[256], double direct, double diagonal);

} // namespace FilterRowsAvx512
