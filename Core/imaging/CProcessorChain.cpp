// CProcessorChain: the size pass, the stage buffers and the stage loop.
#include "CProcessorChain.h"

#include "CWorkerPool.h"
#include "RowBands.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#ifdef __linux__
#  include <sys/mman.h>
#endif

namespace {

size_t PixelCount(CSize size)
{
    return static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy);
}

// The result buffer of count pixels, from an array new-expression so that
// the caller's array delete releases it as the language requires; null when
// it cannot be had. RGBX's constructor zeroes the pixels; the chain then
// fills them with the background before the last stage writes them.
std::unique_ptr<RGBX[]> NewWorkingBuffer(size_t count)
{
    return std::unique_ptr<RGBX[]>(new (std::nothrow) RGBX[count]);
}

// A scratch buffer between stages: plain storage (the chain fills every
// pixel of it that a stage reads or writes before that stage runs), so its
// memory is touched only as far as the stages use it. On Linux a large one
// is aligned to and advised for 2 MB pages, which makes its first touch far
// cheaper than one page fault per 4 KB.
struct ScratchDeleter
{
    void operator()(RGBX* pBuffer) const { std::free(pBuffer); }
};
typedef std::unique_ptr<RGBX[], ScratchDeleter> ScratchBuffer;

ScratchBuffer NewScratchBuffer(size_t count)
{
    if (count > SIZE_MAX / sizeof(RGBX))
        return ScratchBuffer();
    const size_t bytes = count * sizeof(RGBX);
#ifdef __linux__
    const size_t largePage = size_t(2) << 20;
    if (bytes >= largePage) {
        const size_t rounded = (bytes + largePage - 1) / largePage * largePage;
        void* pMemory = nullptr;
        if (posix_memalign(&pMemory, largePage, rounded) != 0)
            return ScratchBuffer();
        madvise(pMemory, rounded, MADV_HUGEPAGE);
        return ScratchBuffer(static_cast<RGBX*>(pMemory));
    }
#endif
    return ScratchBuffer(static_cast<RGBX*>(std::malloc(bytes > 0 ? bytes : 1)));
}

// Rows of the middle picture in one band when two stages run band by band,
// and the least middle picture (pixels, 4 MB) that is run in bands at all.
const int kBandRows = 128;
const size_t kBandsFrom = size_t(1) << 20;

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
    if (clr == 0xFFFFFFFF || clr == 0x00FFFFFF) {
        ParallelByteFill(pBuffer, 0xFF, width * height * sizeof(RGBX));
        return TRUE;
    }
    if (clr == 0) {
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
    if (chain.GetSize() == 0) {
        pResult = std::move(pSource);
        sizeResult = sizeSource;
        return TRUE;
    }
    const RGBX* pPixels = pSource.get();
    return RunStages(chain, pPixels, &pSource, sizeSource, clrBackground, pResult, sizeResult);
}

BOOL CProcessorChain::Run(const CProcessorArray& chain, const RGBX* pSource, CSize sizeSource, DWORD clrBackground,
                          std::unique_ptr<RGBX[]>& pResult, CSize& sizeResult)
{
    if (pSource == nullptr || !CImage32BitProcessor::IsValidSize(sizeSource))
        return FALSE;
    if (chain.GetSize() == 0) {
        const size_t count = PixelCount(sizeSource);
        std::unique_ptr<RGBX[]> pCopy = NewWorkingBuffer(count > 0 ? count : 1);
        if (!pCopy)
            return FALSE;
        std::memcpy(static_cast<void*>(pCopy.get()), pSource, count * sizeof(RGBX));
        pResult = std::move(pCopy);
        sizeResult = sizeSource;
        return TRUE;
    }
    return RunStages(chain, pSource, nullptr, sizeSource, clrBackground, pResult, sizeResult);
}

BOOL CProcessorChain::RunStages(const CProcessorArray& chain, const RGBX* pSource,
                                std::unique_ptr<RGBX[]>* pOwnedSource, CSize sizeSource, DWORD clrBackground,
                                std::unique_ptr<RGBX[]>& pResult, CSize& sizeResult)
{
    const INT_PTR count = chain.GetSize();

    // Size pass: sizes[i] is the input of stage i, sizes[count] the result.
    std::unique_ptr<CSize[]> sizes(new (std::nothrow) CSize[static_cast<size_t>(count) + 1]);
    if (!sizes)
        return FALSE;
    sizes[0] = sizeSource;
    LONG maxWidth = sizeSource.cx;
    LONG maxHeight = sizeSource.cy;
    for (INT_PTR i = 0; i < count; ++i) {
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

    // Pairs run band by band: a stage that writes row bands followed by one
    // that reads them (a rotation shrunk next); the first one's output is
    // never held whole, only a band of it. A middle picture below
    // kBandsFrom pixels runs whole: the memory saved would be small, and
    // the bands cost a little time each.
    std::unique_ptr<bool[]> fused(new (std::nothrow) bool[static_cast<size_t>(count)]());
    if (!fused)
        return FALSE;
    for (INT_PTR i = 0; i + 1 < count; ++i) {
        const IRowBandReader* pReader = dynamic_cast<const IRowBandReader*>(chain[i + 1]);
        fused[i] = (i == 0 || !fused[i - 1]) && PixelCount(sizes[i + 1]) >= kBandsFrom
                   && sizes[i + 1].cy > 2 * kBandRows && dynamic_cast<const IRowBandWriter*>(chain[i]) != nullptr
                   && pReader != nullptr && pReader->ReadsRowBands(sizes[i + 1], sizes[i + 2]);
    }

    // Buffers: stage 0 reads the caller's source, which (when the chain owns
    // it) goes as soon as that stage is done; the outputs before the last
    // (but those of fused stages) go alternately into two scratch buffers,
    // each allocated once at the largest output it takes and released after
    // its last use; the last stage writes into the result buffer of exactly
    // its output size. Before each stage the background is filled over
    // exactly its output size, so every stage starts on a destination
    // holding only background, and no output is ever copied.
    const int kFinal = 2;
    const int kNone = -1;
    std::unique_ptr<int[]> slots(new (std::nothrow) int[static_cast<size_t>(count)]);
    if (!slots)
        return FALSE;
    size_t scratchNeeded[2] = { 1, 1 };
    INT_PTR lastWrite[2] = { -1, -1 };
    int outputs = 0;
    for (INT_PTR i = 0; i < count; ++i) {
        if (fused[i])
            slots[i] = kNone;
        else if (i + 1 == count)
            slots[i] = kFinal;
        else {
            const int slot = outputs++ % 2;
            slots[i] = slot;
            const size_t output = PixelCount(sizes[i + 1]);
            scratchNeeded[slot] = output > scratchNeeded[slot] ? output : scratchNeeded[slot];
            lastWrite[slot] = i;
        }
    }
    ScratchBuffer scratch[2];
    std::unique_ptr<RGBX[]> pFinal;
    const RGBX* pInput = pSource;
    int inputSlot = kNone;
    for (INT_PTR i = 0; i < count; ++i) {
        // The stage that writes the output: i itself, or the next one when i
        // is fused into it.
        const INT_PTR writer = fused[i] ? i + 1 : i;
        RGBX* pOutput = nullptr;
        if (slots[writer] == kFinal) {
            const size_t output = PixelCount(sizes[count]);
            pFinal = NewWorkingBuffer(output > 0 ? output : 1);
            pOutput = pFinal.get();
        } else {
            ScratchBuffer& buffer = scratch[slots[writer]];
            if (!buffer)
                buffer = NewScratchBuffer(scratchNeeded[slots[writer]]);
            pOutput = buffer.get();
        }
        if (pOutput == nullptr)
            return FALSE;
        Fill(pOutput, sizes[writer + 1], clrBackground);
        const BOOL bDone = fused[i] ? RunBands(*dynamic_cast<const IRowBandWriter*>(chain[i]),
                                               *dynamic_cast<const IRowBandReader*>(chain[i + 1]), pInput, sizes[i],
                                               sizes[i + 1], pOutput, sizes[i + 2], clrBackground)
                                    : chain[i]->ProcessPixels(pInput, sizes[i], pOutput, sizes[i + 1]);
        if (!bDone)
            return FALSE;
        // The buffer this stage read goes once no later stage writes it.
        if (inputSlot == kNone && pOwnedSource != nullptr)
            pOwnedSource->reset();
        else if (inputSlot != kNone && lastWrite[inputSlot] < writer)
            scratch[inputSlot].reset();
        pInput = pOutput;
        inputSlot = slots[writer];
        i = writer;
    }

    pResult = std::move(pFinal);
    sizeResult = sizes[count];
    return TRUE;
}

BOOL CProcessorChain::RunBands(const IRowBandWriter& writer, const IRowBandReader& reader, const RGBX* pSource,
                               CSize sizeSource, CSize sizeMiddle, RGBX* pOutput, CSize sizeOutput, DWORD clrBackground)
{
    // Output rows in runs whose source rows make a band of about kBandRows
    // rows of the middle picture; a middle row two runs read is made twice.
    const int runRows =
        sizeMiddle.cy > 0 ? static_cast<int>(static_cast<long long>(sizeOutput.cy) * kBandRows / sizeMiddle.cy) : 1;
    const int step = runRows > 0 ? runRows : 1;
    int widestBand = 0;
    for (int first = 0; first < sizeOutput.cy; first += step) {
        int bandFirst = 0, bandLast = 0;
        reader.SourceRowsOf(sizeMiddle, sizeOutput, first, first + step < sizeOutput.cy ? first + step : sizeOutput.cy,
                            bandFirst, bandLast);
        widestBand = bandLast - bandFirst > widestBand ? bandLast - bandFirst : widestBand;
    }
    ScratchBuffer band = NewScratchBuffer(static_cast<size_t>(widestBand > 0 ? widestBand : 1)
                                          * static_cast<size_t>(sizeMiddle.cx > 0 ? sizeMiddle.cx : 1));
    if (!band)
        return FALSE;
    for (int first = 0; first < sizeOutput.cy; first += step) {
        const int last = first + step < sizeOutput.cy ? first + step : sizeOutput.cy;
        int bandFirst = 0, bandLast = 0;
        reader.SourceRowsOf(sizeMiddle, sizeOutput, first, last, bandFirst, bandLast);
        if (bandLast <= bandFirst)
            continue;
        Fill(band.get(), CSize(sizeMiddle.cx, bandLast - bandFirst), clrBackground);
        if (!writer.ProcessRowBand(pSource, sizeSource, band.get(), sizeMiddle, bandFirst, bandLast)
            || !reader.ProcessFromRowBand(band.get(), bandFirst, sizeMiddle, pOutput, sizeOutput, first, last))
            return FALSE;
    }
    return TRUE;
}
