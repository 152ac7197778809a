// WeightedBlendAvx2: the weighted-colour blend of one pixel in 256-bit
// lanes (the four bytes of a pixel as four doubles). Built with AVX2 code
// generation and called only when CImagingCpu reports AVX2. It uses nothing
// but intrinsics, so no inline function of a shared header is compiled here
// with instructions other processors lack.
#include <immintrin.h>

#include <cstdint>

namespace WeightedBlend {

std::uint32_t BlendPixelAvx2(std::uint32_t w00, std::uint32_t w10, std::uint32_t w01, double du, double restU,
                             double restV, double dv)
{
    const __m256d p00 = _mm256_cvtepi32_pd(_mm_cvtepu8_epi32(_mm_cvtsi32_si128(static_cast<int>(w00))));
    const __m256d p10 = _mm256_cvtepi32_pd(_mm_cvtepu8_epi32(_mm_cvtsi32_si128(static_cast<int>(w10))));
    const __m256d p01 = _mm256_cvtepi32_pd(_mm_cvtepu8_epi32(_mm_cvtsi32_si128(static_cast<int>(w01))));
    // 0.5 * (du*P10 + (1 - du)*P00 + (1 - dv)*P00 + dv*P01), added left to right
    // (the order of WeightedBlend::Channel).
    __m256d sum = _mm256_add_pd(_mm256_mul_pd(_mm256_set1_pd(du), p10), _mm256_mul_pd(_mm256_set1_pd(restU), p00));
    sum = _mm256_add_pd(sum, _mm256_mul_pd(_mm256_set1_pd(restV), p00));
    sum = _mm256_add_pd(sum, _mm256_mul_pd(_mm256_set1_pd(dv), p01));
    const __m256d value = _mm256_mul_pd(_mm256_set1_pd(0.5), sum);
    const __m128i ints = _mm256_cvttpd_epi32(value);
    const __m128i words = _mm_packs_epi32(ints, ints);
    return static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(words, words))) & 0x00FFFFFFu;
}

} // namespace WeightedBlend
