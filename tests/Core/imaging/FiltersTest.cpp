// Tests of the blur and sharpen filters: strength clamping, the worked
// examples, borders and agreement with the plain reference.
#include "CImageBlurrer.h"
#include "CImageSharpener.h"
#include "ReferenceProcessors.h"
#include "TestImage.h"

#include <gtest/gtest.h>

namespace {

TestImage Uniform(int width, int height, BYTE value)
{
    return TestImage(width, height, RGBX(value, value, value, 3));
}

TEST(CImageBlurrer, StrengthIsClampedToZeroToTen)
{
    const TestImage src = MakePattern(9, 8);
    EXPECT_TRUE(ImagesEqual(src, Apply(CImageBlurrer(-3), src)));
    EXPECT_TRUE(ImagesEqual(src, Apply(CImageBlurrer(0), src)));
    EXPECT_TRUE(ImagesEqual(Apply(CImageBlurrer(10), src), Apply(CImageBlurrer(25), src)));
}

TEST(CImageBlurrer, SingleWhitePixelAtStrengthFive)
{
    TestImage src(3, 3, RGBX(0, 0, 0, 0));
    src.At(1, 1) = RGBX(255, 255, 255, 0);
    const TestImage out = Apply(CImageBlurrer(5), src);
    const BYTE x = BackgroundPixel().x;
    EXPECT_EQ(out.At(1, 1), RGBX(201, 201, 201, x));  // 255 * 30 / 38
    EXPECT_EQ(out.At(0, 1), RGBX(7, 7, 7, x));        // 255 / 35
    EXPECT_EQ(out.At(0, 0), RGBX(7, 7, 7, x));        // 255 / 33
    EXPECT_EQ(out.At(2, 2), RGBX(7, 7, 7, x));
}

TEST(CImageBlurrer, UniformPicturesStayUniformAtEveryStrength)
{
    for (int strength = 1; strength <= 10; ++strength)
        for (const BYTE value : {BYTE(0), BYTE(1), BYTE(128), BYTE(255)})
        {
            const TestImage out = Apply(CImageBlurrer(strength), Uniform(6, 5, value));
            EXPECT_TRUE(ImagesEqual(TestImage(6, 5, RGBX(value, value, value, BackgroundPixel().x)), out))
                << "strength " << strength << " value " << int(value);
        }
}

TEST(CImageBlurrer, MatchesTheReferenceForEveryStrengthAndShape)
{
    const CSize sizes[] = {CSize(1, 1), CSize(1, 7), CSize(7, 1), CSize(2, 2), CSize(2, 5), CSize(3, 3), CSize(10, 7),
                           CSize(31, 4)};
    for (const CSize size : sizes)
        for (int strength = 0; strength <= 10; ++strength)
        {
            const TestImage src = strength % 2 ? MakePattern(size.cx, size.cy, 2) : MakePalettePattern(size.cx, size.cy, 2);
            ASSERT_TRUE(ImagesEqual(reference::Blur(src, strength), Apply(CImageBlurrer(strength), src)))
                << size.cx << " x " << size.cy << " strength " << strength;
        }
}

TEST(CImageSharpener, StrengthIsClampedToZeroToTen)
{
    const TestImage src = MakePattern(9, 8);
    EXPECT_TRUE(ImagesEqual(src, Apply(CImageSharpener(-3), src)));
    EXPECT_TRUE(ImagesEqual(Apply(CImageSharpener(10), src), Apply(CImageSharpener(25), src)));
}

TEST(CImageSharpener, UniformInteriorAtStrengthOneFallsJustBelow)
{
    const TestImage out = Apply(CImageSharpener(1), Uniform(5, 4, 128));
    EXPECT_EQ(out.At(2, 1), RGBX(127, 127, 127, BackgroundPixel().x));
    EXPECT_EQ(out.At(0, 1), RGBX(128, 128, 128, 3));  // border: copied whole
    const TestImage strong = Apply(CImageSharpener(10), Uniform(5, 4, 128));
    EXPECT_EQ(strong.At(2, 2), RGBX(128, 128, 128, BackgroundPixel().x));
}

TEST(CImageSharpener, ClampsBothWays)
{
    TestImage dark = Uniform(3, 3, 255);
    dark.At(1, 1) = RGBX(0, 0, 0, 0);
    EXPECT_EQ(Apply(CImageSharpener(4), dark).At(1, 1), RGBX(0, 0, 0, BackgroundPixel().x));
    TestImage bright = Uniform(3, 3, 0);
    bright.At(1, 1) = RGBX(255, 255, 255, 0);
    EXPECT_EQ(Apply(CImageSharpener(4), bright).At(1, 1), RGBX(255, 255, 255, BackgroundPixel().x));
}

TEST(CImageSharpener, PicturesWithoutInteriorAreCopied)
{
    for (const CSize size : {CSize(1, 1), CSize(1, 9), CSize(9, 1), CSize(2, 2), CSize(2, 7), CSize(7, 2)})
    {
        const TestImage src = MakePattern(size.cx, size.cy);
        EXPECT_TRUE(ImagesEqual(src, Apply(CImageSharpener(6), src))) << size.cx << " x " << size.cy;
    }
}

TEST(CImageSharpener, MatchesTheReferenceForEveryStrengthAndShape)
{
    const CSize sizes[] = {CSize(3, 3), CSize(3, 8), CSize(8, 3), CSize(10, 7), CSize(33, 5)};
    for (const CSize size : sizes)
        for (int strength = 0; strength <= 10; ++strength)
        {
            const TestImage src = strength % 2 ? MakePattern(size.cx, size.cy, 4) : MakePalettePattern(size.cx, size.cy, 4);
            ASSERT_TRUE(ImagesEqual(reference::Sharpen(src, strength), Apply(CImageSharpener(strength), src)))
                << size.cx << " x " << size.cy << " strength " << strength;
        }
}

TEST(Filters, KeepTheSizeAndRefuseMismatchedBuffers)
{
    TestImage src = MakePattern(4, 4);
    TestImage dst(4, 4, BackgroundPixel());
    EXPECT_EQ(CImageBlurrer(3).CalcDestSize(CSize(4, 9)), CSize(4, 9));
    EXPECT_EQ(CImageSharpener(3).CalcDestSize(CSize(4, 9)), CSize(4, 9));
    EXPECT_FALSE(CImageBlurrer(3).ProcessPixels(src.Data(), CSize(4, 4), dst.Data(), CSize(3, 4)));
    EXPECT_FALSE(CImageSharpener(3).ProcessPixels(src.Data(), CSize(4, 4), dst.Data(), CSize(4, 3)));
    EXPECT_TRUE(ImagesEqual(TestImage(4, 4, BackgroundPixel()), dst));
}

} // namespace
