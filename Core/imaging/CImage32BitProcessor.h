// CImage32BitProcessor: the base of every effect. A processor maps an input
// size to its output size and writes output pixels from a source buffer into
// a destination buffer (buffers as described in RGBX.h).
#pragma once

#include "CSize.h"
#include "RGBX.h"
#include "TesLibApi.h"

// Each processor's header states its rule; its .cpp file is a fast path of
// that rule. The imaging tests hold every rule written out pixel by pixel
// (tests/Core/imaging/ReferenceProcessors.cpp and the plain rules beside the
// tests) and compare the fast paths with it at every thread count and vector
// level.
//
// Contract of ProcessPixels for every processor:
//  - the destination already holds only the background colour of the picture,
//    so every pixel a processor leaves unwritten shows the background;
//  - both buffers belong to the caller; the source is only read;
//  - a null buffer, or a size with a negative side or a side above MAX_SIDE,
//    gives FALSE and nothing is written.
//
// CalcWeightedColor (column u, row v of a W x H source) is not a bilinear
// blend but the mean of a horizontal and a vertical linear interpolation
// anchored on the same pixel:
//  - u < 0 or v < 0: cu = trunc(u), cv = trunc(v), each negative one becomes
//    0, and the result is the whole source pixel (cu, cv), fourth byte included;
//  - otherwise cu = trunc(u), cv = trunc(v), du = u - cu, dv = v - cv,
//    P00 = (cu, cv), P10 = (min(cu + 1, W - 1), cv), P01 = (cu, min(cv + 1, H - 1));
//    each of r, g, b = trunc(0.5 * (du*P10 + (1 - du)*P00 + (1 - dv)*P00 + dv*P01)),
//    in double precision, added left to right; the fourth byte is 0.
// Callers keep cu <= W - 1 and cv <= H - 1; a position beyond the last
// column or row (or not a number) is taken as that last column or row, so no
// read ever leaves the buffer. An empty source gives a zero pixel.
class TESLIB_API CImage32BitProcessor
{
public:
    // Largest width or height of any buffer a processor chain works on.
    static constexpr LONG MAX_SIDE = 32767;

    explicit CImage32BitProcessor(int bSmooth = 0);
    virtual ~CImage32BitProcessor();

    // The base keeps the size.
    virtual CSize CalcDestSize(CSize sizeSrc) const;
    // The base copies the source unchanged; both sizes must be equal.
    virtual BOOL ProcessPixels(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const;

    RGBX CalcWeightedColor(const RGBX* pSrc, CSize sizeSrc, double u, double v) const;

    // TRUE when both sides lie in 0 ... MAX_SIDE.
    static BOOL IsValidSize(CSize size);

protected:
    // Both buffers present and both sizes valid.
    static BOOL AreBuffersValid(const RGBX* pSrc, CSize sizeSrc, const RGBX* pDst, CSize sizeDst);
    // A computed side as a LONG: truncated toward zero and saturated to the
    // LONG range; NaN gives the upper bound (a size no chain accepts).
    static LONG SaturateSide(double value);
    static LONG SaturateSide(long long value);

    // Nonzero: the rotator and the shearer sample with CalcWeightedColor
    // instead of taking the nearest source pixel.
    int m_bSmooth;
};
