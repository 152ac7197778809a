// CImageShearer: shear by inverse mapping with per-row and per-column shifts.
#include "CImageShearer.h"

#include "CWorkerPool.h"
#include "PixelWords.h"
#include "WeightedBlend.h"

#include <cmath>
#include <cstdlib>
#include <memory>
#include <new>

namespace {

// What the rows of one shear share (see ProcessPixels).
struct ShearRows
{
    const RGBX* pSrc;
    int width, height;
    RGBX* pDst;
    int destWidth;
    const double* pHorizontalShift; // per destination row
    const double* pVerticalShift;   // per destination column
    bool smooth;
    bool horizontalOnly; // no vertical amount: every pVerticalShift is 0

    // Destination rows first ... last - 1.
    template <class Blender>
    static void Run(Blender blender, const ShearRows rows, int first, int last)
    {
        for (int j = first; j < last; ++j) {
            RGBX* pRow = rows.pDst + static_cast<size_t>(j) * rows.destWidth;
            int runFirst = 0, runLast = 0;
            if (rows.smooth && rows.horizontalOnly && j < rows.height)
                runLast = BlendInteriorRun(blender, rows, j, pRow, runFirst);
            for (int i = 0; i < runFirst; ++i)
                Pixel(blender, rows, j, i, pRow);
            for (int i = runLast > runFirst ? runLast : 0; i < rows.destWidth; ++i)
                Pixel(blender, rows, j, i, pRow);
        }
    }

    // One destination pixel (i, j).
    template <class Blender>
    static void Pixel(Blender blender, const ShearRows& rows, int j, int i, RGBX* pRow)
    {
        const int width = rows.width;
        const int height = rows.height;
        const double sx = i - rows.pHorizontalShift[j];
        const double sy = j - rows.pVerticalShift[i];
        // trunc(sx) lies in 0 ... W - 1 exactly when -1 < sx < W; testing the
        // doubles keeps the truncation in range for any amount.
        if (!(sx > -1.0 && sx < width && sy > -1.0 && sy < height))
            return;
        if (!rows.smooth)
            PixelWords::Write(pRow + i, PixelWords::Read(rows.pSrc + static_cast<size_t>(static_cast<int>(sy)) * width
                                                         + static_cast<int>(sx)));
        else if (sx >= 0 && sy >= 0)
            PixelWords::Write(pRow + i, WeightedBlend::At(blender, rows.pSrc, width, height, sx, sy));
        else
            pRow[i] = CImage32BitProcessor().CalcWeightedColor(rows.pSrc, CSize(width, height), sx, sy);
    }

    // Without a vertical amount the points of source row j (< H) are
    // (i - shift, j): the columns i whose i - shift lies in 0 ... W - 1 (W - 1
    // excluded) form one run that reads no column twice. Blends that run,
    // sets runFirst to its start and returns its end.
    template <class Blender>
    static int BlendInteriorRun(Blender blender, const ShearRows& rows, int j, RGBX* pRow, int& runFirst)
    {
        const double shift = rows.pHorizontalShift[j];
        runFirst = FirstColumnAtLeast(shift, 0.0, rows.destWidth);
        const int runLast = FirstColumnAtLeast(shift, rows.width - 1.0, rows.destWidth);
        if (runFirst < runLast) {
            const RGBX* pSourceRow = rows.pSrc + static_cast<size_t>(j) * rows.width;
            const RGBX* pNextRow = j + 1 < rows.height ? pSourceRow + rows.width : pSourceRow;
            // sy = j - 0: dv = 0 and restV = 1, as the weighted colour forms them.
            const double sy = j - 0.0;
            const double dv = sy - j;
            WeightedBlend::ShiftedRun(blender, pSourceRow, pNextRow, shift, 1 - dv, dv, runFirst, runLast, pRow);
        }
        return runLast;
    }

    // The first column i in 0 ... count with i - shift >= bound (count when
    // none); i - shift never decreases as i grows.
    static int FirstColumnAtLeast(double shift, double bound, int count)
    {
        const double guess = std::ceil(shift + bound);
        int i = guess < 0 ? 0 : guess > count ? count : static_cast<int>(guess);
        while (i > 0 && (i - 1) - shift >= bound)
            --i;
        while (i < count && i - shift < bound)
            ++i;
        return i;
    }
};

} // namespace

CImageShearer::CImageShearer(int nShearX, int nShearY, int bSmooth)
    : CImage32BitProcessor(bSmooth), m_nShearX(nShearX), m_nShearY(nShearY)
{
}

CSize CImageShearer::CalcDestSize(CSize sizeSrc) const
{
    const long long width = static_cast<long long>(sizeSrc.cx) + std::llabs(static_cast<long long>(m_nShearX));
    const long long height = static_cast<long long>(sizeSrc.cy) + std::llabs(static_cast<long long>(m_nShearY));
    return CSize(SaturateSide(width), SaturateSide(height));
}

BOOL CImageShearer::ProcessPixels(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const
{
    if (m_nShearX == 0 && m_nShearY == 0)
        return CImage32BitProcessor::ProcessPixels(pSrc, sizeSrc, pDst, sizeDst);
    if (!AreBuffersValid(pSrc, sizeSrc, pDst, sizeDst))
        return FALSE;

    const int width = sizeSrc.cx;
    const int height = sizeSrc.cy;
    // A source without rows or columns has no pixel to sample.
    if (width == 0 || height == 0)
        return TRUE;
    const int destWidth = sizeDst.cx;
    const int destHeight = sizeDst.cy;
    const long long shearX = m_nShearX;
    const long long shearY = m_nShearY;

    // The shifts depend on the column or the row alone: computed once each.
    std::unique_ptr<double[]> verticalShift(new (std::nothrow) double[static_cast<size_t>(destWidth) + 1]);
    std::unique_ptr<double[]> horizontalShift(new (std::nothrow) double[static_cast<size_t>(destHeight) + 1]);
    if (!verticalShift || !horizontalShift)
        return FALSE;
    for (int i = 0; i < destWidth; ++i) {
        if (shearY > 0)
            verticalShift[i] = static_cast<double>(shearY * i) / destWidth;
        else if (shearY < 0)
            verticalShift[i] = static_cast<double>((destWidth - i) * -shearY) / destWidth;
        else
            verticalShift[i] = 0;
    }
    for (int j = 0; j < destHeight; ++j) {
        if (shearX < 0)
            horizontalShift[j] = static_cast<double>(-shearX * j) / destHeight;
        else if (shearX > 0)
            horizontalShift[j] = static_cast<double>((destHeight - j) * shearX) / destHeight;
        else
            horizontalShift[j] = 0;
    }

    const ShearRows rows = {
        pSrc, width, height, pDst, destWidth, horizontalShift.get(), verticalShift.get(), m_bSmooth != 0, shearY == 0
    };
    WeightedBlend::WithBlender([&](auto blender) {
        CWorkerPool::Shared().ForRows(destHeight,
                                      [&](int first, int last) { ShearRows::Run(blender, rows, first, last); });
    });
    return TRUE;
}
