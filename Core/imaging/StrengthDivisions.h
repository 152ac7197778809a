// StrengthDivisions: the exact divisions of a 3 x 3 filter, one for each
// strength 1 ... 10, built at compile time from the divisor each strength
// gives. Internal to the imaging code (blur and sharpen).
#pragma once

#include "ExactDivision.h"

#include <cstdint>

// Indexed by strength; entry 0 is not used (strength 0 copies).
class StrengthDivisions
{
public:
    static constexpr int MAX_STRENGTH = 10;

    // divisorOf(strength) is the divisor at each strength 1 ... 10.
    template <class DivisorOf>
    constexpr explicit StrengthDivisions(DivisorOf divisorOf) : m_divisions{ ExactDivision{ 1, 0, 0 } }
    {
        for (int strength = 1; strength <= MAX_STRENGTH; ++strength)
            m_divisions[strength] = ExactDivision::For(divisorOf(strength));
    }

    constexpr const ExactDivision& operator[](int strength) const { return m_divisions[strength]; }

    // Whether the division at every strength is exact for all sums below
    // limitOf(strength) (see ExactDivision::IsExact).
    template <class LimitOf>
    constexpr bool AreExact(LimitOf limitOf) const
    {
        for (int strength = 1; strength <= MAX_STRENGTH; ++strength)
            if (!m_divisions[strength].IsExact(limitOf(strength)))
                return false;
        return true;
    }

private:
    ExactDivision m_divisions[MAX_STRENGTH + 1];
};
