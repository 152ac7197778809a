// CProcessorChain: the size pass, the two working buffers and the stage loop.
#include "CProcessorChain.h"

#include <cstdint>
#include <cstring>
#include <new>

namespace {

size_t PixelCount(CSize size)
{
    return static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy);
}

// A working buffer of count pixels from an array new-expression, so that
// the array delete of std::unique_ptr<RGBX[]> releases it as the language
// requires; null when it cannot be had. The pixels start zeroed by RGBX's
// constructor; the chain writes every pixel of a working buffer before any
// stage reads it.
std::unique_ptr<RGBX[]> NewWorkingBuffer(size_t count)
{
    return std::unique_ptr<RGBX[]>(new (std::nothrow) RGBX[count]);
}

} // namespace

BOOL CProcessorChain::Fill(RGBX* pBuffer, CSize size, DWORD clr)
{
    if (pBuffer == nullptr)
        return FALSE;
    if (size.cx <= 0 || size.cy <= 0)
        return TRUE;
    const size_t width = static_cast<size_t>(size.cx);
    const size_t height = static_cast<size_t>(size.cy);
    if (clr == 0xFFFFFFFF || clr == 0x00FFFFFF)
    {
        std::memset(static_cast<void*>(pBuffer), 0xFF, width * height * sizeof(RGBX));
        return TRUE;
    }
    if (clr == 0)
    {
        std::memset(static_cast<void*>(pBuffer), 0, width * height * sizeof(RGBX));
        return TRUE;
    }
    pBuffer[0] = RGBX::FromColor(clr);
    for (size_t s = 1; s <= width; s *= 2)
        std::memcpy(pBuffer + s, pBuffer, (width - s < s ? width - s : s) * sizeof(RGBX));
    for (size_t s = 1; s <= height; s *= 2)
        std::memcpy(pBuffer + s * width, pBuffer, (height - s < s ? height - s : s) * width * sizeof(RGBX));
    return TRUE;
}

BOOL CProcessorChain::Run(const CProcessorArray& chain, std::unique_ptr<RGBX[]> pSource, CSize sizeSource,
                          DWORD clrBackground, std::unique_ptr<RGBX[]>& pResult, CSize& sizeResult)
{
    if (!pSource || !CImage32BitProcessor::IsValidSize(sizeSource))
        return FALSE;
    const INT_PTR count = chain.GetSize();
    if (count == 0)
    {
        pResult = std::move(pSource);
        sizeResult = sizeSource;
        return TRUE;
    }

    // Size pass: sizes[i] is the input of stage i, sizes[count] the result.
    std::unique_ptr<CSize[]> sizes(new (std::nothrow) CSize[static_cast<size_t>(count) + 1]);
    if (!sizes)
        return FALSE;
    sizes[0] = sizeSource;
    LONG maxWidth = sizeSource.cx;
    LONG maxHeight = sizeSource.cy;
    for (INT_PTR i = 0; i < count; ++i)
    {
        const CImage32BitProcessor* pProcessor = chain[i];
        if (pProcessor == nullptr)
            return FALSE;
        const CSize next = pProcessor->CalcDestSize(sizes[i]);
        if (!CImage32BitProcessor::IsValidSize(next))
            return FALSE;
        sizes[i + 1] = next;
        maxWidth = next.cx > maxWidth ? next.cx : maxWidth;
        maxHeight = next.cy > maxHeight ? next.cy : maxHeight;
    }
    const std::uint64_t maxPixels = static_cast<std::uint64_t>(maxWidth) * static_cast<std::uint64_t>(maxHeight);
    if (maxPixels > SIZE_MAX / sizeof(RGBX))
        return FALSE;

    // Fill sets every pixel of the destination.
    std::unique_ptr<RGBX[]> pDest = NewWorkingBuffer(static_cast<size_t>(maxPixels));
    if (!pDest)
        return FALSE;
    Fill(pDest.get(), CSize(maxWidth, maxHeight), clrBackground);

    std::unique_ptr<RGBX[]> pWork = std::move(pSource);
    for (INT_PTR i = 0; i < count; ++i)
    {
        const CSize current = sizes[i];
        if (i > 0)
        {
            const CSize previous = sizes[i - 1];
            if (previous.cx < current.cx || previous.cy < current.cy)
            {
                // A new source of exactly current.cx * current.cy pixels. Its
                // pixels are not zeroed: the copy below sets all of them
                // before the stage reads any, and a stage reads only those.
                pWork.reset();
                pWork = NewWorkingBuffer(PixelCount(current));
                if (!pWork)
                    return FALSE;
            }
            std::memcpy(pWork.get(), pDest.get(), PixelCount(current) * sizeof(RGBX));
            Fill(pDest.get(), current, clrBackground);
        }
        if (!chain[i]->ProcessPixels(pWork.get(), current, pDest.get(), sizes[i + 1]))
            return FALSE;
    }

    pResult = std::move(pDest);
    sizeResult = sizes[count];
    return TRUE;
}
