// The number conventions: halves rounded to the even neighbour, 16-bit values clamped, never wrapped.
#include <gtest/gtest.h>

#include "core/numbers.h"

TEST(Numbers, HalvesGoToTheEvenNeighbourAndSixteenBitValuesAreClamped)
{
    const std::pair<double, double> rounded[] = {{12.5, 12}, {13.5, 14}, {-2.5, -2}, {-3.5, -4}, {12.7, 13},
                                                 {0.49999, 0}};
    for (const auto& [v, expected] : rounded)
        EXPECT_EQ(qid::round_half_even(v), expected) << v;
    EXPECT_EQ(qid::round_half_even(1.25, 1), 1.2);
    const std::pair<double, int> clamped[] = {{99999, 32767}, {-99999, -32768}, {32767, 32767}, {-32768, -32768},
                                              {1e300, 32767}};
    for (const auto& [v, expected] : clamped)
        EXPECT_EQ(qid::clamp_int16(v), expected) << v;
}
