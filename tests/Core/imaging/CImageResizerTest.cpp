// Tests of the resizer: sizes, the worked examples of both paths, the box
// boundaries of the shrinking path, refused factors and agreement with the
// plain reference.
#include "CImageResizer.h"
#include "ReferenceProcessors.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <utility>
#include <vector>

namespace {

TEST(CImageResizer, SizeIsTheTruncatedProduct)
{
    struct Case
    {
        double factor;
        CSize in;
        CSize out;
    };
    const Case cases[] = {
        { 2, CSize(3, 3), CSize(6, 6) },
        { 0.5, CSize(100, 100), CSize(50, 50) },
        { 0.3, CSize(10, 10), CSize(3, 3) },
        { 1, CSize(7, 5), CSize(7, 5) },
        { 0.5, CSize(1, 1), CSize(0, 0) },
        { 1.5, CSize(3, 5), CSize(4, 7) },
        { 1000, CSize(100, 100), CSize(100000, 100000) },
        { -1, CSize(4, 2), CSize(-4, -2) },
        { 1e300, CSize(2, 0), CSize(INT_MAX, 0) },
    };
    for (const Case& c : cases)
        EXPECT_EQ(CImageResizer(c.factor).CalcDestSize(c.in), c.out) << c.factor;
    const CSize nanSize = CImageResizer(std::numeric_limits<double>::quiet_NaN()).CalcDestSize(CSize(4, 4));
    EXPECT_FALSE(CImage32BitProcessor::IsValidSize(nanSize));
}

TEST(CImageResizer, DoublingSamplesBetweenPixels)
{
    TestImage src(3, 3);
    src.At(0, 0) = RGBX(10, 20, 200, 5);
    src.At(1, 0) = RGBX(90, 100, 3, 6);
    const TestImage out = Apply(CImageResizer(2), src);
    ASSERT_EQ(out.Size(), CSize(6, 6));
    // (1, 0) lies at (0.5, 0): 0.75 * P00 + 0.25 * P10, truncated.
    EXPECT_EQ(out.At(1, 0), RGBX(30, 40, 150, 0));
    EXPECT_EQ(out.At(0, 0), RGBX(10, 20, 200, 0));
}

TEST(CImageResizer, HalvingAveragesBoxes)
{
    const TestImage src = MakePattern(100, 100);
    const TestImage out = Apply(CImageResizer(0.5), src);
    ASSERT_EQ(out.Size(), CSize(50, 50));
    int sums[3] = { 0, 0, 0 };
    for (int y = 0; y < 3; ++y)
        for (int c = 0; c < 3; ++c) {
            sums[0] += src.At(c, y).b;
            sums[1] += src.At(c, y).g;
            sums[2] += src.At(c, y).r;
        }
    EXPECT_EQ(out.At(0, 0), RGBX(BYTE(sums[0] / 9), BYTE(sums[1] / 9), BYTE(sums[2] / 9), BackgroundPixel().x));
    const RGBX& last = src.At(99, 99);
    EXPECT_EQ(out.At(49, 49), RGBX(last.b, last.g, last.r, BackgroundPixel().x));
}

// The column boxes of a shrink, found by lighting one source column at a time
// and seeing which destination column takes it up.
std::vector<std::pair<int, int>> ColumnBoxes(double factor, int width)
{
    const int height = 4;
    const int destWidth = CImageResizer(factor).CalcDestSize(CSize(width, height)).cx;
    std::vector<std::pair<int, int>> boxes(static_cast<size_t>(destWidth), std::make_pair(-1, -1));
    for (int lit = 0; lit < width; ++lit) {
        TestImage src(width, height);
        for (int y = 0; y < height; ++y)
            src.At(lit, y) = RGBX(0, 0, 255, 0);
        const TestImage out = Apply(CImageResizer(factor), src);
        for (int x = 0; x < destWidth; ++x)
            if (out.At(x, 0).r != 0) {
                if (boxes[x].first < 0)
                    boxes[x].first = lit;
                boxes[x].second = lit;
            }
    }
    return boxes;
}

TEST(CImageResizer, ShrinkBoxesHaveTheirBoundariesAtHalfSteps)
{
    std::vector<std::pair<int, int>> half;
    half.emplace_back(0, 2);
    for (int first = 3; first < 99; first += 2)
        half.emplace_back(first, first + 1);
    half.emplace_back(99, 99);
    EXPECT_EQ(ColumnBoxes(0.5, 100), half);

    const std::vector<std::pair<int, int>> tenth = { { 0, 2 }, { 3, 6 }, { 7, 9 } };
    EXPECT_EQ(ColumnBoxes(0.3, 10), tenth);
}

TEST(CImageResizer, FactorOneCopiesAndRefusedFactorsWriteNothing)
{
    const TestImage src = MakePattern(6, 5);
    EXPECT_TRUE(ImagesEqual(src, Apply(CImageResizer(1), src)));
    const double refused[] = { 0,
                               -0.5,
                               -2,
                               std::numeric_limits<double>::quiet_NaN(),
                               std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity() };
    for (const double factor : refused) {
        TestImage dst(6, 5, BackgroundPixel());
        EXPECT_FALSE(CImageResizer(factor).ProcessPixels(src.Data(), src.Size(), dst.Data(), dst.Size())) << factor;
        EXPECT_TRUE(ImagesEqual(TestImage(6, 5, BackgroundPixel()), dst));
    }
}

TEST(CImageResizer, SmoothFlagFollowsTheFactor)
{
    class Probe : public CImageResizer
    {
    public:
        using CImageResizer::CImageResizer;
        int Smooth() const { return m_bSmooth; }
    };
    EXPECT_EQ(Probe(1.01).Smooth(), 1);
    EXPECT_EQ(Probe(1).Smooth(), 0);
    EXPECT_EQ(Probe(0.5).Smooth(), 0);
}

TEST(CImageResizer, MatchesTheReferenceForManySizesAndFactors)
{
    const CSize sizes[] = { CSize(1, 1), CSize(1, 9),   CSize(9, 1),   CSize(2, 2),
                            CSize(5, 3), CSize(16, 12), CSize(33, 17), CSize(40, 40) };
    // 0.0714 on 40 x 40 gives boxes of 81, 126 and 196 pixels (196 is a count
    // whose sums the lane path divides one by one).
    const double factors[] = { 0.05, 0.0714, 0.1, 0.3, 0.5, 0.75, 0.999, 1, 1.001, 1.5, 2, 3.3, 7 };
    for (const CSize size : sizes) {
        const TestImage src = MakePattern(size.cx, size.cy, 5);
        for (const double factor : factors)
            ASSERT_TRUE(ImagesEqual(reference::Resize(src, factor), Apply(CImageResizer(factor), src)))
                << size.cx << " x " << size.cy << " by " << factor;
    }
}

TEST(CImageResizer, SizesThatDoNotFitTheFactorStayInsideTheSource)
{
    // A direct call with a destination far larger than the factor gives:
    // every read stays inside the 3 x 3 source.
    const TestImage src = MakePattern(3, 3);
    TestImage big(40, 40, BackgroundPixel());
    EXPECT_TRUE(CImageResizer(1.5).ProcessPixels(src.Data(), src.Size(), big.Data(), big.Size()));
    TestImage shrunk(30, 30, BackgroundPixel());
    EXPECT_TRUE(CImageResizer(1e-300).ProcessPixels(src.Data(), src.Size(), shrunk.Data(), shrunk.Size()));
}

} // namespace
