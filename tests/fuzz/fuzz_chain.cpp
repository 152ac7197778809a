// Fuzz target for the processor chain: random small pictures through random
// chains of processors with random parameters, extreme values included.
// Checks that nothing crashes, that refused chains report FALSE and leave
// the result alone, and that results keep within the size limit.
#include "CImageBlurrer.h"
#include "CImageColorReplacer.h"
#include "CImageFlipper.h"
#include "CImageGrayer.h"
#include "CImageNegator.h"
#include "CImageResizer.h"
#include "CImageRotator.h"
#include "CImageShearer.h"
#include "CImageSharpener.h"
#include "CProcessorChain.h"
#include "CWorkerPool.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

namespace {

// Pictures are kept small, and chains whose working buffers would exceed
// this many pixels are not run: they are valid but slow, and prove nothing
// the smaller ones do not (every processor's edge rules show at a few pixels).
const int kMaxSide = 40;
const std::uint64_t kMaxWorkPixels = 1u << 11;
const int kMaxStages = 8;

int PickInt(FuzzedDataProvider& data)
{
    static const int special[] = {0, 1, -1, 2, 90, 180, 270, 359, 360, -360, 32767, -32767, 32768,
                                  2000000000, -2000000000, INT_MAX, INT_MIN};
    switch (data.ConsumeIntegralInRange<int>(0, 2))
    {
    case 0:
        return data.ConsumeIntegralInRange<int>(-64, 64);
    case 1:
        return data.PickValueInArray(special);
    default:
        return data.ConsumeIntegral<int>();
    }
}

double PickDouble(FuzzedDataProvider& data)
{
    static const double special[] = {0.0, -0.0, 1.0, -1.0, 0.5, 2.0, 1e-300, 1e300, 1000.0, 0.001,
                                     6.283185307179586, std::numeric_limits<double>::quiet_NaN(),
                                     std::numeric_limits<double>::infinity(),
                                     -std::numeric_limits<double>::infinity(),
                                     std::numeric_limits<double>::denorm_min()};
    switch (data.ConsumeIntegralInRange<int>(0, 2))
    {
    case 0:
        return data.ConsumeFloatingPointInRange<double>(0.01, 4.0);
    case 1:
        return data.PickValueInArray(special);
    default:
        return data.ConsumeFloatingPoint<double>();
    }
}

std::unique_ptr<CImage32BitProcessor> MakeProcessor(FuzzedDataProvider& data)
{
    switch (data.ConsumeIntegralInRange<int>(0, 10))
    {
    case 0:
        return std::unique_ptr<CImage32BitProcessor>(new CImageGrayer());
    case 1:
        return std::unique_ptr<CImage32BitProcessor>(new CImageNegator());
    case 2:
        return std::unique_ptr<CImage32BitProcessor>(new CImageFlipper(PickInt(data), PickInt(data)));
    case 3:
        return std::unique_ptr<CImage32BitProcessor>(
            new CImageColorReplacer(data.ConsumeIntegral<std::uint32_t>(), data.ConsumeIntegral<std::uint32_t>()));
    case 4:
        return std::unique_ptr<CImage32BitProcessor>(new CImageRotator(PickInt(data), PickInt(data)));
    case 5:
        return std::unique_ptr<CImage32BitProcessor>(new CImageRotator(PickDouble(data)));
    case 6:
        return std::unique_ptr<CImage32BitProcessor>(new CImageShearer(PickInt(data), PickInt(data), PickInt(data)));
    case 7:
        return std::unique_ptr<CImage32BitProcessor>(new CImageResizer(PickDouble(data)));
    case 8:
        return std::unique_ptr<CImage32BitProcessor>(new CImageBlurrer(PickInt(data)));
    case 9:
        return std::unique_ptr<CImage32BitProcessor>(new CImageSharpener(PickInt(data)));
    default:
        return std::unique_ptr<CImage32BitProcessor>(new CImage32BitProcessor(PickInt(data)));
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    CWorkerPool::Shared().SetThreadCount(1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, size_t size)
{
    FuzzedDataProvider data(bytes, size);
    const int width = data.ConsumeIntegralInRange<int>(0, kMaxSide);
    const int height = data.ConsumeIntegralInRange<int>(0, kMaxSide);
    const DWORD background = data.ConsumeIntegral<std::uint32_t>();

    std::vector<std::unique_ptr<CImage32BitProcessor>> processors;
    CProcessorArray chain;
    const int stages = data.ConsumeIntegralInRange<int>(0, kMaxStages);
    for (int i = 0; i < stages; ++i)
    {
        processors.push_back(MakeProcessor(data));
        chain.Add(processors.back().get());
    }

    // The size pass as the chain will do it: refused chains are always run
    // (they must fail before allocating), large valid ones are skipped.
    bool refused = false;
    std::uint64_t maxWidth = static_cast<std::uint64_t>(width);
    std::uint64_t maxHeight = static_cast<std::uint64_t>(height);
    CSize current(width, height);
    for (const auto& processor : processors)
    {
        current = processor->CalcDestSize(current);
        if (!CImage32BitProcessor::IsValidSize(current))
        {
            refused = true;
            break;
        }
        maxWidth = current.cx > static_cast<LONG>(maxWidth) ? current.cx : maxWidth;
        maxHeight = current.cy > static_cast<LONG>(maxHeight) ? current.cy : maxHeight;
    }
    if (!refused && maxWidth * maxHeight > kMaxWorkPixels)
        return 0;

    // The rest of the input, repeated, is the picture's bytes (copied in
    // blocks: the search spends its time in the processors, not here).
    const size_t pixelCount = static_cast<size_t>(width) * static_cast<size_t>(height);
    std::unique_ptr<RGBX[]> source(new RGBX[pixelCount]());
    const std::vector<std::uint8_t> pixelBytes = data.ConsumeRemainingBytes<std::uint8_t>();
    unsigned char* const pictureBytes = reinterpret_cast<unsigned char*>(source.get());
    const size_t pictureSize = pixelCount * sizeof(RGBX);
    for (size_t at = 0; !pixelBytes.empty() && at < pictureSize; at += pixelBytes.size())
        std::memcpy(pictureBytes + at, pixelBytes.data(), std::min(pixelBytes.size(), pictureSize - at));

    std::unique_ptr<RGBX[]> result(new RGBX[1]);
    const RGBX* untouched = result.get();
    CSize resultSize(-1, -1);
    const BOOL ok = CProcessorChain::Run(chain, std::move(source), CSize(width, height), background, result, resultSize);
    if (refused && ok)
        std::abort();
    if (!ok && (result.get() != untouched || resultSize != CSize(-1, -1)))
        std::abort();
    if (ok && (!CImage32BitProcessor::IsValidSize(resultSize) || resultSize != current || !result))
        std::abort();
    if (ok)
    {
        // Copy every result pixel so that a short buffer shows.
        const size_t count = static_cast<size_t>(resultSize.cx) * static_cast<size_t>(resultSize.cy);
        const std::vector<RGBX> copied(result.get(), result.get() + count);
        volatile size_t sink = copied.size();
        (void)sink;
    }
    return 0;
}
