// Test pictures for the imaging tests: an owning W x H pixel buffer, an
// asymmetric pattern with distinct channel values, and a comparison that
// names the first differing pixel.
#pragma once

#include "CImage32BitProcessor.h"
#include "CSize.h"
#include "RGBX.h"

#include <gtest/gtest.h>

#include <vector>

// The pixel vector holds one spare pixel after the picture so that even a
// picture without pixels has a buffer address to pass.
struct TestImage
{
    int width = 0;
    int height = 0;
    std::vector<RGBX> pixels;

    TestImage() = default;
    TestImage(int w, int h, RGBX fill = RGBX());

    CSize Size() const { return CSize(width, height); }
    RGBX& At(int c, int y) { return pixels[static_cast<size_t>(y) * width + c]; }
    const RGBX& At(int c, int y) const { return pixels[static_cast<size_t>(y) * width + c]; }
    RGBX* Data() { return pixels.data(); }
    const RGBX* Data() const { return pixels.data(); }
};

// A picture without symmetry: every channel, the fourth byte included, varies
// differently with column and row and from a pseudo-random term, so swapped
// channels, mirrored or shifted pixels all show.
TestImage MakePattern(int width, int height, unsigned seed = 1);

// Pixels chosen from a small palette, so that blur and replacement meet runs
// of equal colours and exact matches.
TestImage MakePalettePattern(int width, int height, unsigned seed = 1);

// The background colour used by the tests, and the pixel Fill makes of it.
const unsigned kTestBackground = 0x00123456;
RGBX BackgroundPixel();

// The processor's output for src: a destination of CalcDestSize(src) pixels
// filled with BackgroundPixel(), then ProcessPixels (which must succeed).
TestImage Apply(const CImage32BitProcessor& processor, const TestImage& src);

::testing::AssertionResult ImagesEqual(const TestImage& expected, const TestImage& actual);
