#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "veltutil/foundation/gcd.h"

TEST(GCD, EuclidWithTruncatingRemaindersOnLongsAndTruncatedDoubles) {
    EXPECT_EQ(GCD(12L, 18L) + GCD(7L, 0L) + GCD(0L, 5L), 6 + 7 + 5);
    EXPECT_EQ(GCD(4L, -6L), -2);
    // The overflowing remainder pair is defined: like any GCD(x, -1).
    EXPECT_EQ(GCD(LONG_MIN, -1L), -1);

    int ok = -1;  // the tolerance is ignored
    EXPECT_EQ(GCD(8.9, 12.2, &ok, 0.5), 4);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(GCD(std::nan(""), 4.0, &ok, 0), 0);
    EXPECT_EQ(ok, 0);
    ok = -1;
    EXPECT_EQ(GCD(1e30, 4.0, &ok, 0), 0);
    EXPECT_EQ(ok, 0);
}

TEST(LCM, FromTwoValuesOrWithAGivenDivisor) {
    struct Case {
        double a, b, divisor, lcm;
        int ok;
    };
    const double none = -1;  // the two-value form
    for (const Case& c : {Case{4, 6, none, 12, 1}, Case{0, 6, none, 0, 0}, Case{4, -6, none, 0, 0},
                          Case{std::nan(""), 6, none, 0, 0}, Case{0.5, 0.25, none, 0, 0} /* both truncate to 0 */,
                          Case{0.5, 6, none, 0.5, 1}, Case{2, 4, 6, 12, 1}, Case{2, 0, 6, 0, 0}, Case{0, 4, 6, 0, 0}}) {
        int ok = -1;
        EXPECT_DOUBLE_EQ(c.divisor == none ? LCM(c.a, c.b, &ok) : LCM(c.a, c.b, c.divisor, &ok), c.lcm) << c.a << " " << c.b;
        EXPECT_EQ(ok, c.ok) << c.a << " " << c.b;
    }
}
