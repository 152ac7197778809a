// FilterRowsAvx2: the row loops of FilterRows.h built with AVX2 code
// generation, called only when CImagingCpu reports AVX2.
#include "FilterRows.h"

namespace FilterRowsAvx2 {

void NegatePixels(const RGBX* pSrc, RGBX* pDst, size_t begin, size_t end)
{
    ::NegatePixels(pSrc, pDst, begin, end);
}

void BlurInteriorRows(const BYTE* pBytes, RGBX* pDst, int width, int first, int last, ExactDivision division,
                      std::uint16_t centreExtra, std::uint16_t* pSums, BYTE* pQuotients)
{
    ::BlurInteriorRows(pBytes, pDst, width, first, last, division, centreExtra, pSums, pQuotients);
}

void SharpenInteriorRows(const BYTE* pBytes, RGBX* pDst, int width, int first, int last, ExactDivision division,
                         std::uint16_t e, const BYTE (&flatResults)[256], double direct, double diagonal,
                         std::uint16_t* pVertical, BYTE* pScratch)
{
    const KernelWeights weights = {direct, diagonal};
    ::SharpenInteriorRows(pBytes, pDst, width, first, last, division, e, flatResults, weights, pVertical, pScratch);
}

void SumBoxRowLanes(const BYTE* pBytes, size_t lanes, int first, int last, std::uint16_t* pSums)
{
    ::SumBoxRowLanes(pBytes, lanes, first, last, pSums);
}

void AveragePairLanes(const std::uint16_t* pSums, size_t count, std::uint16_t multiplier, int shift, RGBX* pDst)
{
    ::AveragePairLanes(pSums, count, multiplier, shift, pDst);
}

} // namespace FilterRowsAvx2
