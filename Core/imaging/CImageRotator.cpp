// CImageRotator: rotation by inverse mapping of every destination pixel.
#include "CImageRotator.h"

#include "CWorkerPool.h"
#include "PixelWords.h"
#include "WeightedBlend.h"

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <new>

namespace {

const double kTwoPi = 6.283185307179586;
// Angles beyond this many turns are reduced with fmod before the loops.
const double kLargeTurns = 1048576.0;

// What the rows of one rotation share (see ProcessPixels).
struct RotationRows
{
    const RGBX* pSrc;
    int width, height;
    RGBX* pDst;
    int destWidth;
    int hw, hh, hsw, hsh;
    int left, top, right, bottom;
    double c, s;
    bool smooth;
};

// Destination rows first ... last - 1, with pTrack of 4 * destWidth doubles.
// The repeated additions of two rows are interleaved into row arrays first
// (four independent chains instead of two), then both rows are sampled.
template <class Blender>
void RotateRows(Blender blender, const RotationRows rows, int first, int last, double* pTrack)
{
    const int destWidth = rows.destWidth;
    const double c = rows.c;
    const double s = rows.s;
    double* const pTrackX = pTrack;
    double* const pTrackY = pTrack + 2 * static_cast<size_t>(destWidth);
    const CSize sizeSrc(rows.width, rows.height);
    const CImage32BitProcessor sampler;
    for (int i = first; i < last; i += 2)
    {
        const int yy0 = i - rows.hh;
        const int yy1 = yy0 + 1;
        double sx0 = yy0 * s - rows.hw * c, sy0 = yy0 * c + rows.hw * s;
        double sx1 = yy1 * s - rows.hw * c, sy1 = yy1 * c + rows.hw * s;
        for (int j = 0; j < destWidth; ++j)
        {
            sx0 += c;
            sy0 -= s;
            sx1 += c;
            sy1 -= s;
            pTrackX[2 * j] = sx0;
            pTrackY[2 * j] = sy0;
            pTrackX[2 * j + 1] = sx1;
            pTrackY[2 * j + 1] = sy1;
        }
        const int count = last - i < 2 ? 1 : 2;
        for (int r = 0; r < count; ++r)
        {
            RGBX* pRow = rows.pDst + static_cast<size_t>(i + r) * destWidth;
            for (int j = 0; j < destWidth; ++j)
            {
                const double sx = pTrackX[2 * j + r];
                const double sy = pTrackY[2 * j + r];
                // |sx| and |sy| stay below 3 * MAX_SIDE, so the truncations fit an int.
                const int px = static_cast<int>(sx);
                const int py = static_cast<int>(sy);
                if (px < rows.left || px >= rows.right || py < rows.top || py >= rows.bottom)
                    continue;
                if (!rows.smooth)
                {
                    PixelWords::Write(pRow + j, PixelWords::Read(rows.pSrc + static_cast<size_t>(py + rows.hsh) * rows.width +
                                                                 (px + rows.hsw)));
                    continue;
                }
                const double u = rows.hsw + sx;
                const double v = rows.hsh + sy;
                if (u >= 0 && v >= 0 && u < rows.width && v < rows.height)
                    PixelWords::Write(pRow + j, WeightedBlend::At(blender, rows.pSrc, rows.width, rows.height, u, v));
                else
                    pRow[j] = sampler.CalcWeightedColor(rows.pSrc, sizeSrc, u, v);
            }
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
    if (std::isfinite(dRadians))
    {
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
    if (!AreBuffersValid(pSrc, sizeSrc, pDst, sizeDst) || !std::isfinite(m_dAngle))
        return FALSE;

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
    const RotationRows rows = {pSrc,  width,      height, pDst,  destWidth,     hw,  hh, hsw,
                               hsh,   left,       top,    right, bottom,        c,   s,  m_bSmooth != 0};
    std::atomic<bool> failed(false);
    WeightedBlend::WithBlender([&](auto blender) {
        CWorkerPool::Shared().ForRows(destHeight, [&](int first, int last) {
            std::unique_ptr<double[]> track(new (std::nothrow) double[4 * static_cast<size_t>(destWidth)]);
            if (!track)
                failed = true;
            else
                RotateRows(blender, rows, first, last, track.get());
        });
    });
    return failed ? FALSE : TRUE;
}
