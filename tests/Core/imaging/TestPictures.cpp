// Test pictures for the imaging tests (see TestPictures.h).
#include "TestPictures.h"

#include <sstream>

namespace {

unsigned Hash(unsigned a, unsigned b, unsigned seed)
{
    unsigned h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ seed * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    return h;
}

std::string Describe(const RGBX& p)
{
    std::ostringstream out;
    out << "(b " << int(p.b) << ", g " << int(p.g) << ", r " << int(p.r) << ", x " << int(p.x) << ")";
    return out.str();
}

} // namespace

TestImage MakePattern(int width, int height, unsigned seed)
{
    TestImage image(width, height);
    for (int y = 0; y < height; ++y)
        for (int c = 0; c < width; ++c) {
            const unsigned h = Hash(static_cast<unsigned>(c), static_cast<unsigned>(y), seed);
            image.At(c, y) = RGBX(
                static_cast<BYTE>(c * 7 + y * 3 + (h & 0x1F)), static_cast<BYTE>(c * 2 + y * 11 + ((h >> 8) & 0x3F)),
                static_cast<BYTE>(255 - c * 5 - y * 2 - ((h >> 16) & 0x0F)), static_cast<BYTE>(h >> 24));
        }
    return image;
}

TestImage MakePalettePattern(int width, int height, unsigned seed)
{
    static const RGBX palette[] = { RGBX(0, 0, 0, 9), RGBX(255, 255, 255, 0), RGBX(30, 20, 10, 3), RGBX(1, 0, 0, 0),
                                    RGBX(0, 0, 255, 77) };
    TestImage image(width, height);
    for (int y = 0; y < height; ++y)
        for (int c = 0; c < width; ++c)
            image.At(c, y) = palette[Hash(static_cast<unsigned>(c / 2), static_cast<unsigned>(y / 3), seed) % 5];
    return image;
}

RGBX BackgroundPixel()
{
    return RGBX::FromColor(kTestBackground);
}

TestImage Apply(const CImage32BitProcessor& processor, const TestImage& src)
{
    const CSize size = processor.CalcDestSize(src.Size());
    TestImage dst(size.cx, size.cy, BackgroundPixel());
    EXPECT_TRUE(processor.ProcessPixels(src.Data(), src.Size(), dst.Data(), size));
    return dst;
}

::testing::AssertionResult ImagesEqual(const TestImage& expected, const TestImage& actual)
{
    if (expected.width != actual.width || expected.height != actual.height)
        return ::testing::AssertionFailure() << "size " << actual.width << " x " << actual.height << ", expected "
                                             << expected.width << " x " << expected.height;
    for (int y = 0; y < expected.height; ++y)
        for (int c = 0; c < expected.width; ++c)
            if (expected.At(c, y) != actual.At(c, y))
                return ::testing::AssertionFailure()
                       << "pixel (" << c << ", " << y << ") is " << Describe(actual.At(c, y)) << ", expected "
                       << Describe(expected.At(c, y));
    return ::testing::AssertionSuccess();
}
