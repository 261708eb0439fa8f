#pragma once
// Near-equality of doubles by their bit patterns: the values are equal, or
// have the same sign and their IEEE patterns differ by fewer than `units`
// steps (units in the last place). Comparing the patterns as unsigned
// numbers of one sign never overflows, unlike a signed subtraction of values
// of opposite sign.

#include <bit>
#include <cmath>
#include <cstdint>

inline bool IsNearEqual(double a, double b, std::uint64_t units)
{
    if (a == b)
        return true;
    if (std::signbit(a) != std::signbit(b) || std::isnan(a) || std::isnan(b))
        return false;
    const auto pa = std::bit_cast<std::uint64_t>(a);
    const auto pb = std::bit_cast<std::uint64_t>(b);
    return (pa > pb ? pa - pb : pb - pa) < units;
}
