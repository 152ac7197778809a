// Tests of the worker pool and of the fast paths: every effect gives the
// bytes of its plain rule at 1, 2 and 7 threads and at every vector level
// this processor supports, for many sizes; the pool covers every row once.
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
#include "ReferenceProcessors.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

// Thread count and vector level for one scope; the defaults come back after.
class ScopedSetup
{
public:
    ScopedSetup(int threads, int level)
        : m_threads(CWorkerPool::Shared().GetThreadCount()), m_level(CImagingCpu::GetLevel())
    {
        CWorkerPool::Shared().SetThreadCount(threads);
        CImagingCpu::SetLevel(level);
    }
    ~ScopedSetup()
    {
        CWorkerPool::Shared().SetThreadCount(m_threads);
        CImagingCpu::SetLevel(m_level);
    }

private:
    int m_threads;
    int m_level;
};

// Plain per-pixel rules of the processors without a size change.
TestImage PlainGrey(const TestImage& src)
{
    TestImage out(src.width, src.height, BackgroundPixel());
    for (size_t i = 0; i + 1 < src.pixels.size(); ++i) {
        const RGBX& s = src.pixels[i];
        const BYTE g = static_cast<BYTE>((3 * s.r + 6 * s.g + s.b) / 10);
        out.pixels[i] = RGBX(g, g, g, 0);
    }
    return out;
}

TestImage PlainNegative(const TestImage& src)
{
    TestImage out(src.width, src.height, BackgroundPixel());
    for (size_t i = 0; i + 1 < src.pixels.size(); ++i) {
        const RGBX& s = src.pixels[i];
        out.pixels[i] = RGBX(BYTE(255 - s.b), BYTE(255 - s.g), BYTE(255 - s.r), BackgroundPixel().x);
    }
    return out;
}

// (r 10, g 20, b 30) becomes (r 0xA1, g 0xB2, b 0xC3).
TestImage PlainReplaced(const TestImage& src)
{
    TestImage out = src;
    for (size_t i = 0; i + 1 < out.pixels.size(); ++i)
        if (out.pixels[i].r == 10 && out.pixels[i].g == 20 && out.pixels[i].b == 30)
            out.pixels[i] = RGBX(0xC3, 0xB2, 0xA1, 0);
    out.pixels.back() = BackgroundPixel();
    return out;
}

struct Effect
{
    std::string name;
    std::function<std::unique_ptr<CImage32BitProcessor>()> make;
    std::function<TestImage(const TestImage&)> reference;
};

std::vector<Effect> AllEffects()
{
    std::vector<Effect> effects = {
        { "grey", [] { return std::make_unique<CImageGrayer>(); }, PlainGrey },
        { "negate", [] { return std::make_unique<CImageNegator>(); }, PlainNegative },
        { "replace", [] { return std::make_unique<CImageColorReplacer>(0x7F1E140A, 0x00C3B2A1); }, PlainReplaced },
        { "flip both", [] { return std::make_unique<CImageFlipper>(1, 1); },
          [](const TestImage& s) { return reference::Flip(s, true, true); } },
        { "flip left-right", [] { return std::make_unique<CImageFlipper>(1, 0); },
          [](const TestImage& s) { return reference::Flip(s, true, false); } },
        { "blur 1", [] { return std::make_unique<CImageBlurrer>(1); },
          [](const TestImage& s) { return reference::Blur(s, 1); } },
        { "blur 10", [] { return std::make_unique<CImageBlurrer>(10); },
          [](const TestImage& s) { return reference::Blur(s, 10); } },
        { "sharpen 1", [] { return std::make_unique<CImageSharpener>(1); },
          [](const TestImage& s) { return reference::Sharpen(s, 1); } },
        { "sharpen 7", [] { return std::make_unique<CImageSharpener>(7); },
          [](const TestImage& s) { return reference::Sharpen(s, 7); } },
    };
    for (int degrees : { 33, 90, 200 })
        for (int smooth = 0; smooth <= 1; ++smooth) {
            const double radians = degrees * 3.141592653589793 / 180;
            effects.push_back({ "rotate " + std::to_string(degrees) + (smooth ? " smooth" : " nearest"),
                                [=] { return std::make_unique<CImageRotator>(degrees, smooth); },
                                [=](const TestImage& s) { return reference::Rotate(s, radians, smooth != 0); } });
        }
    for (int smooth = 0; smooth <= 1; ++smooth) {
        effects.push_back({ "shear 7, -5", [=] { return std::make_unique<CImageShearer>(7, -5, smooth); },
                            [=](const TestImage& s) { return reference::Shear(s, 7, -5, smooth != 0); } });
        effects.push_back({ "shear -9, 4", [=] { return std::make_unique<CImageShearer>(-9, 4, smooth); },
                            [=](const TestImage& s) { return reference::Shear(s, -9, 4, smooth != 0); } });
        // Horizontal only: the rows are blended as runs.
        effects.push_back({ "shear 23, 0", [=] { return std::make_unique<CImageShearer>(23, 0, smooth); },
                            [=](const TestImage& s) { return reference::Shear(s, 23, 0, smooth != 0); } });
    }
    // 0.52: runs of twelve or thirteen boxes two columns wide, one column
    // wide boxes between them.
    for (double factor : { 0.3, 0.5, 0.52, 0.77, 1.5, 2.0, 3.3 })
        effects.push_back({ "resize " + std::to_string(factor), [=] { return std::make_unique<CImageResizer>(factor); },
                            [=](const TestImage& s) { return reference::Resize(s, factor); } });
    return effects;
}

// 6 wide: one block of four interior pixels; 19 wide: halving gives a run of
// exactly eight boxes two columns wide.
const CSize kSizes[] = { CSize(1, 1),  CSize(1, 9),  CSize(9, 1),   CSize(2, 2),   CSize(3, 3),    CSize(6, 4),
                         CSize(17, 5), CSize(19, 6), CSize(33, 20), CSize(64, 47), CSize(131, 67), CSize(200, 3) };

std::vector<int> SupportedLevels()
{
    std::vector<int> levels;
    for (int level = CImagingCpu::LEVEL_SCALAR; level <= CImagingCpu::GetSupportedLevel(); ++level)
        levels.push_back(level);
    return levels;
}

TEST(ParallelEquivalence, EveryEffectMatchesItsPlainRuleAtEveryThreadCountAndLevel)
{
    for (const Effect& effect : AllEffects())
        for (const CSize size : kSizes) {
            const TestImage src = (effect.name == "replace" || effect.name.rfind("blur", 0) == 0)
                                      ? MakePalettePattern(size.cx, size.cy, static_cast<unsigned>(size.cx))
                                      : MakePattern(size.cx, size.cy, static_cast<unsigned>(size.cy));
            const TestImage expected = effect.reference(src);
            for (int threads : { 1, 2, 7 })
                for (int level : SupportedLevels()) {
                    const ScopedSetup setup(threads, level);
                    const std::unique_ptr<CImage32BitProcessor> processor = effect.make();
                    ASSERT_TRUE(ImagesEqual(expected, Apply(*processor, src)))
                        << effect.name << " of " << size.cx << " x " << size.cy << " at " << threads
                        << " threads, level " << level;
                }
        }
}

// Over a destination whose fourth bytes differ from pixel to pixel, every
// thread count and level writes exactly the bytes one plain thread writes.
TEST(ParallelEquivalence, MarkedDestinationsGetTheBytesOfOneThread)
{
    for (const Effect& effect : AllEffects()) {
        const TestImage src = MakePattern(45, 31, 3);
        const std::unique_ptr<CImage32BitProcessor> processor = effect.make();
        const CSize destSize = processor->CalcDestSize(src.Size());
        TestImage marked(destSize.cx, destSize.cy, BackgroundPixel());
        for (size_t i = 0; i < marked.pixels.size(); ++i)
            marked.pixels[i].x = static_cast<BYTE>(i * 41 + 3);
        TestImage expected = marked;
        {
            const ScopedSetup setup(1, CImagingCpu::LEVEL_SCALAR);
            ASSERT_TRUE(processor->ProcessPixels(src.Data(), src.Size(), expected.Data(), destSize));
        }
        for (int threads : { 2, 7 })
            for (int level : SupportedLevels()) {
                const ScopedSetup setup(threads, level);
                TestImage actual = marked;
                ASSERT_TRUE(processor->ProcessPixels(src.Data(), src.Size(), actual.Data(), destSize));
                ASSERT_TRUE(ImagesEqual(expected, actual))
                    << effect.name << " at " << threads << " threads, level " << level;
            }
    }
}

// The chain's result on a copy of src (its fills included), or an empty
// picture when the chain fails.
TestImage RunChainOn(const std::vector<CImage32BitProcessor*>& stages, const TestImage& src, DWORD background)
{
    CProcessorArray chain;
    for (CImage32BitProcessor* stage : stages)
        chain.Add(stage);
    std::unique_ptr<RGBX[]> source(new RGBX[src.pixels.size()]);
    std::copy(src.pixels.begin(), src.pixels.end(), source.get());
    std::unique_ptr<RGBX[]> result;
    CSize size;
    if (!CProcessorChain::Run(chain, std::move(source), src.Size(), background, result, size))
        return TestImage();
    TestImage image(size.cx, size.cy);
    std::copy(result.get(), result.get() + static_cast<size_t>(size.cx) * size.cy, image.pixels.begin());
    return image;
}

TEST(ParallelEquivalence, ChainsGiveTheBytesOfOneThreadForEveryBackground)
{
    CImageGrayer grey;
    CImageNegator negate;
    CImageFlipper flip(1, 0);
    CImageRotator rotate(30, 1);
    CImageResizer shrink(0.6);
    CImageResizer enlarge(1.7);
    CImageShearer shear(5, -3, 1);
    CImageBlurrer blur(3);
    CImageSharpener sharpen(4);
    const std::vector<std::vector<CImage32BitProcessor*>> chains = {
        { &rotate, &shrink, &shear, &blur, &sharpen },
        { &grey, &negate, &enlarge, &flip },
        { &shrink },
        { &enlarge, &rotate, &shrink, &enlarge },
    };
    const TestImage src = MakePattern(77, 41, 5);
    for (DWORD background : { DWORD(0x00FFFFFF), DWORD(0), DWORD(0x00123456) })
        for (size_t i = 0; i < chains.size(); ++i) {
            TestImage expected;
            {
                const ScopedSetup setup(1, CImagingCpu::LEVEL_SCALAR);
                expected = RunChainOn(chains[i], src, background);
            }
            ASSERT_GT(expected.width, 0);
            for (int threads : { 2, 7 })
                for (int level : SupportedLevels()) {
                    const ScopedSetup setup(threads, level);
                    ASSERT_TRUE(ImagesEqual(expected, RunChainOn(chains[i], src, background)))
                        << "chain " << i << ", background " << background << ", " << threads << " threads, level "
                        << level;
                }
        }
}

// Runs ForRows and counts how often each row was handed out, each row
// taking rowTime; ranges must be non-empty and inside 0 ... count.
std::vector<int> RowHits(CWorkerPool& pool, int count, bool& rangesValid,
                         std::chrono::microseconds rowTime = std::chrono::microseconds(0))
{
    std::unique_ptr<std::atomic<int>[]> hits(new std::atomic<int>[static_cast<size_t>(count) + 1]);
    for (int i = 0; i <= count; ++i)
        hits[i] = 0;
    std::atomic<bool> valid(true);
    pool.ForRows(count, [&](int first, int last) {
        if (first < 0 || last > count || first >= last)
            valid = false;
        for (int row = first; row < last && row < count; ++row) {
            const auto until = std::chrono::steady_clock::now() + rowTime;
            while (std::chrono::steady_clock::now() < until) {
            }
            ++hits[row];
        }
    });
    rangesValid = valid;
    std::vector<int> result;
    for (int i = 0; i < count; ++i)
        result.push_back(hits[i]);
    return result;
}

TEST(CWorkerPool, HandsOutEveryRowExactlyOnce)
{
    CWorkerPool pool;
    for (int threads : { 1, 2, 3, 7, 64 })
        for (int count : { 0, 1, 2, 3, 7, 8, 29, 1001 }) {
            pool.SetThreadCount(threads);
            bool valid = false;
            const std::vector<int> hits = RowHits(pool, count, valid);
            EXPECT_TRUE(valid) << count << " rows, " << threads << " threads";
            EXPECT_EQ(std::vector<int>(static_cast<size_t>(count), 1), hits)
                << count << " rows, " << threads << " threads";
        }
}

// Short jobs back to back, rows taking a few microseconds: ForRows returns
// only when every row is done, though it does not wait for workers that wake
// after every range is taken, and such a late worker never runs a range of a
// job that has ended (its task and rows live on the caller's stack).
TEST(CWorkerPool, ShortJobsEndWithEveryRowDone)
{
    CWorkerPool pool;
    for (int threads : { 2, 7 }) {
        pool.SetThreadCount(threads);
        int wrongJobs = 0;
        for (int job = 0; job < 1000; ++job) {
            const int count = 1 + job % 9;
            bool valid = false;
            const std::vector<int> hits = RowHits(pool, count, valid, std::chrono::microseconds(job % 4));
            wrongJobs += valid && hits == std::vector<int>(static_cast<size_t>(count), 1) ? 0 : 1;
        }
        EXPECT_EQ(0, wrongJobs) << threads << " threads";
    }
}

TEST(CWorkerPool, ClampsTheThreadCount)
{
    CWorkerPool pool;
    pool.SetThreadCount(0);
    EXPECT_EQ(1, pool.GetThreadCount());
    pool.SetThreadCount(1000);
    EXPECT_EQ(64, pool.GetThreadCount());
}

// A job started from inside a task, and jobs from two threads at once, run
// to completion (the ones that find the pool busy on their own thread).
TEST(CWorkerPool, NestedAndConcurrentJobsCoverTheirRows)
{
    CWorkerPool pool;
    pool.SetThreadCount(3);
    std::atomic<int> nestedRows(0);
    pool.ForRows(6, [&](int first, int last) {
        for (int row = first; row < last; ++row) {
            bool valid = false;
            const std::vector<int> hits = RowHits(pool, 10, valid);
            if (valid && hits == std::vector<int>(10, 1))
                ++nestedRows;
        }
    });
    EXPECT_EQ(6, nestedRows.load());

    std::vector<int> hitsA, hitsB;
    bool validA = false, validB = false;
    std::thread other([&] {
        for (int i = 0; i < 50; ++i)
            hitsA = RowHits(pool, 97, validA);
    });
    for (int i = 0; i < 50; ++i)
        hitsB = RowHits(pool, 89, validB);
    other.join();
    EXPECT_TRUE(validA && validB);
    EXPECT_EQ(std::vector<int>(97, 1), hitsA);
    EXPECT_EQ(std::vector<int>(89, 1), hitsB);
}

TEST(CImagingCpu, LevelIsCappedAtTheSupportedOne)
{
    const int supported = CImagingCpu::GetSupportedLevel();
    EXPECT_EQ(CImagingCpu::LEVEL_SCALAR, CImagingCpu::SetLevel(-5));
    EXPECT_EQ(CImagingCpu::LEVEL_SCALAR, CImagingCpu::GetLevel());
    EXPECT_EQ(supported, CImagingCpu::SetLevel(CImagingCpu::LEVEL_AVX512 + 1));
    EXPECT_EQ(supported, CImagingCpu::GetLevel());
}

} // namespace

// A task that throws on the calling thread ends its job before the exception
// leaves ForRows: no range of it runs afterwards, and the pool takes the next
// job whole.
TEST(CWorkerPool, TaskThrowingOnTheCallerEndsItsJobFirst)
{
    CWorkerPool pool;
    pool.SetThreadCount(3);
    const std::thread::id caller = std::this_thread::get_id();
    std::atomic<bool> returned(false);
    std::atomic<int> lateRanges(0);
    EXPECT_THROW(pool.ForRows(200,
                              [&](int, int) {
                                  if (returned)
                                      ++lateRanges;
                                  if (std::this_thread::get_id() == caller)
                                      throw std::runtime_error("row failed");
                                  std::this_thread::sleep_for(std::chrono::milliseconds(1));
                              }),
                 std::runtime_error);
    returned = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(0, lateRanges.load());
    bool valid = false;
    EXPECT_EQ(std::vector<int>(50, 1), RowHits(pool, 50, valid));
    EXPECT_TRUE(valid);
}
