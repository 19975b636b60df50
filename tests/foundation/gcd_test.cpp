#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "veltutil/foundation/gcd.h"

TEST(GCD, EuclidWithTruncatingRemainders) {
    EXPECT_EQ(GCD(12L, 18L), 6);
    EXPECT_EQ(GCD(7L, 0L), 7);
    EXPECT_EQ(GCD(0L, 5L), 5);
    EXPECT_EQ(GCD(4L, -6L), -2);
    // The overflowing remainder pair is defined: like any GCD(x, -1).
    EXPECT_EQ(GCD(LONG_MIN, -1L), -1);
    EXPECT_EQ(GCD(9L, -1L), -1);
}

TEST(GCD, DoublesAreTruncatedAndToleranceIsIgnored) {
    int ok = -1;
    EXPECT_EQ(GCD(8.9, 12.2, &ok, 0.5), 4);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(GCD(8.9, 12.2, nullptr, 1e-12), 4);
    EXPECT_EQ(GCD(std::nan(""), 4.0, &ok, 0), 0);
    EXPECT_EQ(ok, 0);
    ok = -1;
    EXPECT_EQ(GCD(1e30, 4.0, &ok, 0), 0);
    EXPECT_EQ(ok, 0);
}

TEST(LCM, FromTwoValuesOrWithAGivenDivisor) {
    struct Case {
        double a, b, lcm;
        int ok;
    };
    for (const Case& c : {Case{4, 6, 12, 1}, Case{0, 6, 0, 0}, Case{4, -6, 0, 0}, Case{std::nan(""), 6, 0, 0},
                          Case{0.5, 0.25, 0, 0} /* both truncate to 0: no divisor */, Case{0.5, 6, 0.5, 1}}) {
        int ok = -1;
        EXPECT_DOUBLE_EQ(LCM(c.a, c.b, &ok), c.lcm) << c.a << " " << c.b;
        EXPECT_EQ(ok, c.ok) << c.a << " " << c.b;
    }
    int ok = -1;
    EXPECT_EQ(LCM(2.0, 4.0, 6.0, &ok), 12);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(LCM(2.0, 0.0, 6.0, &ok), 0);
    EXPECT_EQ(ok, 0);
    ok = -1;
    EXPECT_EQ(LCM(0.0, 4.0, 6.0, &ok), 0);
    EXPECT_EQ(ok, 0);
}
