#include <gtest/gtest.h>

#include "veltutil/foundation/random.h"

TEST(Random, FollowsTheMinimalStandardSequence) {
    Random r(1);
    EXPECT_EQ(r.Unif(), 16807.0 / 2147483647.0);
    // The 10000th state from 1 is the generator's published check value.
    for (int i = 1; i < 10000; ++i) r.Unif();
    EXPECT_EQ(r.Seed(), 1043618065);
    for (int i = 0; i < 10000; ++i) ASSERT_LT(r.UnifInt(10), 10);
}

TEST(Random, NormalReturnsTheSpareScaledByTheSecondCall) {
    Random r(42), standard(42);
    EXPECT_EQ(r.Normal(0.0, 1.0), standard.Normal(0.0, 1.0));
    long afterFirst = r.Seed();
    double second = r.Normal(10.0, 3.0);
    EXPECT_EQ(r.Seed(), afterFirst);  // the spare costs no draw
    EXPECT_DOUBLE_EQ(second, 10.0 + 3.0 * standard.Normal(0.0, 1.0));

    // A copy carries the waiting spare, and SetSeed keeps it waiting.
    r.Normal(0, 1);
    Random copy(r);
    copy.SetSeed(7);
    EXPECT_EQ(copy.Normal(0, 1), r.Normal(0, 1));
}
