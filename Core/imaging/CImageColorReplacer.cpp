// CImageColorReplacer: exact-match colour replacement.
#include "CImageColorReplacer.h"

#include "CWorkerPool.h"
#include "PixelWords.h"

#include <cstdint>

namespace {

// Pixels begin ... end - 1, whole pixels as 32-bit words: a masked compare of
// the three colour bytes and a select between the replacement and the
// source word.
void ReplacePixels(const RGBX* pSrc, RGBX* pDst, size_t begin, size_t end, std::uint32_t fromWord, std::uint32_t toWord)
{
    const std::uint32_t colourMask = PixelWords::ColourMask();
    for (size_t i = begin; i < end; ++i) {
        const std::uint32_t src = PixelWords::Read(pSrc + i);
        PixelWords::Write(pDst + i, (src & colourMask) == fromWord ? toWord : src);
    }
}

} // namespace

CImageColorReplacer::CImageColorReplacer(COLORREF clrFrom, COLORREF clrTo)
    : CImage32BitProcessor(0), m_clrFrom(clrFrom), m_clrTo(clrTo)
{
}

BOOL CImageColorReplacer::ProcessPixels(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const
{
    if (m_clrFrom == m_clrTo)
        return CImage32BitProcessor::ProcessPixels(pSrc, sizeSrc, pDst, sizeDst);
    if (!AreBuffersValid(pSrc, sizeSrc, pDst, sizeDst) || sizeSrc != sizeDst)
        return FALSE;
    const RGBX from = RGBX::FromColor(m_clrFrom);
    const RGBX to = RGBX::FromColor(m_clrTo);
    const std::uint32_t fromWord = PixelWords::Read(&from);
    const std::uint32_t toWord = PixelWords::Read(&to);
    const size_t width = static_cast<size_t>(sizeSrc.cx);
    CWorkerPool::Shared().ForRows(sizeSrc.cy, [&](int first, int last) {
        ReplacePixels(pSrc, pDst, static_cast<size_t>(first) * width, static_cast<size_t>(last) * width, fromWord,
                      toWord);
    });
    return TRUE;
}
