// CImageGrayer: integer grey-scale conversion.
#include "CImageGrayer.h"

#include "CWorkerPool.h"

#include <cstdint>
#include <cstring>

namespace {

// Pixels begin ... end - 1. Each pixel is read and written as two 16-bit
// halves (little-endian: blue and green in the first, red and the fourth
// byte in the second), which keeps the whole loop in 16-bit lanes when it is
// vectorised.
void GreyPixels(const unsigned char* pIn, unsigned char* pOut, size_t begin, size_t end)
{
    for (size_t i = begin; i < end; ++i) {
        std::uint16_t low, high;
        std::memcpy(&low, pIn + 4 * i, sizeof(low));
        std::memcpy(&high, pIn + 4 * i + 2, sizeof(high));
        const std::uint16_t blue = static_cast<std::uint16_t>(low & 0xFF);
        const std::uint16_t green = static_cast<std::uint16_t>(low >> 8);
        const std::uint16_t red = static_cast<std::uint16_t>(high & 0xFF);
        // At most 2550.
        const std::uint16_t weighted = static_cast<std::uint16_t>(3 * red + 6 * green + blue);
        // weighted * 6554 / 65536 exceeds weighted / 10 by less than
        // 2550 * 0.0000062, so truncating both gives the same integer.
        const std::uint16_t gray = static_cast<std::uint16_t>((static_cast<std::uint32_t>(weighted) * 6554u) >> 16);
        const std::uint16_t blueGreen = static_cast<std::uint16_t>(gray * 0x0101);
        std::memcpy(pOut + 4 * i, &blueGreen, sizeof(blueGreen));
        std::memcpy(pOut + 4 * i + 2, &gray, sizeof(gray));
    }
}

} // namespace

CImageGrayer::CImageGrayer() : CImage32BitProcessor(0)
{
}

BOOL CImageGrayer::ProcessPixels(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const
{
    if (!AreBuffersValid(pSrc, sizeSrc, pDst, sizeDst) || sizeSrc != sizeDst)
        return FALSE;
    const unsigned char* pIn = reinterpret_cast<const unsigned char*>(pSrc);
    unsigned char* pOut = reinterpret_cast<unsigned char*>(pDst);
    const size_t width = static_cast<size_t>(sizeSrc.cx);
    CWorkerPool::Shared().ForRows(sizeSrc.cy, [&](int first, int last) {
        GreyPixels(pIn, pOut, static_cast<size_t>(first) * width, static_cast<size_t>(last) * width);
    });
    return TRUE;
}
