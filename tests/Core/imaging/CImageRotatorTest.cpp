// Tests of the rotator: angle normalisation, output sizes, exact copies at
// right angles, the exclusive source window, and agreement with the plain
// reference for many sizes and angles.
#include "CImageRotator.h"
#include "ReferenceProcessors.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <map>
#include <utility>

namespace {

const double kPi = 3.141592653589793;

TEST(CImageRotator, DegreesAreBroughtIntoZeroTo359)
{
    struct Case
    {
        int degrees;
        int normalised;
    };
    const Case cases[] = {
        { 0, 0 },     { 1, 1 },    { 359, 359 },  { 360, 0 },  { 361, 1 },       { 720, 0 },       { -1, 359 },
        { -90, 270 }, { -360, 0 }, { -361, 359 }, { -720, 0 }, { INT_MAX, 127 }, { INT_MIN, 232 }, { INT_MIN + 1, 233 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(CImageRotator(c.degrees, 0).GetAngle(), c.normalised * kPi / 180) << c.degrees;
}

TEST(CImageRotator, RadiansAreBroughtIntoZeroExclusiveToTwoPi)
{
    const double twoPi = 6.283185307179586;
    struct Case
    {
        double radians;
        double stored;
    };
    const Case cases[] = {
        { 0.0, twoPi },       { -0.0, twoPi },
        { 1.0, 1.0 },         { twoPi, twoPi },
        { 7.0, 7.0 - twoPi }, { -1.0, -1.0 + twoPi },
        { -twoPi, twoPi },    { 3 * twoPi + 0.5, ((3 * twoPi + 0.5) - twoPi - twoPi) - twoPi },
    };
    for (const Case& c : cases)
        EXPECT_EQ(CImageRotator(c.radians).GetAngle(), c.stored) << c.radians;
}

TEST(CImageRotator, HugeRadiansEndInRangeWithoutLooping)
{
    for (const double radians : { 1e300, -1e300, 1e12, -3.5e9, std::numeric_limits<double>::max() }) {
        const double stored = CImageRotator(radians).GetAngle();
        EXPECT_GT(stored, 0) << radians;
        EXPECT_LE(stored, 6.283185307179586) << radians;
    }
}

TEST(CImageRotator, OutputSizesOfTheWorkedExamples)
{
    struct Case
    {
        int width;
        int height;
        int degrees;
        CSize size;
    };
    const Case cases[] = {
        { 100, 50, 90, CSize(52, 102) },   { 100, 50, 270, CSize(52, 102) },  { 100, 50, 1, CSize(102, 52) },
        { 100, 50, 180, CSize(102, 52) },  { 100, 50, 359, CSize(102, 52) },  { 100, 50, 45, CSize(108, 108) },
        { 640, 480, 90, CSize(482, 642) }, { 640, 480, 45, CSize(792, 792) }, { 100, 50, 0, CSize(100, 50) },
        { 100, 50, 360, CSize(100, 50) },  { 0, 50, 45, CSize(0, 50) },       { 7, 0, 45, CSize(7, 0) },
        { 1, 1, 90, CSize(2, 2) },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CImageRotator(c.degrees, 0).CalcDestSize(CSize(c.width, c.height)), c.size)
            << c.width << " x " << c.height << " at " << c.degrees;
        EXPECT_EQ(reference::RotatedSize(c.width, c.height, CImageRotator(c.degrees, 0).GetAngle()), c.size);
    }
    EXPECT_EQ(CImageRotator(0.0).CalcDestSize(CSize(100, 50)), CSize(102, 52));
}

TEST(CImageRotator, ZeroAnd360DegreesCopyThePicture)
{
    const TestImage src = MakePattern(9, 6);
    EXPECT_TRUE(ImagesEqual(src, Apply(CImageRotator(0, 0), src)));
    EXPECT_TRUE(ImagesEqual(src, Apply(CImageRotator(360, 1), src)));
}

TEST(CImageRotator, MinusNinetyEqualsTwoSeventy)
{
    const TestImage src = MakePattern(9, 6);
    EXPECT_EQ(CImageRotator(-90, 0).GetAngle(), CImageRotator(270, 0).GetAngle());
    EXPECT_TRUE(ImagesEqual(Apply(CImageRotator(270, 1), src), Apply(CImageRotator(-90, 1), src)));
}

TEST(CImageRotator, RadiansZeroTurnsAFullCircleLikeAnyAngle)
{
    const TestImage src = MakePattern(100, 50);
    const TestImage out = Apply(CImageRotator(0.0), src);
    ASSERT_EQ(out.Size(), CSize(102, 52));
    EXPECT_TRUE(ImagesEqual(reference::Rotate(src, 6.283185307179586, false), out));
}

// Source pixels by colour, for following pixels through turns; the pattern
// has no two equal pixels at these sizes.
class PixelTracker
{
public:
    explicit PixelTracker(const TestImage& src)
    {
        for (int y = 0; y < src.height; ++y)
            for (int c = 0; c < src.width; ++c)
                m_positions[Key(src.At(c, y))] = std::make_pair(c, y);
        m_distinct = m_positions.size() == static_cast<size_t>(src.width) * src.height;
    }
    bool Distinct() const { return m_distinct; }
    // The source position of a pixel, or (-1, -1) for a pixel of no source.
    std::pair<int, int> Find(const RGBX& p) const
    {
        const auto found = m_positions.find(Key(p));
        return found == m_positions.end() ? std::make_pair(-1, -1) : found->second;
    }

private:
    static unsigned Key(const RGBX& p) { return p.b | p.g << 8 | p.r << 16 | unsigned(p.x) << 24; }
    std::map<unsigned, std::pair<int, int>> m_positions;
    bool m_distinct = false;
};

// Where a clockwise quarter turn of a W x H picture into DW x DH ideally
// puts source pixel (c, y): (hw + hsh - 1 - y, c + hh - hsw).
std::pair<int, int> QuarterTurnTarget(CSize src, CSize dst, std::pair<int, int> at)
{
    const int hw = dst.cx / 2 + dst.cx % 2, hh = dst.cy / 2 + dst.cy % 2;
    const int hsw = src.cx / 2 + src.cx % 2, hsh = src.cy / 2 + src.cy % 2;
    return std::make_pair(hw + hsh - 1 - at.second, at.first + hh - hsw);
}

// cos(90 degrees) is not exactly 0, so a sampling point can truncate one
// pixel away from its ideal place (towards zero, near the centre lines):
// every pixel must be a whole source pixel, never of the last source row or
// column, at most one pixel from its ideal place.
TEST(CImageRotator, QuarterTurnCopiesWholePixelsAndSkipsTheLastRowAndColumn)
{
    const TestImage src = MakePattern(100, 50);
    const PixelTracker tracker(src);
    ASSERT_TRUE(tracker.Distinct());
    const TestImage out = Apply(CImageRotator(90, 0), src);
    ASSERT_EQ(out.Size(), CSize(52, 102));
    std::map<std::pair<int, int>, int> seen;
    for (int i = 0; i < out.height; ++i)
        for (int j = 0; j < out.width; ++j) {
            if (out.At(j, i) == BackgroundPixel())
                continue;
            const std::pair<int, int> from = tracker.Find(out.At(j, i));
            ASSERT_GE(from.first, 0) << "pixel (" << j << ", " << i << ") is no source pixel";
            ASSERT_LT(from.first, 99);
            ASSERT_LT(from.second, 49);
            const std::pair<int, int> ideal = QuarterTurnTarget(src.Size(), out.Size(), from);
            ASSERT_LE(std::abs(j - ideal.first), 1) << "source (" << from.first << ", " << from.second << ")";
            ASSERT_LE(std::abs(i - ideal.second), 1) << "source (" << from.first << ", " << from.second << ")";
            ++seen[from];
        }
    // At most one source line is lost to the truncation, never more.
    EXPECT_GE(seen.size(), 98u * 49u);
}

// Four quarter turns bring the pixels that survive them back into their
// arrangement: each is within the accumulated truncation effects (at most
// two pixels) of the place where four ideal turns put it, and the interior
// of the picture survives.
TEST(CImageRotator, FourQuarterTurnsKeepTheArrangement)
{
    const TestImage src = MakePattern(41, 30);
    const PixelTracker tracker(src);
    ASSERT_TRUE(tracker.Distinct());
    const CImageRotator quarter(90, 0);
    CSize sizes[5] = { src.Size() };
    TestImage out = src;
    for (int turn = 0; turn < 4; ++turn) {
        out = Apply(quarter, out);
        sizes[turn + 1] = out.Size();
    }

    std::map<std::pair<int, int>, int> deviations;
    int survivors = 0;
    for (int i = 0; i < out.height; ++i)
        for (int j = 0; j < out.width; ++j) {
            if (out.At(j, i) == BackgroundPixel())
                continue;
            const std::pair<int, int> from = tracker.Find(out.At(j, i));
            ASSERT_GE(from.first, 0);
            std::pair<int, int> ideal = from;
            for (int turn = 0; turn < 4; ++turn)
                ideal = QuarterTurnTarget(sizes[turn], sizes[turn + 1], ideal);
            ASSERT_LE(std::abs(j - ideal.first), 2) << "source (" << from.first << ", " << from.second << ")";
            ASSERT_LE(std::abs(i - ideal.second), 2) << "source (" << from.first << ", " << from.second << ")";
            ++deviations[std::make_pair(j - ideal.first, i - ideal.second)];
            ++survivors;
        }
    // Without the truncation effects the pictures would match exactly: some
    // pixels must sit at their ideal place, and the shifts go both ways.
    EXPECT_GT(deviations[std::make_pair(0, 0)], 0);
    EXPECT_GT(deviations.size(), 1u);
    EXPECT_GE(survivors, (41 - 6) * (30 - 6));
}

TEST(CImageRotator, MatchesTheReferenceForManySizesAndAngles)
{
    const CSize sizes[] = { CSize(1, 1), CSize(1, 7), CSize(7, 1),   CSize(2, 2),
                            CSize(3, 5), CSize(8, 6), CSize(17, 13), CSize(32, 9) };
    const int degrees[] = { 1, 10, 30, 45, 60, 89, 90, 91, 135, 180, 200, 225, 270, 300, 315, 359, -45, 1000 };
    for (const CSize size : sizes) {
        const TestImage src = MakePattern(size.cx, size.cy, 7);
        for (const int d : degrees)
            for (int smooth = 0; smooth <= 1; ++smooth) {
                const CImageRotator rotator(d, smooth);
                ASSERT_TRUE(ImagesEqual(reference::Rotate(src, rotator.GetAngle(), smooth != 0), Apply(rotator, src)))
                    << size.cx << " x " << size.cy << " at " << d << " smooth " << smooth;
            }
        for (const double radians : { 0.0, 0.3, 2.5, -2.5, 7.0, 1e-9 }) {
            const CImageRotator rotator(radians);
            ASSERT_TRUE(ImagesEqual(reference::Rotate(src, rotator.GetAngle(), false), Apply(rotator, src)))
                << size.cx << " x " << size.cy << " at " << radians << " rad";
        }
    }
}

TEST(CImageRotator, NonFiniteAnglesMakeNoRotation)
{
    TestImage src = MakePattern(4, 4);
    TestImage dst(8, 8, BackgroundPixel());
    for (const double radians : { std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity() }) {
        const CImageRotator rotator(radians);
        EXPECT_FALSE(CImage32BitProcessor::IsValidSize(rotator.CalcDestSize(src.Size()))) << radians;
        EXPECT_FALSE(rotator.ProcessPixels(src.Data(), src.Size(), dst.Data(), dst.Size())) << radians;
    }
    EXPECT_TRUE(ImagesEqual(TestImage(8, 8, BackgroundPixel()), dst));
}

TEST(CImageRotator, HugeInputSizesSaturateInsteadOfOverflowing)
{
    const CSize size = CImageRotator(45, 0).CalcDestSize(CSize(INT_MAX, INT_MAX));
    EXPECT_EQ(size, CSize(INT_MAX, INT_MAX));
    EXPECT_FALSE(CImage32BitProcessor::IsValidSize(CImageRotator(45, 0).CalcDestSize(CSize(30000, 30000))));
}

} // namespace
