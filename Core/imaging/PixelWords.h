// PixelWords: the pixel-word helpers the processors share: a pixel read and
// written as one 32-bit word, the mask of its three colour bytes, and the
// write-back that keeps the destination's fourth byte. Internal to the
// imaging code; internal linkage, so that the copies built for AVX2
// (FilterRows.h) stay in their own file.
#pragma once

#include "RGBX.h"

#include <cstdint>
#include <cstring>

namespace PixelWords {

// The word of a pixel, in memory order (little-endian: blue in the low byte).
static inline std::uint32_t Read(const RGBX* pPixel)
{
    std::uint32_t word;
    std::memcpy(&word, pPixel, sizeof(word));
    return word;
}

static inline void Write(RGBX* pPixel, std::uint32_t word)
{
    std::memcpy(static_cast<void*>(pPixel), &word, sizeof(word));
}

// The bytes b, g and r of a pixel word.
static inline std::uint32_t ColourMask()
{
    const RGBX colourBytes(0xFF, 0xFF, 0xFF, 0);
    return Read(&colourBytes);
}

// Writes the colour bytes of word into the pixel; its fourth byte stays as
// the background fill (or whoever wrote it last) left it.
static inline void WriteColourKeepFourth(RGBX* pPixel, std::uint32_t word, std::uint32_t colourMask)
{
    Write(pPixel, (word & colourMask) | (Read(pPixel) & ~colourMask));
}

} // namespace PixelWords
