// Tests of the processor base: size rule, plain copy, buffer checks and the
// weighted sampling rule.
#include "CImage32BitProcessor.h"
#include "ReferenceProcessors.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(CImage32BitProcessor, BaseKeepsSizeAndCopiesEveryByte)
{
    const CImage32BitProcessor base;
    const TestImage src = MakePattern(7, 5);
    EXPECT_EQ(base.CalcDestSize(CSize(7, 5)), CSize(7, 5));
    EXPECT_TRUE(ImagesEqual(src, Apply(base, src)));
}

TEST(CImage32BitProcessor, RefusesMissingBuffersInvalidSizesAndSizeMismatch)
{
    const CImage32BitProcessor base;
    TestImage src = MakePattern(4, 4);
    TestImage dst(4, 4, BackgroundPixel());
    EXPECT_FALSE(base.ProcessPixels(nullptr, src.Size(), dst.Data(), dst.Size()));
    EXPECT_FALSE(base.ProcessPixels(src.Data(), src.Size(), nullptr, dst.Size()));
    EXPECT_FALSE(base.ProcessPixels(src.Data(), CSize(-1, 4), dst.Data(), CSize(-1, 4)));
    EXPECT_FALSE(base.ProcessPixels(src.Data(), CSize(40000, 1), dst.Data(), CSize(40000, 1)));
    EXPECT_FALSE(base.ProcessPixels(src.Data(), CSize(4, 4), dst.Data(), CSize(2, 2)));
    // Nothing was written on refusal.
    EXPECT_TRUE(ImagesEqual(TestImage(4, 4, BackgroundPixel()), dst));
}

TEST(CImage32BitProcessor, ValidSizesAreZeroToMaxSide)
{
    struct Case
    {
        CSize size;
        BOOL valid;
    };
    const Case cases[] = {
        { CSize(0, 0), TRUE },      { CSize(1, 1), TRUE },   { CSize(32767, 32767), TRUE }, { CSize(32768, 1), FALSE },
        { CSize(1, 32768), FALSE }, { CSize(-1, 5), FALSE }, { CSize(5, -1), FALSE },
    };
    for (const Case& c : cases)
        EXPECT_EQ(CImage32BitProcessor::IsValidSize(c.size), c.valid) << c.size.cx << " x " << c.size.cy;
}

class WeightedColor : public ::testing::Test
{
protected:
    const CImage32BitProcessor m_base;
};

TEST_F(WeightedColor, IntegerPositionGivesTheColourWithFourthByteZero)
{
    const TestImage src = MakePattern(5, 4);
    const RGBX p = m_base.CalcWeightedColor(src.Data(), src.Size(), 2.0, 3.0);
    EXPECT_EQ(p, RGBX(src.At(2, 3).b, src.At(2, 3).g, src.At(2, 3).r, 0));
    EXPECT_NE(src.At(2, 3).x, 0);
}

TEST_F(WeightedColor, HorizontalNeighbourWeighsHalfAsMuchAsBilinear)
{
    TestImage src(2, 2);
    src.At(1, 0) = RGBX(0, 0, 200, 0);
    EXPECT_EQ(m_base.CalcWeightedColor(src.Data(), src.Size(), 0.5, 0).r, 50);
}

TEST_F(WeightedColor, LastColumnIsItsOwnRightNeighbour)
{
    TestImage src(3, 2);
    src.At(2, 0) = RGBX(10, 20, 200, 0);
    src.At(0, 1) = RGBX(99, 99, 99, 0);
    // du = 0.5 at column 2: 0.5 * (0.5*200 + 0.5*200 + 1*200 + 0) = 200.
    const RGBX p = m_base.CalcWeightedColor(src.Data(), src.Size(), 2.5, 0);
    EXPECT_EQ(p, RGBX(10, 20, 200, 0));
}

TEST_F(WeightedColor, NegativePositionGivesTheWholeClampedPixel)
{
    const TestImage src = MakePattern(4, 5);
    EXPECT_EQ(m_base.CalcWeightedColor(src.Data(), src.Size(), -0.5, 3.7), src.At(0, 3));
    EXPECT_EQ(m_base.CalcWeightedColor(src.Data(), src.Size(), 2.9, -7.0), src.At(2, 0));
    EXPECT_EQ(m_base.CalcWeightedColor(src.Data(), src.Size(), -3.2, -0.1), src.At(0, 0));
}

TEST_F(WeightedColor, MatchesTheReferenceOverTheWholePicture)
{
    for (const CSize size : { CSize(1, 1), CSize(1, 6), CSize(6, 1), CSize(5, 4) }) {
        const TestImage src = MakePattern(size.cx, size.cy, 3);
        for (double u = -1.25; u < size.cx; u += 0.125)
            for (double v = -1.25; v < size.cy; v += 0.375)
                ASSERT_EQ(m_base.CalcWeightedColor(src.Data(), size, u, v), reference::WeightedColor(src, u, v))
                    << size.cx << " x " << size.cy << " at (" << u << ", " << v << ")";
    }
}

TEST_F(WeightedColor, PositionsBeyondThePictureStayInsideIt)
{
    const TestImage src = MakePattern(3, 3);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    // Beyond the last column or row (or not a number) reads that column or row.
    EXPECT_EQ(m_base.CalcWeightedColor(src.Data(), src.Size(), 1e9, 1.0),
              m_base.CalcWeightedColor(src.Data(), src.Size(), 2.0, 1.0));
    EXPECT_EQ(m_base.CalcWeightedColor(src.Data(), src.Size(), nan, nan),
              m_base.CalcWeightedColor(src.Data(), src.Size(), 2.0, 2.0));
    EXPECT_EQ(m_base.CalcWeightedColor(src.Data(), src.Size(), -inf, inf), src.At(0, 2));
    EXPECT_EQ(m_base.CalcWeightedColor(nullptr, src.Size(), 1, 1), RGBX());
    EXPECT_EQ(m_base.CalcWeightedColor(src.Data(), CSize(0, 3), 0, 0), RGBX());
}

} // namespace
