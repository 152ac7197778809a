// ExactDivision: division of small unsigned sums by a constant as a multiply
// and shifts in 16-bit lanes, built at compile time. Internal to the imaging
// code (blur, sharpen and the shrinking resizer).
#pragma once

#include <cstdint>

// For a divisor d and sums n below limit: M = ceil(2^(16 + S) / d) with S the
// largest shift that keeps M below 2^16, and then
// floor(n / d) = floor(floor(n * M / 2^16) / 2^S). With M*d = 2^(16 + S) + e
// (0 <= e < d), n*M / 2^(16 + S) = n/d + n*e / (d * 2^(16 + S)); the fraction
// of n/d is at most (d - 1)/d, so the quotient is exact whenever
// n*e < 2^(16 + S). IsExact checks that for every n below limit, and each
// user states it with static_assert.
struct ExactDivision
{
    std::uint16_t divisor;
    std::uint16_t multiplier;
    int shift;

    static constexpr int ShiftFor(std::uint32_t divisor)
    {
        int shift = 0;
        while ((((std::uint32_t(1) << (17 + shift)) + divisor - 1) / divisor) <= 0xFFFF)
            ++shift;
        return shift;
    }

    static constexpr ExactDivision For(std::uint32_t divisor)
    {
        return ExactDivision{ static_cast<std::uint16_t>(divisor),
                              static_cast<std::uint16_t>(((std::uint32_t(1) << (16 + ShiftFor(divisor))) + divisor - 1)
                                                         / divisor),
                              ShiftFor(divisor) };
    }

    constexpr bool IsExact(std::uint32_t limit) const
    {
        const std::uint32_t power = std::uint32_t(1) << (16 + shift);
        const std::uint32_t excess = std::uint32_t(multiplier) * divisor - power;
        return excess < divisor && static_cast<std::uint64_t>(limit - 1) * excess < power;
    }
};
