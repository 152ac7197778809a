// WeightedBlend: the weighted-colour blend of CalcWeightedColor (the rule is
// stated in CImage32BitProcessor.h), shared by the base processor, the
// rotator, the shearer and the enlarging resizer, in plain C++ and in SSE2
// lanes. Internal to the imaging code.
#pragma once

#include "CImagingCpu.h"
#include "PixelWords.h"
#include "WeightedBlendAvx.h"

#include <cstdint>

#if defined(__SSE2__) || defined(_M_X64)
#  include <emmintrin.h>
#  define TES_IMAGING_SSE2 1
#endif
// x86-64 builds also carry the AVX2 and AVX-512 blends (WeightedBlendAvx.h).
#if defined(__x86_64__) || defined(_M_X64)
#  define TES_IMAGING_AVX2 1
#endif

namespace WeightedBlend {

// One channel: 0.5 * (du*P10 + (1 - du)*P00 + (1 - dv)*P00 + dv*P01), added
// left to right. T is double or a vector of doubles whose operators work lane
// by lane, so every lane rounds exactly as the double form.
template <class T>
inline T Channel(T du, T restU, T restV, T dv, T p00, T p10, T p01, T half)
{
    return half * (du * p10 + restU * p00 + restV * p00 + dv * p01);
}

// The blended pixel word of three pixel words (fourth byte 0).
struct ScalarBlender
{
    static std::uint32_t Pixel(std::uint32_t w00, std::uint32_t w10, std::uint32_t w01, double du, double restU,
                               double restV, double dv)
    {
        std::uint32_t word = 0;
        for (int shift = 0; shift < 24; shift += 8) {
            const double value = Channel<double>(du, restU, restV, dv, (w00 >> shift) & 0xFF, (w10 >> shift) & 0xFF,
                                                 (w01 >> shift) & 0xFF, 0.5);
            word |= static_cast<std::uint32_t>(static_cast<int>(value) & 0xFF) << shift;
        }
        return word;
    }
};

#ifdef TES_IMAGING_SSE2
// Two doubles lane by lane.
struct Double2
{
    __m128d v;
    Double2(__m128d value) : v(value) {}
    explicit Double2(double value) : v(_mm_set1_pd(value)) {}
};
inline Double2 operator*(Double2 a, Double2 b)
{
    return _mm_mul_pd(a.v, b.v);
}
inline Double2 operator+(Double2 a, Double2 b)
{
    return _mm_add_pd(a.v, b.v);
}

// The four bytes of a pixel word as doubles: (b, g) and (r, x).
inline void WordToDoubles(std::uint32_t word, Double2& low, Double2& high)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i lanes = _mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(word)), zero), zero);
    low = _mm_cvtepi32_pd(lanes);
    high = _mm_cvtepi32_pd(_mm_shuffle_epi32(lanes, 0xEE));
}

struct Sse2Blender
{
    static std::uint32_t Pixel(std::uint32_t w00, std::uint32_t w10, std::uint32_t w01, double du, double restU,
                               double restV, double dv)
    {
        Double2 p00Low(0.0), p00High(0.0), p10Low(0.0), p10High(0.0), p01Low(0.0), p01High(0.0);
        WordToDoubles(w00, p00Low, p00High);
        WordToDoubles(w10, p10Low, p10High);
        WordToDoubles(w01, p01Low, p01High);
        const Double2 vdu(du), vrestU(restU), vrestV(restV), vdv(dv), half(0.5);
        const Double2 low = Channel(vdu, vrestU, vrestV, vdv, p00Low, p10Low, p01Low, half);
        const Double2 high = Channel(vdu, vrestU, vrestV, vdv, p00High, p10High, p01High, half);
        // Truncated to int32 lanes, then bytes (every value lies in 0 ... 255).
        const __m128i ints = _mm_unpacklo_epi64(_mm_cvttpd_epi32(low.v), _mm_cvttpd_epi32(high.v));
        const __m128i words = _mm_packs_epi32(ints, ints);
        const std::uint32_t word = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
        return word & 0x00FFFFFFu;
    }
};
#else
typedef ScalarBlender Sse2Blender;
#endif

#ifdef TES_IMAGING_AVX2
// WeightedBlendAvx.h: the same blend in 256-bit lanes, for one pixel, for
// the runs below (ShiftedRun, ColumnsRun) and for the rotation's runs of
// turned points; in 512-bit lanes for ColumnsRun.
struct Avx2Blender
{
    static std::uint32_t Pixel(std::uint32_t w00, std::uint32_t w10, std::uint32_t w01, double du, double restU,
                               double restV, double dv)
    {
        return BlendPixelAvx2(w00, w10, w01, du, restU, restV, dv);
    }
};
#else
typedef Sse2Blender Avx2Blender;
#endif

// The weighted colour at (u, v) for 0 <= u < W and 0 <= v < H, as a word.
template <class Blender>
inline std::uint32_t At(Blender, const RGBX* pSrc, int width, int height, double u, double v)
{
    const int cu = static_cast<int>(u);
    const int cv = static_cast<int>(v);
    const double du = u - cu;
    const double dv = v - cv;
    const RGBX* pRow = pSrc + static_cast<size_t>(cv) * width;
    const RGBX* pNextRow = pSrc + static_cast<size_t>(cv + 1 < height ? cv + 1 : height - 1) * width;
    return Blender::Pixel(PixelWords::Read(pRow + cu), PixelWords::Read(pRow + (cu + 1 < width ? cu + 1 : width - 1)),
                          PixelWords::Read(pNextRow + cu), du, 1 - du, 1 - dv, dv);
}

// Destination pixels first ... last - 1 of a row whose sample points are
// (i - shift, v): the weighted colour with cu = trunc(i - shift),
// du = (i - shift) - cu and v's terms restV = 1 - dv and dv, reading pRow
// (row trunc(v)) and pNextRow (the row below it, or the same at the bottom).
// Every i - shift must lie in 0 ... W - 1 (W excluded), so the column after
// cu is inside the picture.
template <class Blender>
inline void ShiftedRun(Blender, const RGBX* pRow, const RGBX* pNextRow, double shift, double restV, double dv,
                       int first, int last, RGBX* pDst)
{
    for (int i = first; i < last; ++i) {
        const double u = i - shift;
        const int cu = static_cast<int>(u);
        const double du = u - cu;
        PixelWords::Write(pDst + i, Blender::Pixel(PixelWords::Read(pRow + cu), PixelWords::Read(pRow + cu + 1),
                                                   PixelWords::Read(pNextRow + cu), du, 1 - du, restV, dv));
    }
}

#ifdef TES_IMAGING_AVX2
// Four pixels at a time in 256-bit lanes.
inline void ShiftedRun(Avx2Blender, const RGBX* pRow, const RGBX* pNextRow, double shift, double restV, double dv,
                       int first, int last, RGBX* pDst)
{
    BlendShiftedRunAvx2(pRow, pNextRow, shift, restV, dv, first, last, pDst);
}
#endif

// Sampling terms of destination columns 0, 1, ...: the source column cu,
// the column read beside it (cu + 1, or cu at the right edge), du and
// 1 - du.
struct ColumnTerms
{
    const int* pFirst;
    const int* pNext;
    const double* pFrac;
    const double* pRest;
};

// Destination pixels 0 ... count - 1 of rowCount neighbouring rows (count
// pixels each, from pDst on) whose sample points share the source rows pRow
// and pNextRow; row r has the terms pRestV[r] and pDv[r], column x takes
// its terms from columns. Every column named must lie in 0 ... width - 1.
template <class Blender>
inline void ColumnsRun(Blender, const RGBX* pRow, const RGBX* pNextRow, int, const ColumnTerms& columns,
                       const double* pRestV, const double* pDv, int rowCount, int count, RGBX* pDst)
{
    for (int r = 0; r < rowCount; ++r, pDst += count)
        for (int x = 0; x < count; ++x)
            PixelWords::Write(pDst + x, Blender::Pixel(PixelWords::Read(pRow + columns.pFirst[x]),
                                                       PixelWords::Read(pRow + columns.pNext[x]),
                                                       PixelWords::Read(pNextRow + columns.pFirst[x]), columns.pFrac[x],
                                                       columns.pRest[x], pRestV[r], pDv[r]));
}

#ifdef TES_IMAGING_AVX2
// Four pixels at a time in 256-bit lanes, or eight in 512-bit lanes at the
// AVX-512 level; the part of the blend that depends on the columns alone is
// made once for all the rows.
inline void ColumnsRun(Avx2Blender, const RGBX* pRow, const RGBX* pNextRow, int width, const ColumnTerms& columns,
                       const double* pRestV, const double* pDv, int rowCount, int count, RGBX* pDst)
{
    if (CImagingCpu::GetLevel() >= CImagingCpu::LEVEL_AVX512)
        BlendColumnsRunAvx512(pRow, pNextRow, width, columns.pFirst, columns.pNext, columns.pFrac, columns.pRest,
                              pRestV, pDv, rowCount, count, pDst);
    else
        BlendColumnsRunAvx2(pRow, pNextRow, width, columns.pFirst, columns.pNext, columns.pFrac, columns.pRest, pRestV,
                            pDv, rowCount, count, pDst);
}
#endif

// Calls run(blender) with the blender of the level in use.
template <class Run>
inline void WithBlender(const Run& run)
{
    const int level = CImagingCpu::GetLevel();
    if (level >= CImagingCpu::LEVEL_AVX2)
        run(Avx2Blender());
    else if (level >= CImagingCpu::LEVEL_SSE2)
        run(Sse2Blender());
    else
        run(ScalarBlender());
}

} // namespace WeightedBlend
