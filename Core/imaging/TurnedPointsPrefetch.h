// TurnedPointsPrefetch: the cache requests ahead of the rotation's runs of
// turned points, shared by the AVX2 and AVX-512 blends. Internal linkage, so
// each file built with its own instructions keeps its own copy.
#pragma once

#include "RGBX.h"

#include <xmmintrin.h>

#include <cstddef>

namespace WeightedBlend {

// How many points ahead the runs of turned points prefetch.
const int kPrefetchAhead = 16;

// Asks the caches for the source pixel (column, row) and the one below it,
// when both are inside the picture.
static inline void PrefetchRows(const RGBX* pSrc, int width, int height, int column, int row)
{
    if (column < 0 || row < 0 || column >= width || row + 1 >= height)
        return;
    const RGBX* pPixel = pSrc + static_cast<size_t>(row) * width + column;
    _mm_prefetch(reinterpret_cast<const char*>(pPixel), _MM_HINT_T0);
    _mm_prefetch(reinterpret_cast<const char*>(pPixel + width), _MM_HINT_T0);
}

} // namespace WeightedBlend
