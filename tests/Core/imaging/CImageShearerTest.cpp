// Tests of the shearer: sizes, the worked examples, agreement with the plain
// reference, and amounts at the ends of the int range.
#include "CImageShearer.h"
#include "ReferenceProcessors.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>

namespace {

TEST(CImageShearer, SizeGrowsByTheAbsoluteAmounts)
{
    struct Case
    {
        int shearX;
        int shearY;
        CSize in;
        CSize out;
    };
    const Case cases[] = {
        { 10, 0, CSize(100, 50), CSize(110, 50) },
        { 0, -20, CSize(100, 50), CSize(100, 70) },
        { -3, 4, CSize(1, 1), CSize(4, 5) },
        { 0, 0, CSize(7, 9), CSize(7, 9) },
        { INT_MIN, 0, CSize(1, 1), CSize(INT_MAX, 1) },
        { 0, INT_MIN, CSize(1, 1), CSize(1, INT_MAX) },
        { 2000000000, 2000000000, CSize(1000, 1000), CSize(2000001000, 2000001000) },
        { 2000000000, -2000000000, CSize(200000000, 200000000), CSize(INT_MAX, INT_MAX) },
        { INT_MAX, 0, CSize(0, 0), CSize(INT_MAX, 0) },
    };
    for (const Case& c : cases)
        EXPECT_EQ(CImageShearer(c.shearX, c.shearY, 0).CalcDestSize(c.in), c.out) << c.shearX << ", " << c.shearY;
}

TEST(CImageShearer, PositiveHorizontalAmountMovesTheTopRowRight)
{
    const TestImage src = MakePattern(100, 50);
    const TestImage out = Apply(CImageShearer(10, 0, 0), src);
    ASSERT_EQ(out.Size(), CSize(110, 50));
    EXPECT_EQ(out.At(0, 0), BackgroundPixel());
    EXPECT_EQ(out.At(9, 0), BackgroundPixel());
    EXPECT_EQ(out.At(10, 0), src.At(0, 0));
    EXPECT_EQ(out.At(109, 0), src.At(99, 0));
    // The bottom row moves by 10 * 1/50: a fraction, so it starts at column 0.
    EXPECT_EQ(out.At(0, 49), src.At(0, 49));
}

TEST(CImageShearer, NegativeVerticalAmountMovesTheLeftColumnDown)
{
    const TestImage src = MakePattern(100, 50);
    const TestImage out = Apply(CImageShearer(0, -20, 0), src);
    ASSERT_EQ(out.Size(), CSize(100, 70));
    EXPECT_EQ(out.At(0, 19), BackgroundPixel());
    EXPECT_EQ(out.At(0, 20), src.At(0, 0));
    EXPECT_EQ(out.At(0, 69), src.At(0, 49));
    // The right-hand column moves by 20 * 1/100 only.
    EXPECT_EQ(out.At(99, 0), src.At(99, 0));
}

TEST(CImageShearer, MatchesTheReferenceForManySizesAndAmounts)
{
    const CSize sizes[] = {
        CSize(1, 1), CSize(1, 6), CSize(6, 1), CSize(2, 2), CSize(5, 3), CSize(8, 8), CSize(13, 21)
    };
    const int amounts[][2] = { { 0, 0 },  { 10, 0 }, { -10, 0 }, { 0, 7 },   { 0, -7 },
                               { 5, -3 }, { -4, 9 }, { 1, 1 },   { -1, -1 }, { 30, 25 } };
    for (const CSize size : sizes) {
        const TestImage src = MakePattern(size.cx, size.cy, 11);
        for (const auto& amount : amounts)
            for (int smooth = 0; smooth <= 1; ++smooth)
                ASSERT_TRUE(ImagesEqual(reference::Shear(src, amount[0], amount[1], smooth != 0),
                                        Apply(CImageShearer(amount[0], amount[1], smooth), src)))
                    << size.cx << " x " << size.cy << " by (" << amount[0] << ", " << amount[1] << ") smooth "
                    << smooth;
    }
}

TEST(CImageShearer, AmountsBeyondTheBufferSizesWriteNothingOutside)
{
    // A direct call whose amounts do not fit the sizes: every sampling point
    // falls outside the source and the destination keeps its background.
    const TestImage src = MakePattern(4, 4);
    for (const int amount : { INT_MIN, INT_MAX, -2000000000 }) {
        TestImage dst(6, 6, BackgroundPixel());
        EXPECT_TRUE(CImageShearer(amount, amount, 1).ProcessPixels(src.Data(), src.Size(), dst.Data(), dst.Size()));
        EXPECT_EQ(dst.At(0, 0), BackgroundPixel()) << amount;
    }
}

TEST(CImageShearer, ASourceWithoutRowsOrColumnsIsNeverRead)
{
    // Sampling points with -1 < s < 0 truncate to 0, which is not inside a
    // source of no rows or no columns; a zero-length buffer makes any read of
    // it show under the address sanitizer.
    const CSize sources[] = { CSize(256, 0), CSize(0, 5), CSize(0, 0) };
    const int amounts[][2] = { { 1, -46 }, { -3, 2 }, { 5, 5 }, { -7, -1 } };
    for (const CSize size : sources)
        for (const auto& amount : amounts)
            for (int smooth = 0; smooth <= 1; ++smooth) {
                const CImageShearer shearer(amount[0], amount[1], smooth);
                const CSize out = shearer.CalcDestSize(size);
                std::unique_ptr<RGBX[]> src(new RGBX[0]);
                TestImage dst(out.cx, out.cy, BackgroundPixel());
                ASSERT_TRUE(shearer.ProcessPixels(src.get(), size, dst.Data(), out));
                for (int y = 0; y < out.cy; ++y)
                    for (int x = 0; x < out.cx; ++x)
                        ASSERT_EQ(dst.At(x, y), BackgroundPixel())
                            << size.cx << " x " << size.cy << " at " << x << ", " << y;
            }
}

} // namespace
