// Test pictures for the imaging tests: an asymmetric pattern with distinct
// channel values, a palette pattern, a processor's output, and a comparison
// that names the first differing pixel.
#pragma once

#include "CImage32BitProcessor.h"
#include "TestImage.h"

#include <gtest/gtest.h>

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
