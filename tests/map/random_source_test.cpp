#include "map/RandomSource.h"

#include <gtest/gtest.h>

namespace korvan {
namespace {

// Worked out by hand: state' = state * 134775813 + 1 (mod 2^32), result = (state' * n) >> 32.
TEST(RandomSource, FirstValuesFromKnownStates)
{
    RandomSource source;
    source.State = 0;
    EXPECT_EQ(source.Random(121), 0u);  // state 1: 121 >> 32 = 0
    EXPECT_EQ(source.State, 1u);
    EXPECT_EQ(source.Random(100), 3u);  // state 134775814: 13,477,581,400 / 2^32 = 3.14
    EXPECT_EQ(source.State, 134775814u);

    source.State = 0xFFFFFFFFu;         // state' = 2^32 - 134775813 + 1 = 4,160,191,484
    EXPECT_EQ(source.Random(500), 484u);  // 4,160,191,484 * 500 / 2^32 = 484.31
    EXPECT_EQ(source.State, 4160191484u);
}

TEST(RandomSource, StaysInRangeAndCoversIt)
{
    RandomSource source;
    source.State = 12345;
    bool seen[9] = {};
    for (int i = 0; i < 1000; ++i) {
        const auto value = source.Random(9);
        ASSERT_LT(value, 9u);
        seen[value] = true;
    }
    for (bool s : seen)
        EXPECT_TRUE(s);
    EXPECT_EQ(source.Random(1), 0u);
}

}  // namespace
}  // namespace korvan
