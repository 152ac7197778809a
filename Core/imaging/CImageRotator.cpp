// CImageRotator: rotation by inverse mapping of every destination pixel.
#include "CImageRotator.h"

#include "CWorkerPool.h"
#include "PixelWords.h"
#include "WeightedBlend.h"

#include <cmath>
#include <cstdlib>

namespace {

const double kTwoPi = 6.283185307179586;
// Angles beyond this many turns are reduced with fmod before the loops.
const double kLargeTurns = 1048576.0;

// What the rows of one rotation share (see ProcessPixels). Destination row
// i is written at pDst + (i - firstRow) * destWidth.
struct RotationRows
{
    const RGBX* pSrc;
    int width, height;
    RGBX* pDst;
    int firstRow;
    int destWidth;
    int hw, hh, hsw, hsh;
    int left, top, right, bottom;
    double c, s;
};

// Destination rows first ... last - 1 without smoothing: the whole source
// pixel at the truncated point, row after row.
void RotateRowsNearest(const RotationRows rows, int first, int last)
{
    const double c = rows.c;
    const double s = rows.s;
    for (int i = first; i < last; ++i) {
        const int yy = i - rows.hh;
        double sx = yy * s - rows.hw * c;
        double sy = yy * c + rows.hw * s;
        RGBX* pRow = rows.pDst + static_cast<size_t>(i - rows.firstRow) * rows.destWidth;
        for (int j = 0; j < rows.destWidth; ++j) {
            sx += c;
            sy -= s;
            // |sx| and |sy| stay below 3 * MAX_SIDE, so the truncations fit an int.
            const int px = static_cast<int>(sx);
            const int py = static_cast<int>(sy);
            if (px < rows.left || px >= rows.right || py < rows.top || py >= rows.bottom)
                continue;
            PixelWords::Write(pRow + j, PixelWords::Read(rows.pSrc + static_cast<size_t>(py + rows.hsh) * rows.width
                                                         + (px + rows.hsw)));
        }
    }
}

// Rows are sampled in bands of kBandRows rows and, within a band, in tiles
// of kTileColumns columns, so that the source pixels of a tile (a turned
// rectangle) stay in the caches while the tile is sampled.
const int kBandRows = 16;
const int kTileColumns = 64;

// The destination pixel of the point (sx, sy), when it falls inside the
// source window.
template <class Blender>
inline void SamplePoint(Blender blender, const RotationRows& rows, double sx, double sy, RGBX* pPixel)
{
    // |sx| and |sy| stay below 3 * MAX_SIDE, so the truncations fit an int.
    const int px = static_cast<int>(sx);
    const int py = static_cast<int>(sy);
    if (px < rows.left || px >= rows.right || py < rows.top || py >= rows.bottom)
        return;
    const double u = rows.hsw + sx;
    const double v = rows.hsh + sy;
    if (u >= 0 && v >= 0 && u < rows.width && v < rows.height)
        PixelWords::Write(pPixel, WeightedBlend::At(blender, rows.pSrc, rows.width, rows.height, u, v));
    else
        *pPixel = CImage32BitProcessor().CalcWeightedColor(rows.pSrc, CSize(rows.width, rows.height), u, v);
}

// The destination pixels 0 ... count - 1 of the points (pX[t], pY[t]).
template <class Blender>
inline void SampleTrack(Blender blender, const RotationRows& rows, const double* pX, const double* pY, int count,
                        RGBX* pPixels)
{
    for (int t = 0; t < count; ++t)
        SamplePoint(blender, rows, pX[t], pY[t], pPixels + t);
}

#ifdef TES_IMAGING_AVX2
// Four points at a time in 256-bit lanes, or eight in 512-bit lanes at the
// AVX-512 level, where all of them are blended by the plain rule; the
// caller's rule for the blocks of four that are not.
inline void SampleTrack(WeightedBlend::Avx2Blender blender, const RotationRows& rows, const double* pX,
                        const double* pY, int count, RGBX* pPixels)
{
    const int window[4] = { rows.left, rows.top, rows.right, rows.bottom };
    int leftOver[kTileColumns / 4 + 1];
    const int blocks = CImagingCpu::GetLevel() >= CImagingCpu::LEVEL_AVX512
                           ? WeightedBlend::BlendTurnedPointsAvx512(rows.pSrc, rows.width, rows.height, pX, pY, count,
                                                                    rows.hsw, rows.hsh, window, pPixels, leftOver)
                           : WeightedBlend::BlendTurnedPointsAvx2(rows.pSrc, rows.width, rows.height, pX, pY, count,
                                                                  rows.hsw, rows.hsh, window, pPixels, leftOver);
    for (int b = 0; b < blocks; ++b)
        for (int t = leftOver[b]; t < leftOver[b] + 4 && t < count; ++t)
            SamplePoint(blender, rows, pX[t], pY[t], pPixels + t);
}
#endif

// Destination rows first ... last - 1 with smoothing. Every row of a band
// carries its own running point; for each tile the repeated additions of
// all the band's rows advance side by side (independent chains, each in
// column order) into the tile's track arrays, and then the tile is sampled
// row by row.
template <class Blender>
void RotateRows(Blender blender, const RotationRows rows, int first, int last)
{
    const int destWidth = rows.destWidth;
    const double c = rows.c;
    const double s = rows.s;
    double runX[kBandRows], runY[kBandRows];
    double trackX[kBandRows][kTileColumns], trackY[kBandRows][kTileColumns];
    for (int bandFirst = first; bandFirst < last; bandFirst += kBandRows) {
        const int bandRows = last - bandFirst < kBandRows ? last - bandFirst : kBandRows;
        for (int r = 0; r < kBandRows; ++r) {
            const int yy = bandFirst + r - rows.hh;
            runX[r] = yy * s - rows.hw * c;
            runY[r] = yy * c + rows.hw * s;
        }
        for (int tileFirst = 0; tileFirst < destWidth; tileFirst += kTileColumns) {
            const int tileColumns = destWidth - tileFirst < kTileColumns ? destWidth - tileFirst : kTileColumns;
            for (int t = 0; t < tileColumns; ++t)
                for (int r = 0; r < kBandRows; ++r) {
                    runX[r] += c;
                    runY[r] -= s;
                    trackX[r][t] = runX[r];
                    trackY[r][t] = runY[r];
                }
            for (int r = 0; r < bandRows; ++r)
                SampleTrack(blender, rows, trackX[r], trackY[r], tileColumns,
                            rows.pDst + static_cast<size_t>(bandFirst + r - rows.firstRow) * destWidth + tileFirst);
        }
    }
}

} // namespace

CImageRotator::CImageRotator(int nDegrees, int bSmooth) : CImage32BitProcessor(bSmooth)
{
    long long degrees = nDegrees;
    if (degrees >= 360)
        degrees %= 360;
    else if (degrees < 0)
        degrees += 360 * ((-degrees - 1) / 360 + 1);
    m_dAngle = static_cast<double>(degrees) * 3.141592653589793 / 180;
}

CImageRotator::CImageRotator(double dRadians) : CImage32BitProcessor(0)
{
    if (std::isfinite(dRadians)) {
        if (std::fabs(dRadians) > kTwoPi * kLargeTurns)
            dRadians = std::fmod(dRadians, kTwoPi);
        while (dRadians >= kTwoPi)
            dRadians -= kTwoPi;
        while (dRadians <= 0)
            dRadians += kTwoPi;
    }
    m_dAngle = dRadians;
}

CSize CImageRotator::CalcDestSize(CSize sizeSrc) const
{
    if (m_dAngle == 0 || sizeSrc.cx == 0 || sizeSrc.cy == 0)
        return sizeSrc;
    const double c = std::cos(m_dAngle);
    const double s = std::sin(m_dAngle);
    const double w = sizeSrc.cx;
    const double h = sizeSrc.cy;
    // The four corners give x' = +-(wC/2 + hS/2) or +-(wC/2 - hS/2) and
    // y' = +-(-wS/2 + hC/2) or +-(wS/2 + hC/2); negation is exact.
    const double wc = (w * c) * 0.5;
    const double hs = (h * s) * 0.5;
    const double ws = (w * s) * 0.5;
    const double hc = (h * c) * 0.5;
    const long long x1 = std::llabs(static_cast<long long>(SaturateSide(wc + hs)));
    const long long x2 = std::llabs(static_cast<long long>(SaturateSide(wc - hs)));
    const long long y1 = std::llabs(static_cast<long long>(SaturateSide(-ws + hc)));
    const long long y2 = std::llabs(static_cast<long long>(SaturateSide(ws + hc)));
    const long long maxX = x1 > x2 ? x1 : x2;
    const long long maxY = y1 > y2 ? y1 : y2;
    return CSize(SaturateSide(2 * maxX + 2), SaturateSide(2 * maxY + 2));
}

BOOL CImageRotator::ProcessPixels(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const
{
    if (m_dAngle == 0)
        return CImage32BitProcessor::ProcessPixels(pSrc, sizeSrc, pDst, sizeDst);
    return ProcessRowBand(pSrc, sizeSrc, pDst, sizeDst, 0, sizeDst.cy);
}

BOOL CImageRotator::ProcessRowBand(const RGBX* pSrc, CSize sizeSrc, RGBX* pBand, CSize sizeDst, int first,
                                   int last) const
{
    RGBX* const pDst = pBand;
    if (!AreBuffersValid(pSrc, sizeSrc, pDst, sizeDst) || !std::isfinite(m_dAngle) || first < 0 || last > sizeDst.cy
        || first > last)
        return FALSE;
    if (m_dAngle == 0) {
        // The copy, row for row.
        for (int y = first; y < last; ++y)
            for (int x = 0; x < sizeDst.cx && y < sizeSrc.cy && x < sizeSrc.cx; ++x)
                pDst[static_cast<size_t>(y - first) * sizeDst.cx + x] = pSrc[static_cast<size_t>(y) * sizeSrc.cx + x];
        return TRUE;
    }

    const int width = sizeSrc.cx;
    const int height = sizeSrc.cy;
    const int destWidth = sizeDst.cx;
    const int destHeight = sizeDst.cy;
    const int hw = destWidth / 2 + destWidth % 2;
    const int hh = destHeight / 2 + destHeight % 2;
    const int hsw = width / 2 + width % 2;
    const int hsh = height / 2 + height % 2;
    const int left = -hsw;
    const int top = -hsh;
    const int right = width - 1 - hsw;
    const int bottom = height - 1 - hsh;
    const double c = std::cos(m_dAngle);
    const double s = std::sin(m_dAngle);

    // Rows are independent: each range of rows runs on its own.
    const RotationRows rows = { pSrc, width, height, pDst, first, destWidth, hw, hh,
                                hsw,  hsh,   left,   top,  right, bottom,    c,  s };
    if (!m_bSmooth) {
        CWorkerPool::Shared().ForRows(last - first,
                                      [&](int from, int to) { RotateRowsNearest(rows, first + from, first + to); });
        return TRUE;
    }
    WeightedBlend::WithBlender([&](auto blender) {
        CWorkerPool::Shared().ForRows(last - first,
                                      [&](int from, int to) { RotateRows(blender, rows, first + from, first + to); });
    });
    return TRUE;
}
