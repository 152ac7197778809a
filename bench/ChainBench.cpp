// Benchmark of the full nine-stage effects chain as the image store runs it
// (grey, negate, colour replacement, flip, rotate 45 smooth, scale 50 %,
// shear X/Y 50 smooth, blur 5, sharpen 5), buffers and fills included.
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

#include <algorithm>
#include <memory>

namespace {

void BM_NineStageChain(benchmark::State& state)
{
    const CSize size(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const std::vector<RGBX> picture = MakeScreenPicture(size.cx, size.cy);
    CImageGrayer grey;
    CImageNegator negate;
    CImageColorReplacer replace(0x00000000, 0x000000FF);
    CImageFlipper flip(1, 1);
    CImageRotator rotate(45, 1);
    CImageResizer scale(50 / 100.0);
    CImageShearer shear(50, 50, 1);
    CImageBlurrer blur(5);
    CImageSharpener sharpen(5);
    CProcessorArray chain;
    for (CImage32BitProcessor* stage : {static_cast<CImage32BitProcessor*>(&grey), static_cast<CImage32BitProcessor*>(&negate),
                                        static_cast<CImage32BitProcessor*>(&replace), static_cast<CImage32BitProcessor*>(&flip),
                                        static_cast<CImage32BitProcessor*>(&rotate), static_cast<CImage32BitProcessor*>(&scale),
                                        static_cast<CImage32BitProcessor*>(&shear), static_cast<CImage32BitProcessor*>(&blur),
                                        static_cast<CImage32BitProcessor*>(&sharpen)})
        chain.Add(stage);

    double seconds = 0;
    for (auto _ : state)
    {
        // The source buffer stands for the one read from the bitmap: made
        // outside the measured time.
        state.PauseTiming();
        std::unique_ptr<RGBX[]> source(new RGBX[picture.size()]);
        std::copy(picture.begin(), picture.end(), source.get());
        state.ResumeTiming();
        const BenchTimer timer;
        std::unique_ptr<RGBX[]> result;
        CSize resultSize;
        if (!CProcessorChain::Run(chain, std::move(source), size, 0x00FFFFFF, result, resultSize))
            state.SkipWithError("chain failed");
        benchmark::DoNotOptimize(result.get());
        seconds += timer.Seconds();
    }
    ReportPictureCounters(state, size, seconds);
}

} // namespace

BENCHMARK(BM_NineStageChain)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond)->UseRealTime();
