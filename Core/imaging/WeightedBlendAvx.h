// WeightedBlendAvx: the weighted-colour blend functions built with AVX2
// (WeightedBlendAvx2.cpp) and AVX-512 (WeightedBlendAvx512.cpp) code
// generation. Declarations only: the files built that way include no inline
// function that other files share, so none is compiled with instructions
// other processors lack. Internal to the imaging code; WeightedBlend.h says
// what each computes.
#pragma once

#include "RGBX.h"

#include <cstdint>

namespace WeightedBlend {

std::uint32_t BlendPixelAvx2(std::uint32_t w00, std::uint32_t w10, std::uint32_t w01, double du, double restU,
                             double restV, double dv);
void BlendShiftedRunAvx2(const RGBX* pRow, const RGBX* pNextRow, double shift, double restV, double dv, int first,
                         int last, RGBX* pDst);
// Four points at a time of a run of turned points (CImageRotator.cpp).
int BlendTurnedPointsAvx2(const RGBX* pSrc, int width, int height, const double* pX, const double* pY, int count,
                          double offsetX, double offsetY, const int window[4], RGBX* pDst, int* pLeftOver);
void BlendColumnsRunAvx2(const RGBX* pRow, const RGBX* pNextRow, int width, const int* pFirst, const int* pNext,
                         const double* pFrac, const double* pRest, const double* pRestV, const double* pDv,
                         int rowCount, int count, RGBX* pDst);
// Eight pixels at a time where the source columns allow, the rest by
// BlendColumnsRunAvx2.
void BlendColumnsRunAvx512(const RGBX* pRow, const RGBX* pNextRow, int width, const int* pFirst, const int* pNext,
                           const double* pFrac, const double* pRest, const double* pRestV, const double* pDv,
                           int rowCount, int count, RGBX* pDst);
// Eight points at a time where all eight are blended by the plain rule; the
// others by BlendTurnedPointsAvx2, whose left-over blocks of four it
// reports.
int BlendTurnedPointsAvx512(const RGBX* pSrc, int width, int height, const double* pX, const double* pY, int count,
                            double offsetX, double offsetY, const int window[4], RGBX* pDst, int* pLeftOver);

} // namespace WeightedBlend
