// CImageNegator: colour inversion that keeps the destination's fourth byte.
// The rule itself is stated in the header; the imaging tests hold it
// written out pixel by pixel (tests/Core/imaging/ReferenceProcessors.cpp and
// the plain rules beside the tests) and compare this fast path with it at
// every thread count and vector level.
#include "CImageNegator.h"

#include "CWorkerPool.h"
#include "PixelWords.h"

#include <cstdint>

namespace {

// Pixels begin ... end - 1, whole pixels as 32-bit words: 255 - v is v ^ 0xFF
// for each colour byte, and the destination's fourth byte is written back as
// it was.
void NegatePixels(const RGBX* pSrc, RGBX* pDst, size_t begin, size_t end)
{
    const std::uint32_t colourMask = PixelWords::ColourMask();
    for (size_t i = begin; i < end; ++i)
        PixelWords::WriteColourKeepFourth(pDst + i, PixelWords::Read(pSrc + i) ^ colourMask, colourMask);
}

} // namespace

CImageNegator::CImageNegator() : CImage32BitProcessor(0)
{
}

BOOL CImageNegator::ProcessPixels(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const
{
    if (!AreBuffersValid(pSrc, sizeSrc, pDst, sizeDst) || sizeSrc != sizeDst)
        return FALSE;
    const size_t width = static_cast<size_t>(sizeSrc.cx);
    CWorkerPool::Shared().ForRows(sizeSrc.cy, [&](int first, int last) {
        NegatePixels(pSrc, pDst, static_cast<size_t>(first) * width, static_cast<size_t>(last) * width);
    });
    return TRUE;
}
