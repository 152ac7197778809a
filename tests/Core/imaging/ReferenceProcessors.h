// Plain reference implementations of the pixel rules, written per pixel
// straight from each rule with no precomputation, for comparison with the
// processors. Each returns the output picture on a background of
// BackgroundPixel() where the rule leaves pixels unwritten.
#pragma once

#include "TestPictures.h"

namespace reference {

RGBX WeightedColor(const TestImage& src, double u, double v);

CSize RotatedSize(int width, int height, double angle);
TestImage Rotate(const TestImage& src, double angle, bool smooth);

TestImage Shear(const TestImage& src, int shearX, int shearY, bool smooth);

CSize ResizedSize(int width, int height, double factor);
TestImage Resize(const TestImage& src, double factor);

TestImage Blur(const TestImage& src, int strength);
TestImage Sharpen(const TestImage& src, int strength);

TestImage Flip(const TestImage& src, bool horz, bool vert);

} // namespace reference
