// Side-by-side timing of every effect and its closest OpenCV equivalent on
// the same picture, at one thread each and at each library's default thread
// count, at 1920 x 1080 and 3840 x 2160; prints a Markdown table. Ours and
// OpenCV's runs alternate, so both see the same machine load; each figure is
// the best and the median of the rounds.
//   imaging_compare [rounds [filter]]   the table (default 7 rounds), only
//                              the effects whose name contains filter
//   imaging_compare chain      one nine-stage chain at 3840 x 2160 (for a
//                              peak-memory measurement of the whole process)
// TES_IMAGING_LEVEL=0...3 in the environment lowers our vector level (scalar,
// SSE2, AVX2, AVX-512), to measure the paths other processors take.
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
#include "CImagingCpu.h"
#include "CProcessorChain.h"
#include "CWorkerPool.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// The clock of a measurement: at one thread the processor time of the
// calling thread (both libraries then run there, and other work on the
// machine does not count); at the default thread count the wall time.
double NowMs(bool threadTime)
{
    if (threadTime)
    {
        timespec now;
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// One effect on one picture: ours and OpenCV's, each a callable that runs
// the effect once (buffers prepared beforehand).
struct Comparison
{
    std::string effect;
    std::string equivalent;
    std::function<void()> ours;
    std::function<void()> theirs;
};

// Our processor over the picture into a destination filled with the
// background once (processors only write, so it stays valid).
struct OurRun
{
    std::shared_ptr<CImage32BitProcessor> processor;
    const std::vector<RGBX>* pSource;
    CSize size;
    std::shared_ptr<std::vector<RGBX>> destination;
    CSize destSize;

    void operator()() const
    {
        if (!processor->ProcessPixels(pSource->data(), size, destination->data(), destSize))
            std::fprintf(stderr, "ProcessPixels failed\n");
    }
};

OurRun MakeOurRun(std::shared_ptr<CImage32BitProcessor> processor, const std::vector<RGBX>& source, CSize size)
{
    OurRun run{processor, &source, size, nullptr, processor->CalcDestSize(size)};
    run.destination = std::make_shared<std::vector<RGBX>>(static_cast<size_t>(run.destSize.cx) * run.destSize.cy);
    CProcessorChain::Fill(run.destination->data(), run.destSize, 0x00FFFFFF);
    return run;
}

// The inverse map (destination to source) of our rotation: the destination
// centre goes to the source centre, turned by the angle.
cv::Mat RotationMap(double degrees, CSize source, CSize dest)
{
    const double a = degrees * 3.141592653589793 / 180;
    const double c = std::cos(a), s = std::sin(a);
    const double dcx = dest.cx / 2.0, dcy = dest.cy / 2.0, scx = source.cx / 2.0, scy = source.cy / 2.0;
    // src = R * (dst - dcentre) + scentre with R = [c s; -s c].
    return (cv::Mat_<double>(2, 3) << c, s, scx - c * dcx - s * dcy, -s, c, scy + s * dcx - c * dcy);
}

std::vector<Comparison> MakeComparisons(const std::vector<RGBX>& picture, CSize size)
{
    // OpenCV views of the same pixels, and its output buffers.
    const cv::Mat src(size.cy, size.cx, CV_8UC4, const_cast<RGBX*>(picture.data()));
    auto dst = std::make_shared<cv::Mat>();
    auto grey = std::make_shared<cv::Mat>();
    const cv::Scalar white(255, 255, 255, 255);
    std::vector<Comparison> list;

    list.push_back({"grey", "cvtColor to grey and back to BGRA",
                    MakeOurRun(std::make_shared<CImageGrayer>(), picture, size),
                    [=] { cv::cvtColor(src, *grey, cv::COLOR_BGRA2GRAY); cv::cvtColor(*grey, *dst, cv::COLOR_GRAY2BGRA); }});
    list.push_back({"invert", "bitwise_not", MakeOurRun(std::make_shared<CImageNegator>(), picture, size),
                    [=] { cv::bitwise_not(src, *dst); }});
    list.push_back({"flip both", "flip(-1)", MakeOurRun(std::make_shared<CImageFlipper>(1, 1), picture, size),
                    [=] { cv::flip(src, *dst, -1); }});
    list.push_back({"replace colour", "-", MakeOurRun(std::make_shared<CImageColorReplacer>(0u, 255u), picture, size),
                    nullptr});
    for (int smooth = 1; smooth >= 0; --smooth)
    {
        auto rotator = std::make_shared<CImageRotator>(45, smooth);
        const CSize rotated = rotator->CalcDestSize(size);
        const cv::Mat map = RotationMap(45, size, rotated);
        const int interpolation = smooth ? cv::INTER_LINEAR : cv::INTER_NEAREST;
        list.push_back({smooth ? "rotate 45, smooth" : "rotate 45, nearest",
                        smooth ? "warpAffine linear" : "warpAffine nearest", MakeOurRun(rotator, picture, size),
                        [=] {
                            cv::warpAffine(src, *dst, map, cv::Size(rotated.cx, rotated.cy),
                                           interpolation | cv::WARP_INVERSE_MAP, cv::BORDER_CONSTANT, white);
                        }});
    }
    {
        // 10 degrees across: the top row moves right by H * tan(10 degrees).
        const int amount = static_cast<int>(std::lround(size.cy * std::tan(10 * 3.141592653589793 / 180)));
        auto shearer = std::make_shared<CImageShearer>(amount, 0, 1);
        const CSize sheared = shearer->CalcDestSize(size);
        // Ours: sx = i - (DH - j) * a / DH = i + j * a / DH - a, sy = j.
        const cv::Mat map = (cv::Mat_<double>(2, 3) << 1, static_cast<double>(amount) / sheared.cy, -amount, 0, 1, 0);
        list.push_back({"shear 10 deg across, smooth", "warpAffine linear", MakeOurRun(shearer, picture, size), [=] {
                            cv::warpAffine(src, *dst, map, cv::Size(sheared.cx, sheared.cy),
                                           cv::INTER_LINEAR | cv::WARP_INVERSE_MAP, cv::BORDER_CONSTANT, white);
                        }});
    }
    for (double factor : {0.5, 1.5})
    {
        auto resizer = std::make_shared<CImageResizer>(factor);
        const CSize resized = resizer->CalcDestSize(size);
        const int interpolation = factor < 1 ? cv::INTER_AREA : cv::INTER_LINEAR;
        list.push_back({factor < 1 ? "scale 50 %" : "scale 150 %", factor < 1 ? "resize area" : "resize linear",
                        MakeOurRun(resizer, picture, size),
                        [=] { cv::resize(src, *dst, cv::Size(resized.cx, resized.cy), 0, 0, interpolation); }});
    }
    list.push_back({"blur 5", "GaussianBlur 3x3", MakeOurRun(std::make_shared<CImageBlurrer>(5), picture, size),
                    [=] { cv::GaussianBlur(src, *dst, cv::Size(3, 3), 0); }});
    {
        // Our kernel at strength 5: centre 2, direct -e/K, diagonal -1/K.
        const float e = 26, k = 4 * (e + 1);
        const cv::Mat kernel =
            (cv::Mat_<float>(3, 3) << -1 / k, -e / k, -1 / k, -e / k, 2, -e / k, -1 / k, -e / k, -1 / k);
        list.push_back({"sharpen 5", "filter2D 3x3", MakeOurRun(std::make_shared<CImageSharpener>(5), picture, size),
                        [=] { cv::filter2D(src, *dst, -1, kernel); }});
    }
    return list;
}

// The nine-stage chain as the image store runs it, on a source buffer
// holding the picture (the buffer goes to the chain, as from the bitmap).
void RunChain(std::unique_ptr<RGBX[]> source, CSize size)
{
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
    CImage32BitProcessor* stages[] = {&grey, &negate, &replace, &flip, &rotate, &scale, &shear, &blur, &sharpen};
    for (CImage32BitProcessor* stage : stages)
        chain.Add(stage);
    std::unique_ptr<RGBX[]> result;
    CSize resultSize;
    if (!CProcessorChain::Run(chain, std::move(source), size, 0x00FFFFFF, result, resultSize))
        std::fprintf(stderr, "chain failed\n");
}

// Sets both libraries to one thread, or back to their defaults.
void UseThreads(bool single, int ourDefault)
{
    CWorkerPool::Shared().SetThreadCount(single ? 1 : ourDefault);
    cv::setNumThreads(single ? 1 : -1);
}

} // namespace

int main(int argc, char** argv)
{
    const CSize sizes[] = {CSize(1920, 1080), CSize(3840, 2160)};
    if (argc > 1 && std::strcmp(argv[1], "chain") == 0)
    {
        // Only the source buffer is kept, so that the peak memory of the
        // process is the chain's own plus the program's.
        std::unique_ptr<RGBX[]> source;
        {
            const std::vector<RGBX> picture = MakeScreenPicture(3840, 2160);
            source.reset(new RGBX[picture.size()]);
            std::copy(picture.begin(), picture.end(), source.get());
        }
        const double start = NowMs(false);
        const std::clock_t processorStart = std::clock();
        RunChain(std::move(source), CSize(3840, 2160));
        std::printf("nine-stage chain at 3840x2160, %d threads: %.1f ms wall, %.1f ms processor time of all threads\n",
                    CWorkerPool::Shared().GetThreadCount(), NowMs(false) - start,
                    static_cast<double>(std::clock() - processorStart) * 1000 / CLOCKS_PER_SEC);
        return 0;
    }
    const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 7;
    const int ourDefault = CWorkerPool::Shared().GetThreadCount();
    if (const char* level = std::getenv("TES_IMAGING_LEVEL"))
        CImagingCpu::SetLevel(std::atoi(level));
    static const char* const levelNames[] = {"scalar", "SSE2", "AVX2", "AVX-512"};
    cv::setNumThreads(-1);
    std::printf("Threads: ours default %d, OpenCV default %d; our vector level %s; %d alternating rounds.\n"
                "Times in ms as best / median; one thread: processor time of the calling thread; default threads: "
                "wall time.\n\n",
                ourDefault, cv::getNumThreads(), levelNames[CImagingCpu::GetLevel()], rounds);
    std::printf("| effect | size | threads | ours ms | OpenCV ms | ours / OpenCV | OpenCV equivalent |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    for (const CSize& size : sizes)
    {
        const std::vector<RGBX> picture = MakeScreenPicture(size.cx, size.cy);
        std::vector<Comparison> comparisons = MakeComparisons(picture, size);
        comparisons.push_back({"nine-stage chain", "-",
                               [&] {
                                   std::unique_ptr<RGBX[]> source(new RGBX[picture.size()]);
                                   std::copy(picture.begin(), picture.end(), source.get());
                                   RunChain(std::move(source), size);
                               },
                               nullptr});
        const std::string filter = argc > 2 ? argv[2] : "";
        for (const Comparison& comparison : comparisons)
            for (int single = 1; single >= 0; --single)
            {
                if (comparison.effect.find(filter) == std::string::npos)
                    continue;
                UseThreads(single != 0, ourDefault);
                std::vector<double> ours, theirs;
                // One warm-up run of each, then alternating rounds.
                comparison.ours();
                if (comparison.theirs)
                    comparison.theirs();
                for (int r = 0; r < rounds; ++r)
                {
                    double start = NowMs(single != 0);
                    comparison.ours();
                    ours.push_back(NowMs(single != 0) - start);
                    if (comparison.theirs)
                    {
                        start = NowMs(single != 0);
                        comparison.theirs();
                        theirs.push_back(NowMs(single != 0) - start);
                    }
                }
                const double ourBest = *std::min_element(ours.begin(), ours.end());
                char theirText[48] = "-", ratioText[48] = "-";
                if (!theirs.empty())
                {
                    const double theirBest = *std::min_element(theirs.begin(), theirs.end());
                    std::snprintf(theirText, sizeof(theirText), "%.2f / %.2f", theirBest, Median(theirs));
                    std::snprintf(ratioText, sizeof(ratioText), "%.2f / %.2f", ourBest / theirBest,
                                  Median(ours) / Median(theirs));
                }
                std::printf("| %s | %dx%d | %s | %.2f / %.2f | %s | %s | %s |\n", comparison.effect.c_str(), size.cx,
                            size.cy, single ? "1" : "default", ourBest, Median(ours), theirText, ratioText,
                            comparison.equivalent.c_str());
                std::fflush(stdout);
            }
    }
    return 0;
}
