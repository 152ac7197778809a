// Tests of the chain runner: background fill, the stage loop with its two
// shared buffers, size limits, failures and ownership of the buffers.
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
#include "TestPictures.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

namespace {

std::unique_ptr<RGBX[]> CopyPixels(const TestImage& image)
{
    std::unique_ptr<RGBX[]> pixels(new RGBX[image.pixels.size()]);
    std::copy(image.pixels.begin(), image.pixels.end(), pixels.get());
    return pixels;
}

TestImage ToImage(const RGBX* pixels, CSize size)
{
    TestImage image(size.cx, size.cy);
    std::copy(pixels, pixels + static_cast<size_t>(size.cx) * size.cy, image.pixels.begin());
    return image;
}

// Runs the chain on a copy of src: the result and, when it succeeded, the
// result picture.
struct ChainOutcome
{
    BOOL ok = FALSE;
    TestImage image;
};

ChainOutcome RunChain(const std::vector<const CImage32BitProcessor*>& stages, const TestImage& src,
                      DWORD background = kTestBackground)
{
    CProcessorArray chain;
    for (const CImage32BitProcessor* stage : stages)
        chain.Add(const_cast<CImage32BitProcessor*>(stage));
    std::unique_ptr<RGBX[]> result;
    CSize size;
    ChainOutcome outcome;
    outcome.ok = CProcessorChain::Run(chain, CopyPixels(src), src.Size(), background, result, size);
    if (outcome.ok)
        outcome.image = ToImage(result.get(), size);
    return outcome;
}

// Each stage on its own fresh destination of background: what the chain
// must give.
TestImage RunStagesSeparately(const std::vector<const CImage32BitProcessor*>& stages, const TestImage& src)
{
    TestImage image = src;
    for (const CImage32BitProcessor* stage : stages)
        image = Apply(*stage, image);
    return image;
}

TEST(CProcessorChainFill, WhiteAndBlackFillEveryByteAndOtherColoursConvert)
{
    struct Case
    {
        DWORD colour;
        RGBX pixel;
    };
    const Case cases[] = {
        { 0x00FFFFFF, RGBX(0xFF, 0xFF, 0xFF, 0xFF) },
        { 0xFFFFFFFF, RGBX(0xFF, 0xFF, 0xFF, 0xFF) },
        { 0x00000000, RGBX(0, 0, 0, 0) },
        { 0x000080FF, RGBX(0x00, 0x80, 0xFF, 0) },
        { 0x00123456, RGBX(0x12, 0x34, 0x56, 0) },
        { 0xAB000000, RGBX(0, 0, 0, 0) },
        { 0x01FFFFFF, RGBX(0xFF, 0xFF, 0xFF, 0) },
    };
    const CSize sizes[] = { CSize(1, 1), CSize(1, 9), CSize(9, 1), CSize(7, 5), CSize(8, 8), CSize(33, 17) };
    for (const Case& c : cases)
        for (const CSize size : sizes) {
            // A larger buffer: pixels after the first cx * cy stay as they were.
            TestImage buffer(size.cx, size.cy + 1, RGBX(1, 2, 3, 4));
            ASSERT_TRUE(CProcessorChain::Fill(buffer.Data(), size, c.colour));
            for (int y = 0; y <= size.cy; ++y)
                for (int x = 0; x < size.cx; ++x)
                    ASSERT_EQ(buffer.At(x, y), y < size.cy ? c.pixel : RGBX(1, 2, 3, 4))
                        << std::hex << c.colour << std::dec << " " << size.cx << " x " << size.cy << " at " << x << ", "
                        << y;
        }
}

TEST(CProcessorChainFill, EmptySizesWriteNothingAndNullFails)
{
    RGBX pixel(1, 2, 3, 4);
    for (const CSize size : { CSize(0, 0), CSize(0, 5), CSize(5, 0), CSize(-3, 4), CSize(4, -3) }) {
        EXPECT_TRUE(CProcessorChain::Fill(&pixel, size, 0x000080FF));
        EXPECT_TRUE(CProcessorChain::Fill(&pixel, size, 0));
        EXPECT_EQ(pixel, RGBX(1, 2, 3, 4));
    }
    EXPECT_FALSE(CProcessorChain::Fill(nullptr, CSize(2, 2), 0x000080FF));
}

TEST(CProcessorChain, EmptyChainHandsTheSourceBackUnchanged)
{
    const TestImage src = MakePattern(5, 4);
    std::unique_ptr<RGBX[]> source = CopyPixels(src);
    const RGBX* address = source.get();
    CProcessorArray chain;
    std::unique_ptr<RGBX[]> result;
    CSize size;
    ASSERT_TRUE(CProcessorChain::Run(chain, std::move(source), src.Size(), kTestBackground, result, size));
    EXPECT_EQ(result.get(), address);
    EXPECT_EQ(size, src.Size());
    EXPECT_TRUE(ImagesEqual(src, ToImage(result.get(), size)));
}

TEST(CProcessorChain, MissingSourceOrProcessorFails)
{
    CImageGrayer grayer;
    CProcessorArray chain;
    chain.Add(&grayer);
    std::unique_ptr<RGBX[]> result;
    CSize size(-7, -7);
    EXPECT_FALSE(CProcessorChain::Run(chain, nullptr, CSize(2, 2), 0, result, size));
    chain.Add(nullptr);
    EXPECT_FALSE(CProcessorChain::Run(chain, CopyPixels(MakePattern(2, 2)), CSize(2, 2), 0, result, size));
    EXPECT_EQ(result, nullptr);
    EXPECT_EQ(size, CSize(-7, -7));
}

TEST(CProcessorChain, FailingStageLeavesTheResultAsItWas)
{
    const TestImage src = MakePattern(6, 6);
    const CImageGrayer grayer;
    const CImageRotator rotator(30, 1);
    for (const double factor : { 0.0, -0.5 }) {
        const CImageResizer resizer(factor);
        CProcessorArray chain;
        chain.Add(const_cast<CImageGrayer*>(&grayer));
        chain.Add(const_cast<CImageRotator*>(&rotator));
        chain.Add(const_cast<CImageResizer*>(&resizer));
        std::unique_ptr<RGBX[]> result(new RGBX[1]);
        result[0] = RGBX(9, 8, 7, 6);
        const RGBX* address = result.get();
        CSize size(1, 1);
        EXPECT_FALSE(CProcessorChain::Run(chain, CopyPixels(src), src.Size(), kTestBackground, result, size)) << factor;
        EXPECT_EQ(result.get(), address);
        EXPECT_EQ(result[0], RGBX(9, 8, 7, 6));
        EXPECT_EQ(size, CSize(1, 1));
    }
}

TEST(CProcessorChain, StagesBeyondTheSizeLimitFailTheChain)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const CImageResizer scale100000(1000.0);
    const CImageResizer scaleNan(nan);
    const CImageResizer scaleInf(inf);
    const CImageShearer shearHuge(2000000000, 0, 0);
    const CImageShearer shearMinX(INT_MIN, 0, 1);
    const CImageShearer shearMinY(0, INT_MIN, 0);
    const CImageShearer shearBoth(INT_MIN, INT_MIN, 0);
    const CImageRotator rotateNan(nan);
    const CImageRotator rotateInf(-inf);
    const CImageRotator rotateMin(INT_MIN, 1); // a valid turn by 232 degrees
    const CImage32BitProcessor* refused[] = { &scale100000, &scaleNan,  &scaleInf,  &shearHuge, &shearMinX,
                                              &shearMinY,   &shearBoth, &rotateNan, &rotateInf };
    const TestImage src = MakePattern(100, 100);
    const CImageGrayer grayer;
    for (const CImage32BitProcessor* stage : refused) {
        EXPECT_FALSE(RunChain({ &grayer, stage }, src).ok);
        EXPECT_FALSE(RunChain({ &rotateMin, stage, &grayer }, src).ok);
    }
    EXPECT_TRUE(RunChain({ &rotateMin }, src).ok);
}

TEST(CProcessorChain, SidesUpToTheLimitAreAccepted)
{
    const TestImage dot = MakePattern(1, 1);
    const CImageShearer widest(32766, 0, 0);
    const ChainOutcome wide = RunChain({ &widest }, dot);
    ASSERT_TRUE(wide.ok);
    EXPECT_EQ(wide.image.Size(), CSize(32767, 1));
    EXPECT_EQ(wide.image.At(32766, 0), dot.At(0, 0));
    const CImageShearer tooWide(32767, 0, 0);
    EXPECT_FALSE(RunChain({ &tooWide }, dot).ok);
    const CImageShearer tallest(0, -32766, 0);
    EXPECT_TRUE(RunChain({ &tallest }, dot).ok);
    const CImageShearer tooTall(0, -32767, 0);
    EXPECT_FALSE(RunChain({ &tooTall }, dot).ok);

    // A source already beyond the limit is refused.
    CProcessorArray chain;
    const CImageGrayer grayer;
    chain.Add(const_cast<CImageGrayer*>(&grayer));
    std::unique_ptr<RGBX[]> result;
    CSize size;
    EXPECT_FALSE(
        CProcessorChain::Run(chain, std::unique_ptr<RGBX[]>(new RGBX[32768]), CSize(32768, 1), 0, result, size));
}

TEST(CProcessorChain, ShrinkingToNothingGivesAnEmptyPicture)
{
    const CImageResizer tiny(0.001);
    const ChainOutcome outcome = RunChain({ &tiny }, MakePattern(100, 100));
    ASSERT_TRUE(outcome.ok);
    EXPECT_EQ(outcome.image.Size(), CSize(0, 0));
}

TEST(CProcessorChain, RotateShrinkShearShowsOnlyBackgroundOutsideTheLastStage)
{
    // No source pixel has the background colour, so any stale pixel of an
    // earlier stage would show as a difference.
    const TestImage src = MakePattern(40, 30);
    const CImageRotator rotate(30, 1);
    const CImageResizer shrink(0.5);
    const CImageShearer shear(9, -6, 0);
    const std::vector<const CImage32BitProcessor*> stages = { &rotate, &shrink, &shear };
    const ChainOutcome outcome = RunChain(stages, src);
    ASSERT_TRUE(outcome.ok);
    const TestImage expected = RunStagesSeparately(stages, src);
    EXPECT_TRUE(ImagesEqual(expected, outcome.image));
    // The top-left corner lies outside the sheared picture.
    EXPECT_EQ(outcome.image.At(0, 0), BackgroundPixel());
}

TEST(CProcessorChain, EffectsChainsMatchStageByStageResults)
{
    const CImageGrayer grey;
    const CImageNegator negate;
    const CImageColorReplacer replace(0x00000000, 0x000000FF);
    const CImageFlipper flip(1, 1);
    const CImageRotator rotate(45, 1);
    const CImageResizer half(0.5);
    const CImageResizer triple(3);
    const CImageShearer shear(12, 12, 1);
    const CImageShearer shearBack(-5, 0, 0);
    const CImageBlurrer blur(5);
    const CImageSharpener sharpen(5);
    const CImageRotator quarter(90, 0);
    const std::vector<std::vector<const CImage32BitProcessor*>> chains = {
        { &grey, &negate, &replace, &flip, &rotate, &half, &shear, &blur, &sharpen },
        { &half, &triple, &quarter }, // the source buffer grows again
        { &shearBack, &quarter, &half, &rotate, &triple },
        { &triple, &half, &half, &blur },
        { &sharpen },
    };
    // 1500 x 800 turned by 45 degrees is 1627 x 1627, which the chain shrinks
    // band by band (13 bands) without holding it whole.
    for (const CSize size : { CSize(1, 1), CSize(2, 9), CSize(9, 2), CSize(23, 16), CSize(1500, 800) }) {
        const TestImage src = MakePalettePattern(size.cx, size.cy, 6);
        for (size_t i = 0; i < chains.size(); ++i) {
            const ChainOutcome outcome = RunChain(chains[i], src, kTestBackground);
            ASSERT_TRUE(outcome.ok) << "chain " << i;
            EXPECT_TRUE(ImagesEqual(RunStagesSeparately(chains[i], src), outcome.image))
                << "chain " << i << " on " << size.cx << " x " << size.cy;
        }
    }
}

// A stage that checks the contract of every call (its destination holds only
// background, its source holds the previous stage's output) and then writes
// its whole output with a pattern of its own.
class ProbeStage : public CImage32BitProcessor
{
public:
    ProbeStage(int id, CSize grow, int* pCalls) : m_id(id), m_grow(grow), m_pCalls(pCalls) {}

    CSize CalcDestSize(CSize sizeSrc) const override { return CSize(sizeSrc.cx + m_grow.cx, sizeSrc.cy + m_grow.cy); }

    BOOL ProcessPixels(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const override
    {
        EXPECT_EQ(sizeDst, CalcDestSize(sizeSrc));
        ++*m_pCalls;
        for (int y = 0; y < sizeSrc.cy && m_id > 0; ++y) {
            for (int c = 0; c < sizeSrc.cx; ++c)
                EXPECT_EQ(pSrc[y * sizeSrc.cx + c], Mark(m_id - 1, c, y))
                    << "stage " << m_id << " source " << c << ", " << y;
        }
        for (int i = 0; i < sizeDst.cx * sizeDst.cy; ++i)
            EXPECT_EQ(pDst[i], BackgroundPixel()) << "stage " << m_id << " destination pixel " << i;
        for (int y = 0; y < sizeDst.cy; ++y)
            for (int c = 0; c < sizeDst.cx; ++c)
                pDst[y * sizeDst.cx + c] = Mark(m_id, c, y);
        return TRUE;
    }

    static RGBX Mark(int id, int c, int y) { return RGBX(BYTE(id), BYTE(c), BYTE(y), 0xEE); }

private:
    int m_id;
    CSize m_grow;
    int* m_pCalls;
};

TEST(CProcessorChain, EveryStageStartsOnBackgroundWithThePreviousOutput)
{
    int calls = 0;
    const ProbeStage s0(0, CSize(3, -2), &calls);
    const ProbeStage s1(1, CSize(-5, 4), &calls);
    const ProbeStage s2(2, CSize(-1, -6), &calls);
    const ProbeStage s3(3, CSize(6, 6), &calls);
    const ProbeStage s4(4, CSize(0, 0), &calls);
    const ChainOutcome outcome = RunChain({ &s0, &s1, &s2, &s3, &s4 }, MakePattern(8, 8));
    ASSERT_TRUE(outcome.ok);
    EXPECT_EQ(calls, 5);
    ASSERT_EQ(outcome.image.Size(), CSize(11, 10));
    EXPECT_EQ(outcome.image.At(10, 9), ProbeStage::Mark(4, 10, 9));
}

} // namespace
