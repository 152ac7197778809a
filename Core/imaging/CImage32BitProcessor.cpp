// CImage32BitProcessor: size rule, plain copy and weighted sampling shared by
// all processors.
#include "CImage32BitProcessor.h"

#include "CWorkerPool.h"
#include "PixelWords.h"
#include "WeightedBlend.h"

#include <cstdint>
#include <cstring>
#include <limits>

CImage32BitProcessor::CImage32BitProcessor(int bSmooth) : m_bSmooth(bSmooth)
{
}

CImage32BitProcessor::~CImage32BitProcessor()
{
}

CSize CImage32BitProcessor::CalcDestSize(CSize sizeSrc) const
{
    return sizeSrc;
}

BOOL CImage32BitProcessor::ProcessPixels(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const
{
    if (!AreBuffersValid(pSrc, sizeSrc, pDst, sizeDst) || sizeSrc != sizeDst)
        return FALSE;
    const size_t width = static_cast<size_t>(sizeDst.cx);
    CWorkerPool::Shared().ForRows(sizeDst.cy, [&](int first, int last) {
        std::memcpy(static_cast<void*>(pDst + first * width), pSrc + first * width,
                    static_cast<size_t>(last - first) * width * sizeof(RGBX));
    });
    return TRUE;
}

RGBX CImage32BitProcessor::CalcWeightedColor(const RGBX* pSrc, CSize sizeSrc, double u, double v) const
{
    const int width = sizeSrc.cx;
    const int height = sizeSrc.cy;
    if (pSrc == nullptr || width <= 0 || height <= 0)
        return RGBX();
    if (!(u < width))
        u = width - 1;
    if (!(v < height))
        v = height - 1;

    if (u < 0 || v < 0) {
        const int cu = u < 0 ? 0 : static_cast<int>(u);
        const int cv = v < 0 ? 0 : static_cast<int>(v);
        return pSrc[static_cast<size_t>(cv) * width + cu];
    }

    const std::uint32_t word = WeightedBlend::At(WeightedBlend::ScalarBlender(), pSrc, width, height, u, v);
    RGBX result;
    PixelWords::Write(&result, word);
    return result;
}

BOOL CImage32BitProcessor::IsValidSize(CSize size)
{
    return size.cx >= 0 && size.cx <= MAX_SIDE && size.cy >= 0 && size.cy <= MAX_SIDE;
}

BOOL CImage32BitProcessor::AreBuffersValid(const RGBX* pSrc, CSize sizeSrc, const RGBX* pDst, CSize sizeDst)
{
    return pSrc != nullptr && pDst != nullptr && IsValidSize(sizeSrc) && IsValidSize(sizeDst);
}

namespace {

const LONG kLongMax = std::numeric_limits<LONG>::max();
const LONG kLongMin = std::numeric_limits<LONG>::min();

} // namespace

LONG CImage32BitProcessor::SaturateSide(double value)
{
    if (!(value < 2147483648.0))
        return kLongMax;
    if (value <= -2147483649.0)
        return kLongMin;
    return static_cast<LONG>(value);
}

LONG CImage32BitProcessor::SaturateSide(long long value)
{
    if (value > kLongMax)
        return kLongMax;
    if (value < kLongMin)
        return kLongMin;
    return static_cast<LONG>(value);
}
