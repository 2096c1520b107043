#pragma once
// Number conventions shared by the whole program.
#include <cmath>
#include <cstdint>
#include <limits>

namespace qid {

// Rounds to the nearest whole number, halves to the even neighbour
// (12.5 gives 12, 13.5 gives 14, -2.5 gives -2).
inline double round_half_even(double v)
{
    if (!std::isfinite(v))
        return v;
    const double lower = std::floor(v);
    const double diff = v - lower;
    if (diff < 0.5)
        return lower;
    if (diff > 0.5)
        return lower + 1.0;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

// Rounds halves to even at the given number of decimals.
inline double round_half_even(double v, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return round_half_even(v * scale) / scale;
}

// A whole number clamped into the 16-bit range (never wrapped).
inline std::int16_t clamp_int16(double v)
{
    if (std::isnan(v))
        return 0;
    if (v <= std::numeric_limits<std::int16_t>::min())
        return std::numeric_limits<std::int16_t>::min();
    if (v >= std::numeric_limits<std::int16_t>::max())
        return std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(v);
}

}  // namespace qid
