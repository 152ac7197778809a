// TestImage: an owning W x H picture of RGBX pixels for tests (the layout of
// RGBX.h: rows top first, no gaps). Every test that reads pixels - made for a
// processor, read from a bitmap or from the screen - holds them in one.
#pragma once

#include "CSize.h"
#include "RGBX.h"

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

    // Pixel (c, y) as a COLORREF (its fourth byte left out); throws
    // std::out_of_range for a picture without pixels.
    COLORREF Color(int c, int y) const;
    // Every pixel as a COLORREF, rows top first.
    std::vector<COLORREF> Colors() const;
    // How many pixels have this colour.
    int CountColor(COLORREF color) const;

    // Same size and the same pixels (fourth bytes included; the spare pixel
    // does not count).
    bool operator==(const TestImage& other) const;
    bool operator!=(const TestImage& other) const { return !(*this == other); }
};
