// CImage32BitProcessor: size rule, plain copy and weighted sampling shared by
// all processors.
#include "CImage32BitProcessor.h"

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
    std::memcpy(pDst, pSrc, static_cast<size_t>(sizeDst.cx) * static_cast<size_t>(sizeDst.cy) * sizeof(RGBX));
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

    if (u < 0 || v < 0)
    {
        const int cu = u < 0 ? 0 : static_cast<int>(u);
        const int cv = v < 0 ? 0 : static_cast<int>(v);
        return pSrc[static_cast<size_t>(cv) * width + cu];
    }

    const int cu = static_cast<int>(u);
    const int cv = static_cast<int>(v);
    const double du = u - cu;
    const double dv = v - cv;
    const RGBX& p00 = pSrc[static_cast<size_t>(cv) * width + cu];
    const RGBX& p10 = pSrc[static_cast<size_t>(cv) * width + (cu + 1 < width ? cu + 1 : width - 1)];
    const RGBX& p01 = pSrc[static_cast<size_t>(cv + 1 < height ? cv + 1 : height - 1) * width + cu];

    RGBX result;
    result.r = static_cast<BYTE>(static_cast<int>(0.5 * (du * p10.r + (1 - du) * p00.r + (1 - dv) * p00.r + dv * p01.r)));
    result.g = static_cast<BYTE>(static_cast<int>(0.5 * (du * p10.g + (1 - du) * p00.g + (1 - dv) * p00.g + dv * p01.g)));
    result.b = static_cast<BYTE>(static_cast<int>(0.5 * (du * p10.b + (1 - du) * p00.b + (1 - dv) * p00.b + dv * p01.b)));
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
