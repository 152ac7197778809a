// Tests of the blur and sharpen filters: strength clamping, the worked
// examples, borders and agreement with the plain reference.
#include "CImageBlurrer.h"
#include "CImageSharpener.h"
#include "ReferenceProcessors.h"
#include "TestImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// Sizes that reach every path of the filters: no interior, a one-pixel
// interior, odd and even widths around the vector widths, and large pictures.
const CSize kFilterSizes[] = {CSize(1, 1), CSize(1, 9), CSize(9, 1), CSize(2, 2), CSize(3, 3), CSize(4, 3),
                              CSize(3, 4), CSize(5, 5), CSize(8, 6), CSize(9, 7), CSize(16, 3), CSize(17, 4),
                              CSize(33, 5), CSize(64, 9), CSize(131, 37), CSize(3, 120), CSize(257, 66)};

// A picture that mixes flat areas (the whole pixel or one channel constant),
// smooth gradients, noise and single odd pixels, so that filters meet runs of
// equal values of every length, starting and ending anywhere, borders
// included.
TestImage MakeMixedPicture(int width, int height, unsigned seed)
{
    TestImage image = MakePattern(width, height, seed);
    unsigned state = seed * 2654435761u + 1;
    for (int y = 0; y < height; ++y)
        for (int c = 0; c < width; ++c)
        {
            state = state * 1103515245u + 12345u;
            RGBX& p = image.At(c, y);
            const int area = ((c / 5) + (y / 4) * 3 + static_cast<int>(seed)) % 5;
            if (area == 0)
                p = RGBX(240, 240, 240, p.x);                        // flat
            else if (area == 1)
                p.r = 128;                                             // one channel flat
            else if (area == 2)
                p = RGBX(BYTE(c / 3), BYTE(y / 2), 255, p.x);          // gradient, red flat at the top
            if ((state >> 27) == 0)
                p = RGBX(BYTE(state >> 8), BYTE(state >> 16), BYTE(state >> 24), p.x);  // odd pixel
        }
    return image;
}

// The filter's output over a destination whose fourth bytes differ from
// pixel to pixel, so that a filter writing the fourth byte shows.
TestImage ApplyOverMarkedDestination(const CImage32BitProcessor& processor, const TestImage& src)
{
    TestImage dst(src.width, src.height, BackgroundPixel());
    for (size_t i = 0; i < dst.pixels.size(); ++i)
        dst.pixels[i].x = static_cast<BYTE>(i * 37 + 11);
    EXPECT_TRUE(processor.ProcessPixels(src.Data(), src.Size(), dst.Data(), dst.Size()));
    return dst;
}

// The reference result with the same marked fourth bytes where the rule
// leaves them unwritten (pixels the reference shows with the background's
// fourth byte).
TestImage MarkReference(TestImage expected, const TestImage& src, bool bordersCopied)
{
    for (int y = 0; y < expected.height; ++y)
        for (int c = 0; c < expected.width; ++c)
        {
            const bool border = c == 0 || y == 0 || c == expected.width - 1 || y == expected.height - 1;
            if (bordersCopied && border)
                continue;
            expected.At(c, y).x = static_cast<BYTE>((static_cast<size_t>(y) * src.width + c) * 37 + 11);
        }
    return expected;
}

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

TEST(CImageBlurrer, MatchesTheReferenceOnMixedPicturesOfManySizes)
{
    for (const CSize size : kFilterSizes)
        for (int strength = 1; strength <= 10; ++strength)
        {
            const TestImage src = MakeMixedPicture(size.cx, size.cy, static_cast<unsigned>(strength));
            ASSERT_TRUE(ImagesEqual(MarkReference(reference::Blur(src, strength), src, false),
                                    ApplyOverMarkedDestination(CImageBlurrer(strength), src)))
                << size.cx << " x " << size.cy << " strength " << strength;
        }
}

// Every box sum an interior pixel can have, at every strength: a three-row
// picture of 3 x 3 tiles whose middle pixels (interior, their neighbourhood
// inside their own tile) have the sums n, n + 1 and n + 2 in blue, green and
// red for n = 0, 3, 6, ... up to 255 * (8 + centre).
TEST(CImageBlurrer, EveryInteriorSumIsDividedExactly)
{
    for (int strength = 1; strength <= 10; ++strength)
    {
        const int centre = 55 - 5 * strength;
        const int largest = 255 * (8 + centre);
        const int tiles = largest / 3 + 1;
        TestImage src(3 * tiles, 3, RGBX(0, 0, 0, 0));
        for (int t = 0; t < tiles; ++t)
            for (int channel = 0; channel < 3; ++channel)
            {
                const int sum = std::min(3 * t + channel, largest);
                const int middle = std::min(255, sum / centre);
                int rest = sum - centre * middle;
                for (int k = 0; k < 9; ++k)
                {
                    const int c = 3 * t + k % 3;
                    const int y = k / 3;
                    RGBX& p = src.At(c, y);
                    BYTE& value = channel == 0 ? p.b : (channel == 1 ? p.g : p.r);
                    if (k == 4)
                    {
                        value = static_cast<BYTE>(middle);
                        continue;
                    }
                    value = static_cast<BYTE>(std::min(rest, 255));
                    rest -= value;
                }
            }
        ASSERT_TRUE(ImagesEqual(reference::Blur(src, strength), Apply(CImageBlurrer(strength), src)))
            << "strength " << strength;
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

TEST(CImageSharpener, MatchesTheReferenceOnMixedPicturesOfManySizes)
{
    for (const CSize size : kFilterSizes)
        for (int strength = 1; strength <= 10; ++strength)
        {
            const TestImage src = MakeMixedPicture(size.cx, size.cy, static_cast<unsigned>(strength) + 20);
            ASSERT_TRUE(ImagesEqual(MarkReference(reference::Sharpen(src, strength), src, true),
                                    ApplyOverMarkedDestination(CImageSharpener(strength), src)))
                << size.cx << " x " << size.cy << " strength " << strength;
        }
}

// Flat neighbourhoods of every value and strength, beside neighbourhoods
// that differ from flat in a single channel of a single position (the last
// one checked in any order), which must take the full sum.
TEST(CImageSharpener, FlatAreasOfEveryValueMatchTheReference)
{
    for (int strength = 1; strength <= 10; ++strength)
    {
        TestImage src(3 * 256, 6, RGBX(0, 0, 0, 0));
        for (int value = 0; value < 256; ++value)
            for (int y = 0; y < 6; ++y)
                for (int k = 0; k < 3; ++k)
                {
                    const BYTE v = static_cast<BYTE>(value);
                    src.At(3 * value + k, y) = RGBX(v, static_cast<BYTE>(255 - value), v, static_cast<BYTE>(y));
                }
        // Rows 3 ... 5: one byte off in one corner of some neighbourhoods.
        for (int value = 0; value < 256; value += 3)
        {
            RGBX& p = src.At(3 * value + 2, 5);
            BYTE& channel = value % 2 ? p.r : p.g;
            channel = static_cast<BYTE>(channel ^ 1);
        }
        ASSERT_TRUE(ImagesEqual(reference::Sharpen(src, strength), Apply(CImageSharpener(strength), src)))
            << "strength " << strength;
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
