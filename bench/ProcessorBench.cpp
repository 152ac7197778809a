// Benchmarks of every processor on its own at 1920 x 1080 and 3840 x 2160,
// beside a plain memcpy of the same buffer as the floor.
#include "BenchPicture.h"
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

#include <cstring>
#include <memory>

namespace {

void BM_Memcpy(benchmark::State& state)
{
    const CSize size(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const std::vector<RGBX> src = MakeScreenPicture(size.cx, size.cy);
    std::vector<RGBX> dst(src.size());
    const BenchTimer timer;
    for (auto _ : state)
    {
        std::memcpy(static_cast<void*>(dst.data()), src.data(), src.size() * sizeof(RGBX));
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    ReportPictureCounters(state, size, timer.Seconds());
}

// One processor's ProcessPixels over a screen picture; the destination is
// filled with the background once (processors only write, so it stays a
// valid destination for every iteration).
template <class Processor, class... Args>
void BM_Processor(benchmark::State& state, Args... args)
{
    const Processor processor(args...);
    const CSize size(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const std::vector<RGBX> src = MakeScreenPicture(size.cx, size.cy);
    const CSize destSize = processor.CalcDestSize(size);
    std::vector<RGBX> dst(static_cast<size_t>(destSize.cx) * static_cast<size_t>(destSize.cy));
    CProcessorChain::Fill(dst.data(), destSize, 0x00FFFFFF);
    const BenchTimer timer;
    for (auto _ : state)
    {
        if (!processor.ProcessPixels(src.data(), size, dst.data(), destSize))
            state.SkipWithError("ProcessPixels failed");
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    ReportPictureCounters(state, size, timer.Seconds());
}

void Sizes(benchmark::internal::Benchmark* b)
{
    b->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond)->UseRealTime();
}

} // namespace

BENCHMARK(BM_Memcpy)->Apply(Sizes);

namespace {

template <class Processor, class... Args>
void Register(const char* name, Args... args)
{
    benchmark::RegisterBenchmark(name, [=](benchmark::State& state) { BM_Processor<Processor>(state, args...); })
        ->Apply(Sizes);
}

const bool registered = [] {
    Register<CImageGrayer>("Grey");
    Register<CImageNegator>("Negate");
    Register<CImageFlipper>("FlipBoth", 1, 1);
    Register<CImageFlipper>("FlipVertical", 0, 1);
    Register<CImageColorReplacer>("ReplaceBlackByRed", COLORREF(0), COLORREF(255));
    Register<CImageRotator>("Rotate45Smooth", 45, 1);
    Register<CImageRotator>("Rotate45Nearest", 45, 0);
    Register<CImageRotator>("Rotate90Nearest", 90, 0);
    Register<CImageShearer>("Shear50Smooth", 50, 50, 1);
    Register<CImageShearer>("Shear50Nearest", 50, 50, 0);
    // Halving has loops of its own; the other factors take the general boxes
    // and samples.
    Register<CImageResizer>("Scale30", 0.3);
    Register<CImageResizer>("Scale50", 0.5);
    Register<CImageResizer>("Scale75", 0.75);
    Register<CImageResizer>("Scale150", 1.5);
    Register<CImageResizer>("Scale330", 3.3);
    Register<CImageBlurrer>("Blur5", 5);
    Register<CImageSharpener>("Sharpen5", 5);
    return true;
}();

} // namespace
