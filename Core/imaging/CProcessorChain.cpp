// CProcessorChain: the size pass, the two working buffers and the stage loop.
#include "CProcessorChain.h"

#include "CWorkerPool.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

namespace {

size_t PixelCount(CSize size)
{
    return static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy);
}

// A working buffer of count pixels from an array new-expression, so that
// the array delete of std::unique_ptr<RGBX[]> releases it as the language
// requires; null when it cannot be had. RGBX's constructor zeroes the
// pixels; the chain fills a destination with the background before a stage
// writes it.
std::unique_ptr<RGBX[]> NewWorkingBuffer(size_t count)
{
    return std::unique_ptr<RGBX[]>(new (std::nothrow) RGBX[count]);
}

// Sets count bytes at pBytes to value, split over the worker pool.
void ParallelByteFill(void* pBytes, int value, size_t count)
{
    const size_t block = size_t(1) << 20;
    // At most 32767 * 32767 * 4 bytes: a few thousand blocks.
    const size_t blocks = (count + block - 1) / block;
    CWorkerPool::Shared().ForRows(static_cast<int>(blocks), [&](int first, int last) {
        const size_t begin = static_cast<size_t>(first) * block;
        const size_t end = static_cast<size_t>(last) * block < count ? static_cast<size_t>(last) * block : count;
        std::memset(static_cast<unsigned char*>(pBytes) + begin, value, end - begin);
    });
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
        ParallelByteFill(pBuffer, 0xFF, width * height * sizeof(RGBX));
        return TRUE;
    }
    if (clr == 0)
    {
        ParallelByteFill(pBuffer, 0, width * height * sizeof(RGBX));
        return TRUE;
    }
    // The first row by doubling copies, then every other row as a copy of it
    // (the rows split over the worker pool).
    pBuffer[0] = RGBX::FromColor(clr);
    for (size_t s = 1; s <= width; s *= 2)
        std::memcpy(pBuffer + s, pBuffer, (width - s < s ? width - s : s) * sizeof(RGBX));
    CWorkerPool::Shared().ForRows(size.cy - 1, [&](int first, int last) {
        for (int y = first + 1; y < last + 1; ++y)
            std::memcpy(static_cast<void*>(pBuffer + static_cast<size_t>(y) * width), pBuffer, width * sizeof(RGBX));
    });
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

    // Two buffers that trade places after every stage: the destination of
    // one stage is the source of the next, so no stage output is copied. A
    // buffer is replaced only when a stage's output does not fit it, by one
    // large enough for every later output; before each stage the background
    // is filled over exactly its output size, so the stage starts on a
    // destination holding only background.
    size_t largestOutput = 0;
    for (INT_PTR i = 0; i < count; ++i)
        largestOutput = PixelCount(sizes[i + 1]) > largestOutput ? PixelCount(sizes[i + 1]) : largestOutput;
    std::unique_ptr<RGBX[]> pDest = NewWorkingBuffer(largestOutput);
    if (!pDest)
        return FALSE;
    size_t destCapacity = largestOutput;
    std::unique_ptr<RGBX[]> pWork = std::move(pSource);
    size_t workCapacity = PixelCount(sizeSource);
    for (INT_PTR i = 0; i < count; ++i)
    {
        if (i > 0)
        {
            std::swap(pWork, pDest);
            std::swap(workCapacity, destCapacity);
        }
        const size_t outputCount = PixelCount(sizes[i + 1]);
        if (destCapacity < outputCount)
        {
            size_t laterOutput = outputCount;
            for (INT_PTR k = i + 1; k < count; ++k)
                laterOutput = PixelCount(sizes[k + 1]) > laterOutput ? PixelCount(sizes[k + 1]) : laterOutput;
            pDest.reset();
            pDest = NewWorkingBuffer(laterOutput);
            if (!pDest)
                return FALSE;
            destCapacity = laterOutput;
        }
        Fill(pDest.get(), sizes[i + 1], clrBackground);
        if (!chain[i]->ProcessPixels(pWork.get(), sizes[i], pDest.get(), sizes[i + 1]))
            return FALSE;
    }

    pResult = std::move(pDest);
    sizeResult = sizes[count];
    return TRUE;
}
