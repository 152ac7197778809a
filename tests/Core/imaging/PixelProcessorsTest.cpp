// Tests of the per-pixel processors: grey scale, negative, flips and colour
// replacement.
#include "CImageColorReplacer.h"
#include "CImageFlipper.h"
#include "CImageGrayer.h"
#include "CImageNegator.h"
#include "ReferenceProcessors.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

namespace {

TestImage OnePixel(RGBX p)
{
    TestImage image(1, 1);
    image.At(0, 0) = p;
    return image;
}

TEST(CImageGrayer, WeighsRedGreenBlueThreeSixOne)
{
    struct Case
    {
        RGBX in;
        BYTE gray;
    };
    const Case cases[] = {
        { RGBX(30, 20, 10, 7), 18 }, // (3*10 + 6*20 + 30) / 10
        { RGBX(255, 255, 255, 255), 255 }, { RGBX(0, 0, 255, 0), 76 }, { RGBX(0, 255, 0, 0), 153 },
        { RGBX(255, 0, 0, 0), 25 },        { RGBX(0, 0, 0, 9), 0 },    { RGBX(9, 0, 0, 0), 0 }, // 9 / 10 truncates
    };
    const CImageGrayer grayer;
    for (const Case& c : cases)
        EXPECT_EQ(Apply(grayer, OnePixel(c.in)).At(0, 0), RGBX(c.gray, c.gray, c.gray, 0))
            << int(c.in.r) << "," << int(c.in.g) << "," << int(c.in.b);
}

// Every colour: 256 pictures of 256 x 256 pixels, one per red value, with
// green by row and blue by column.
TEST(CImageGrayer, EveryColourFollowsTheRule)
{
    const CImageGrayer grayer;
    TestImage src(256, 256);
    TestImage dst(256, 256, BackgroundPixel());
    for (int red = 0; red < 256; ++red) {
        for (int y = 0; y < 256; ++y)
            for (int c = 0; c < 256; ++c)
                src.At(c, y) = RGBX(BYTE(c), BYTE(y), BYTE(red), BYTE(c ^ y));
        ASSERT_TRUE(grayer.ProcessPixels(src.Data(), src.Size(), dst.Data(), dst.Size()));
        for (int y = 0; y < 256; ++y)
            for (int c = 0; c < 256; ++c) {
                const BYTE gray = static_cast<BYTE>((3 * red + 6 * y + c) / 10);
                ASSERT_EQ(dst.At(c, y), RGBX(gray, gray, gray, 0)) << "r " << red << " g " << y << " b " << c;
            }
    }
}

// Sizes around the vector widths and large ones, with fourth bytes that
// differ in the source and in the destination.
const CSize kPixelSizes[] = { CSize(1, 1),  CSize(1, 7),  CSize(7, 1),  CSize(2, 2),  CSize(3, 3),   CSize(5, 3),
                              CSize(15, 2), CSize(16, 3), CSize(17, 5), CSize(33, 9), CSize(250, 41) };

TestImage MarkedDestination(int width, int height)
{
    TestImage dst(width, height, BackgroundPixel());
    for (size_t i = 0; i < dst.pixels.size(); ++i)
        dst.pixels[i].x = static_cast<BYTE>(i * 29 + 5);
    return dst;
}

TEST(PixelProcessors, MatchThePlainRulesForManySizes)
{
    const CImageGrayer grayer;
    const CImageNegator negator;
    const CImageColorReplacer replacer(0x7F1E140A, 0x00C3B2A1); // (r 10, g 20, b 30) -> (r 0xA1, g 0xB2, b 0xC3)
    for (const CSize size : kPixelSizes) {
        const TestImage src = MakePalettePattern(size.cx, size.cy, static_cast<unsigned>(size.cx));
        TestImage gray = MarkedDestination(size.cx, size.cy);
        TestImage negative = MarkedDestination(size.cx, size.cy);
        TestImage replaced = MarkedDestination(size.cx, size.cy);
        const TestImage marks = MarkedDestination(size.cx, size.cy);
        ASSERT_TRUE(grayer.ProcessPixels(src.Data(), src.Size(), gray.Data(), gray.Size()));
        ASSERT_TRUE(negator.ProcessPixels(src.Data(), src.Size(), negative.Data(), negative.Size()));
        ASSERT_TRUE(replacer.ProcessPixels(src.Data(), src.Size(), replaced.Data(), replaced.Size()));
        for (int y = 0; y < size.cy; ++y)
            for (int c = 0; c < size.cx; ++c) {
                const RGBX& s = src.At(c, y);
                const BYTE g = static_cast<BYTE>((3 * s.r + 6 * s.g + s.b) / 10);
                ASSERT_EQ(gray.At(c, y), RGBX(g, g, g, 0));
                ASSERT_EQ(negative.At(c, y), RGBX(BYTE(255 - s.b), BYTE(255 - s.g), BYTE(255 - s.r), marks.At(c, y).x));
                const bool match = s.r == 10 && s.g == 20 && s.b == 30;
                ASSERT_EQ(replaced.At(c, y), match ? RGBX(0xC3, 0xB2, 0xA1, 0) : s);
            }
        // The spare pixel after the picture is never written.
        ASSERT_EQ(gray.pixels.back(), marks.pixels.back());
        ASSERT_EQ(negative.pixels.back(), marks.pixels.back());
        ASSERT_EQ(replaced.pixels.back(), marks.pixels.back());
    }
}

TEST(CImageNegator, InvertsColourAndKeepsTheDestinationFourthByte)
{
    const CImageNegator negator;
    EXPECT_EQ(Apply(negator, OnePixel(RGBX(0, 0, 0, 0))).At(0, 0), RGBX(255, 255, 255, BackgroundPixel().x));
    const TestImage src = MakePattern(6, 3);
    const TestImage out = Apply(negator, src);
    for (int y = 0; y < 3; ++y)
        for (int c = 0; c < 6; ++c) {
            const RGBX& s = src.At(c, y);
            ASSERT_EQ(out.At(c, y), RGBX(BYTE(255 - s.b), BYTE(255 - s.g), BYTE(255 - s.r), BackgroundPixel().x));
        }
    // A destination fourth byte other than the background's stays too.
    TestImage dst(1, 1, RGBX(1, 2, 3, 0xAB));
    const TestImage white = OnePixel(RGBX(255, 255, 255, 0));
    ASSERT_TRUE(negator.ProcessPixels(white.Data(), white.Size(), dst.Data(), dst.Size()));
    EXPECT_EQ(dst.At(0, 0), RGBX(0, 0, 0, 0xAB));
}

TEST(CImageColorReplacer, ReplacesExactMatchesOnly)
{
    const CImageColorReplacer replacer(0x00000000, 0x000000FF);
    TestImage src(4, 1);
    src.At(0, 0) = RGBX(0, 0, 0, 0);
    src.At(1, 0) = RGBX(1, 0, 0, 5);    // (r 0, g 0, b 1)
    src.At(2, 0) = RGBX(0, 0, 0, 0x77); // black, other fourth byte: still a match
    src.At(3, 0) = RGBX(0, 1, 0, 6);
    const TestImage out = Apply(replacer, src);
    EXPECT_EQ(out.At(0, 0), RGBX(0, 0, 255, 0));
    EXPECT_EQ(out.At(1, 0), src.At(1, 0));
    EXPECT_EQ(out.At(2, 0), RGBX(0, 0, 255, 0));
    EXPECT_EQ(out.At(3, 0), src.At(3, 0));
}

TEST(CImageColorReplacer, MatchesEachChannelAgainstItsOwnBitsAndIgnoresTheTopByte)
{
    // From (r 0x10, g 0x20, b 0x30) with a top byte; to (r 0xA1, g 0xB2, b 0xC3).
    const CImageColorReplacer replacer(0x7F302010, 0xEEC3B2A1);
    TestImage src(3, 1);
    src.At(0, 0) = RGBX(0x30, 0x20, 0x10, 1);
    src.At(1, 0) = RGBX(0x10, 0x20, 0x30, 1); // channels swapped: no match
    src.At(2, 0) = RGBX(0x30, 0x20, 0x11, 1);
    const TestImage out = Apply(replacer, src);
    EXPECT_EQ(out.At(0, 0), RGBX(0xC3, 0xB2, 0xA1, 0));
    EXPECT_EQ(out.At(1, 0), src.At(1, 0));
    EXPECT_EQ(out.At(2, 0), src.At(2, 0));
}

TEST(CImageColorReplacer, EqualColoursCopyThePicture)
{
    const TestImage src = MakePalettePattern(9, 7);
    EXPECT_TRUE(ImagesEqual(src, Apply(CImageColorReplacer(0, 0), src)));
    // Equal as 32-bit values only: a different top byte replaces.
    const TestImage out = Apply(CImageColorReplacer(0x00000000, 0x01000000), src);
    for (int y = 0; y < 7; ++y)
        for (int c = 0; c < 9; ++c) {
            const RGBX& s = src.At(c, y);
            const bool black = s.r == 0 && s.g == 0 && s.b == 0;
            ASSERT_EQ(out.At(c, y), black ? RGBX(0, 0, 0, 0) : s);
        }
}

TEST(CImageFlipper, MatchesTheReferenceForEveryFlagPairAndSize)
{
    for (const CSize size : { CSize(1, 1), CSize(1, 5), CSize(5, 1), CSize(2, 2), CSize(7, 4), CSize(8, 9),
                              CSize(17, 3), CSize(33, 5), CSize(250, 7) })
        for (int horz = 0; horz <= 1; ++horz)
            for (int vert = 0; vert <= 1; ++vert) {
                const TestImage src = MakePattern(size.cx, size.cy);
                EXPECT_TRUE(
                    ImagesEqual(reference::Flip(src, horz != 0, vert != 0), Apply(CImageFlipper(horz, vert), src)))
                    << size.cx << " x " << size.cy << " flags " << horz << vert;
            }
}

TEST(CImageFlipper, BothFlagsTurnHalfWayAndNonzeroFlagsCount)
{
    const TestImage src = MakePattern(6, 4);
    const TestImage out = Apply(CImageFlipper(1, 1), src);
    EXPECT_EQ(out.At(5, 3), src.At(0, 0));
    EXPECT_EQ(out.At(0, 0), src.At(5, 3));
    EXPECT_TRUE(ImagesEqual(out, Apply(CImageFlipper(-4, 2), src)));
}

TEST(CImageFlipper, FlippingTwiceGivesThePictureBack)
{
    const TestImage src = MakePattern(7, 6);
    for (int horz = 0; horz <= 1; ++horz)
        for (int vert = 0; vert <= 1; ++vert) {
            const CImageFlipper flipper(horz, vert);
            EXPECT_TRUE(ImagesEqual(src, Apply(flipper, Apply(flipper, src))));
        }
}

TEST(PixelProcessors, KeepTheSizeAndRefuseMismatchedBuffers)
{
    const CImageGrayer grayer;
    const CImageNegator negator;
    const CImageFlipper flipper(1, 0);
    const CImageColorReplacer replacer(0, 255);
    const CImage32BitProcessor* processors[] = { &grayer, &negator, &flipper, &replacer };
    TestImage src = MakePattern(5, 5);
    TestImage dst(5, 5, BackgroundPixel());
    for (const CImage32BitProcessor* p : processors) {
        EXPECT_EQ(p->CalcDestSize(CSize(5, 3)), CSize(5, 3));
        EXPECT_FALSE(p->ProcessPixels(src.Data(), CSize(5, 5), dst.Data(), CSize(4, 5)));
        EXPECT_FALSE(p->ProcessPixels(nullptr, CSize(5, 5), dst.Data(), CSize(5, 5)));
    }
    EXPECT_TRUE(ImagesEqual(TestImage(5, 5, BackgroundPixel()), dst));
}

} // namespace
