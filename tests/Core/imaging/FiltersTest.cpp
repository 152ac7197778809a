// Tests of the blur and sharpen filters: strength clamping, the worked
// examples, borders and agreement with the plain reference.
#include "CImageBlurrer.h"
#include "CImageSharpener.h"
#include "ReferenceProcessors.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// Sizes that reach every path of the filters: no interior, a one-pixel
// interior, odd and even widths around the vector widths, and large pictures.
const CSize kFilterSizes[] = { CSize(1, 1),  CSize(1, 9),    CSize(9, 1),   CSize(2, 2),   CSize(3, 3),
                               CSize(4, 3),  CSize(3, 4),    CSize(5, 5),   CSize(8, 6),   CSize(9, 7),
                               CSize(10, 4), CSize(11, 3),   CSize(16, 3),  CSize(17, 4),  CSize(33, 5),
                               CSize(64, 9), CSize(131, 37), CSize(3, 120), CSize(257, 66) };

// A picture that mixes flat areas (the whole pixel or one channel constant),
// smooth gradients, noise and single odd pixels, so that filters meet runs of
// equal values of every length, starting and ending anywhere, borders
// included.
TestImage MakeMixedPicture(int width, int height, unsigned seed)
{
    TestImage image = MakePattern(width, height, seed);
    unsigned state = seed * 2654435761u + 1;
    for (int y = 0; y < height; ++y)
        for (int c = 0; c < width; ++c) {
            state = state * 1103515245u + 12345u;
            RGBX& p = image.At(c, y);
            const int area = ((c / 5) + (y / 4) * 3 + static_cast<int>(seed)) % 5;
            if (area == 0)
                p = RGBX(240, 240, 240, p.x); // flat
            else if (area == 1)
                p.r = 128; // one channel flat
            else if (area == 2)
                p = RGBX(BYTE(c / 3), BYTE(y / 2), 255, p.x); // gradient, red flat at the top
            if ((state >> 27) == 0)
                p = RGBX(BYTE(state >> 8), BYTE(state >> 16), BYTE(state >> 24), p.x); // odd pixel
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
        for (int c = 0; c < expected.width; ++c) {
            const bool border = c == 0 || y == 0 || c == expected.width - 1 || y == expected.height - 1;
            if (bordersCopied && border)
                continue;
            expected.At(c, y).x = static_cast<BYTE>((static_cast<size_t>(y) * src.width + c) * 37 + 11);
        }
    return expected;
}

// One channel of one sharpening neighbourhood: centre value, sum of the four
// direct neighbours (0 ... 1020), sum of the four diagonal ones (0 ... 1020).
struct KernelCase
{
    int centre;
    int direct;
    int diagonal;
};

// Four values of at most 255 summing to sum: spread evenly, or filled with
// 255s from one end, or with the remainder in the middle, so that the double
// sum meets the same totals through different products.
void SplitSum(int sum, int variant, BYTE (&values)[4])
{
    for (int i = 0; i < 4; ++i) {
        int value = 0;
        if (variant == 0)
            value = sum / 4 + (i < sum % 4 ? 1 : 0);
        else if (variant == 1)
            value = std::max(0, std::min(255, sum - 255 * i));
        else
            value = std::max(0, std::min(255, sum - 255 * ((i + 2) % 4)));
        values[i] = static_cast<BYTE>(value);
    }
}

// A three-row picture of 3 x 3 tiles; the middle pixel of each tile is an
// interior pixel whose neighbourhood lies in its tile, and its blue, green
// and red channels are the next three cases. The pixels where tiles meet are
// interior too and give further, mixed neighbourhoods.
TestImage MakeKernelTiles(const std::vector<KernelCase>& cases)
{
    const int tiles = static_cast<int>((cases.size() + 2) / 3);
    TestImage image(3 * tiles, 3, RGBX(0, 0, 0, 0));
    for (size_t i = 0; i < cases.size(); ++i) {
        const int tile = static_cast<int>(i / 3);
        const int channel = static_cast<int>(i % 3);
        const KernelCase& kase = cases[i];
        BYTE direct[4], diagonal[4];
        SplitSum(kase.direct, tile % 3, direct);
        SplitSum(kase.diagonal, (tile / 3) % 3, diagonal);
        // (column step, row step) of the direct and diagonal positions.
        const int directAt[4][2] = { { 0, -1 }, { -1, 0 }, { 1, 0 }, { 0, 1 } };
        const int diagonalAt[4][2] = { { -1, -1 }, { 1, -1 }, { -1, 1 }, { 1, 1 } };
        auto set = [&](int dc, int dy, BYTE value) {
            RGBX& p = image.At(3 * tile + 1 + dc, 1 + dy);
            (channel == 0 ? p.b : (channel == 1 ? p.g : p.r)) = value;
        };
        set(0, 0, static_cast<BYTE>(kase.centre));
        for (int k = 0; k < 4; ++k) {
            set(directAt[k][0], directAt[k][1], direct[k]);
            set(diagonalAt[k][0], diagonalAt[k][1], diagonal[k]);
        }
    }
    return image;
}

// The sums D and G with e * D + G = b (both in 0 ... 1020): the largest D,
// or the smallest.
KernelCase CaseForSum(int centre, int b, int e, bool largestDirect)
{
    const int direct = largestDirect ? std::min(1020, b / e) : std::max(0, (b - 1020 + e - 1) / e);
    return KernelCase{ centre, direct, b - e * direct };
}

// The cases in pictures of at most 10000 tiles (sides stay below the
// processors' limit), each compared with the reference.
::testing::AssertionResult SharpensAsTheReference(const std::vector<KernelCase>& cases, int strength)
{
    const size_t perPicture = 30000;
    for (size_t first = 0; first < cases.size(); first += perPicture) {
        const std::vector<KernelCase> part(cases.begin() + first,
                                           cases.begin() + std::min(cases.size(), first + perPicture));
        const TestImage src = MakeKernelTiles(part);
        ::testing::AssertionResult equal =
            ImagesEqual(reference::Sharpen(src, strength), Apply(CImageSharpener(strength), src));
        if (!equal)
            return equal << " (cases from " << first << ")";
    }
    return ::testing::AssertionSuccess();
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
    EXPECT_EQ(out.At(1, 1), RGBX(201, 201, 201, x)); // 255 * 30 / 38
    EXPECT_EQ(out.At(0, 1), RGBX(7, 7, 7, x));       // 255 / 35
    EXPECT_EQ(out.At(0, 0), RGBX(7, 7, 7, x));       // 255 / 33
    EXPECT_EQ(out.At(2, 2), RGBX(7, 7, 7, x));
}

TEST(CImageBlurrer, UniformPicturesStayUniformAtEveryStrength)
{
    for (int strength = 1; strength <= 10; ++strength)
        for (const BYTE value : { BYTE(0), BYTE(1), BYTE(128), BYTE(255) }) {
            const TestImage out = Apply(CImageBlurrer(strength), Uniform(6, 5, value));
            EXPECT_TRUE(ImagesEqual(TestImage(6, 5, RGBX(value, value, value, BackgroundPixel().x)), out))
                << "strength " << strength << " value " << int(value);
        }
}

TEST(CImageBlurrer, MatchesTheReferenceForEveryStrengthAndShape)
{
    const CSize sizes[] = { CSize(1, 1), CSize(1, 7), CSize(7, 1),  CSize(2, 2),
                            CSize(2, 5), CSize(3, 3), CSize(10, 7), CSize(31, 4) };
    for (const CSize size : sizes)
        for (int strength = 0; strength <= 10; ++strength) {
            const TestImage src =
                strength % 2 ? MakePattern(size.cx, size.cy, 2) : MakePalettePattern(size.cx, size.cy, 2);
            ASSERT_TRUE(ImagesEqual(reference::Blur(src, strength), Apply(CImageBlurrer(strength), src)))
                << size.cx << " x " << size.cy << " strength " << strength;
        }
}

TEST(CImageBlurrer, MatchesTheReferenceOnMixedPicturesOfManySizes)
{
    for (const CSize size : kFilterSizes)
        for (int strength = 1; strength <= 10; ++strength) {
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
    for (int strength = 1; strength <= 10; ++strength) {
        const int centre = 55 - 5 * strength;
        const int largest = 255 * (8 + centre);
        const int tiles = largest / 3 + 1;
        TestImage src(3 * tiles, 3, RGBX(0, 0, 0, 0));
        for (int t = 0; t < tiles; ++t)
            for (int channel = 0; channel < 3; ++channel) {
                const int sum = std::min(3 * t + channel, largest);
                const int middle = std::min(255, sum / centre);
                int rest = sum - centre * middle;
                for (int k = 0; k < 9; ++k) {
                    const int c = 3 * t + k % 3;
                    const int y = k / 3;
                    RGBX& p = src.At(c, y);
                    BYTE& value = channel == 0 ? p.b : (channel == 1 ? p.g : p.r);
                    if (k == 4) {
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
    EXPECT_EQ(out.At(0, 1), RGBX(128, 128, 128, 3)); // border: copied whole
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
    for (const CSize size : { CSize(1, 1), CSize(1, 9), CSize(9, 1), CSize(2, 2), CSize(2, 7), CSize(7, 2) }) {
        const TestImage src = MakePattern(size.cx, size.cy);
        EXPECT_TRUE(ImagesEqual(src, Apply(CImageSharpener(6), src))) << size.cx << " x " << size.cy;
    }
}

TEST(CImageSharpener, MatchesTheReferenceForEveryStrengthAndShape)
{
    const CSize sizes[] = { CSize(3, 3), CSize(3, 8), CSize(8, 3), CSize(10, 7), CSize(33, 5) };
    for (const CSize size : sizes)
        for (int strength = 0; strength <= 10; ++strength) {
            const TestImage src =
                strength % 2 ? MakePattern(size.cx, size.cy, 4) : MakePalettePattern(size.cx, size.cy, 4);
            ASSERT_TRUE(ImagesEqual(reference::Sharpen(src, strength), Apply(CImageSharpener(strength), src)))
                << size.cx << " x " << size.cy << " strength " << strength;
        }
}

TEST(CImageSharpener, MatchesTheReferenceOnMixedPicturesOfManySizes)
{
    for (const CSize size : kFilterSizes)
        for (int strength = 1; strength <= 10; ++strength) {
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
    for (int strength = 1; strength <= 10; ++strength) {
        TestImage src(3 * 256, 6, RGBX(0, 0, 0, 0));
        for (int value = 0; value < 256; ++value)
            for (int y = 0; y < 6; ++y)
                for (int k = 0; k < 3; ++k) {
                    const BYTE v = static_cast<BYTE>(value);
                    src.At(3 * value + k, y) = RGBX(v, static_cast<BYTE>(255 - value), v, static_cast<BYTE>(y));
                }
        // Rows 3 ... 5: one byte off in one corner of some neighbourhoods.
        for (int value = 0; value < 256; value += 3) {
            RGBX& p = src.At(3 * value + 2, 5);
            BYTE& channel = value % 2 ? p.r : p.g;
            channel = static_cast<BYTE>(channel ^ 1);
        }
        ASSERT_TRUE(ImagesEqual(reference::Sharpen(src, strength), Apply(CImageSharpener(strength), src)))
            << "strength " << strength;
    }
}

// The kernel value is (8(e + 1)c - e*D - G) / (4(e + 1)) with
// e = 51 - 5 * strength; b = e*D + G takes every value from 0 to
// 1020 * (e + 1). Every b at every strength, with centres that bring the
// result anywhere in 0 ... 255, so every quotient and every remainder
// (multiples included) is met.
TEST(CImageSharpener, EveryNeighbourSumAtEveryStrengthMatchesTheReference)
{
    for (int strength = 1; strength <= 10; ++strength) {
        const int e = 51 - 5 * strength;
        const int denominator = 4 * (e + 1);
        std::vector<KernelCase> cases;
        for (int b = 0; b <= 1020 * (e + 1); ++b) {
            const int quotient = (b + denominator - 1) / denominator;
            const int target = 1 + (b * 7) % 255;
            const int centre = std::min(255, (quotient + target) / 2);
            cases.push_back(CaseForSum(centre, b, e, b % 2 == 0));
        }
        ASSERT_TRUE(SharpensAsTheReference(cases, strength)) << "strength " << strength;
    }
}

// Where the kernel value is a whole number m in 1 ... 255 the double sum may
// fall just below it: every centre with every such m, at every strength,
// through neighbourhoods that are not flat.
TEST(CImageSharpener, WholeKernelValuesMatchTheReference)
{
    for (int strength = 1; strength <= 10; ++strength) {
        const int e = 51 - 5 * strength;
        const int denominator = 4 * (e + 1);
        std::vector<KernelCase> cases;
        for (int centre = 0; centre < 256; ++centre)
            for (int m = std::max(1, 2 * centre - 255); m <= std::min(255, 2 * centre); ++m)
                cases.push_back(CaseForSum(centre, denominator * (2 * centre - m), e, (centre + m) % 2 == 0));
        ASSERT_TRUE(SharpensAsTheReference(cases, strength)) << "strength " << strength;
    }
}

// Neighbourhoods drawn over the whole range of centre, direct and diagonal
// sums.
TEST(CImageSharpener, RandomNeighbourhoodsMatchTheReference)
{
    unsigned state = 7;
    auto next = [&state](int range) {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 8) % static_cast<unsigned>(range));
    };
    for (int strength = 1; strength <= 10; ++strength) {
        std::vector<KernelCase> cases;
        for (int i = 0; i < 60000; ++i)
            cases.push_back(KernelCase{ next(256), next(1021), next(1021) });
        ASSERT_TRUE(SharpensAsTheReference(cases, strength)) << "strength " << strength;
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
