#include <gtest/gtest.h>

#include "core/numbers.h"

using qid::clamp_int16;
using qid::round_half_even;

TEST(Numbers, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(round_half_even(12.5), 12.0);
    EXPECT_EQ(round_half_even(13.5), 14.0);
    EXPECT_EQ(round_half_even(-2.5), -2.0);
    EXPECT_EQ(round_half_even(-3.5), -4.0);
    EXPECT_EQ(round_half_even(12.7), 13.0);
    EXPECT_EQ(round_half_even(0.49999), 0.0);
    EXPECT_EQ(round_half_even(1.25, 1), 1.2);
}

TEST(Numbers, SixteenBitValuesAreClampedNotWrapped)
{
    EXPECT_EQ(clamp_int16(99999), 32767);
    EXPECT_EQ(clamp_int16(-99999), -32768);
    EXPECT_EQ(clamp_int16(32767), 32767);
    EXPECT_EQ(clamp_int16(-32768), -32768);
    EXPECT_EQ(clamp_int16(1e300), 32767);
}
