// CImagingCpu: which vector instructions the processors use, found at run
// time and lowered by tests and benchmarks to compare the paths.
#pragma once

#include "TesLibApi.h"

// LEVEL_SCALAR: plain C++ only; LEVEL_SSE2: 128-bit lanes (every x86-64
// processor has them); LEVEL_AVX2: 256-bit lanes where the processor and the
// system support them; LEVEL_AVX512: besides those, 512-bit lanes (AVX-512
// foundation, byte and word, vector length) where they pay. Every level gives the same bytes.
class TESLIB_API CImagingCpu
{
public:
    enum Level
    {
        LEVEL_SCALAR = 0,
        LEVEL_SSE2 = 1,
        LEVEL_AVX2 = 2,
        LEVEL_AVX512 = 3
    };

    // The level in use: the best supported one unless lowered.
    static int GetLevel();
    // The best level this processor and build support.
    static int GetSupportedLevel();
    // Uses level, capped at the supported one; returns the level now in use.
    static int SetLevel(int level);
};
