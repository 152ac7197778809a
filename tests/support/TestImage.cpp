// TestImage: pictures for tests (see TestImage.h).
#include "TestImage.h"

#include <algorithm>

namespace {

COLORREF ColorOf(const RGBX& pixel)
{
    return RGB(pixel.r, pixel.g, pixel.b);
}

} // namespace

TestImage::TestImage(int w, int h, RGBX fill)
    : width(w), height(h), pixels(static_cast<size_t>(w) * static_cast<size_t>(h) + 1, fill)
{
}

COLORREF TestImage::Color(int c, int y) const
{
    return ColorOf(pixels.at(static_cast<size_t>(y) * width + c));
}

std::vector<COLORREF> TestImage::Colors() const
{
    std::vector<COLORREF> colors;
    colors.reserve(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int c = 0; c < width; ++c)
            colors.push_back(ColorOf(At(c, y)));
    return colors;
}

int TestImage::CountColor(COLORREF color) const
{
    const std::vector<COLORREF> colors = Colors();
    return static_cast<int>(std::count(colors.begin(), colors.end(), color));
}

bool TestImage::operator==(const TestImage& other) const
{
    const size_t count = static_cast<size_t>(width) * height;
    return width == other.width && height == other.height
           && (count == 0 || std::equal(pixels.begin(), pixels.begin() + count, other.pixels.begin()));
}
