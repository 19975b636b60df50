#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "veltutil/foundation/text_format.h"

namespace {

struct Expanded {
    double mantissa;
    CString unit;
};

Expanded expand(double value, int large = 1, int small = 1) {
    Expanded result{-12345, "unset"};
    ExpandNumber(value, "V", result.mantissa, result.unit, large, small);
    return result;
}

}  // namespace

TEST(ExpandNumber, LargeValuesSwitchPrefixAtEveryPowerOfThousand) {
    EXPECT_DOUBLE_EQ(expand(4700).mantissa, 4.7);
    EXPECT_EQ(expand(4700).unit, "kV");
    EXPECT_DOUBLE_EQ(expand(999).mantissa, 999);
    EXPECT_EQ(expand(999).unit, "V");
    EXPECT_DOUBLE_EQ(expand(1000).mantissa, 1);
    EXPECT_EQ(expand(1000).unit, "kV");
    EXPECT_EQ(expand(2.2e6).unit, "MV");
    EXPECT_EQ(expand(3e9).unit, "GV");
    EXPECT_EQ(expand(3e12).unit, "TV");
    EXPECT_EQ(expand(3e15).unit, "PV");
    EXPECT_EQ(expand(3e18).unit, "EV");
    // Beyond the last prefix the mantissa grows instead.
    EXPECT_DOUBLE_EQ(expand(5e21).mantissa, 5000);
    EXPECT_EQ(expand(5e21).unit, "EV");
    EXPECT_DOUBLE_EQ(expand(-4700).mantissa, -4.7);
    EXPECT_EQ(expand(-4700).unit, "kV");
}

TEST(ExpandNumber, SmallValuesSwitchOneDecadeEarly) {
    EXPECT_DOUBLE_EQ(expand(-0.002).mantissa, -2);
    EXPECT_EQ(expand(-0.002).unit, "mV");
    EXPECT_DOUBLE_EQ(expand(0.01).mantissa, 10);
    EXPECT_EQ(expand(0.01).unit, "mV");
    EXPECT_DOUBLE_EQ(expand(0.0001).mantissa, 0.1);
    EXPECT_EQ(expand(0.0001).unit, "mV");
    EXPECT_DOUBLE_EQ(expand(0.5).mantissa, 0.5);
    EXPECT_EQ(expand(0.5).unit, "V");
    EXPECT_DOUBLE_EQ(expand(-5e-7).mantissa, -0.5);
    EXPECT_EQ(expand(-5e-7).unit, "uV");
    EXPECT_EQ(expand(3e-9).unit, "nV");
    EXPECT_EQ(expand(3e-12).unit, "pV");
    EXPECT_EQ(expand(3e-15).unit, "fV");
    EXPECT_EQ(expand(3e-18).unit, "aV");
    EXPECT_DOUBLE_EQ(expand(3e-24).mantissa, 3e-6);
    EXPECT_EQ(expand(3e-24).unit, "aV");
}

TEST(ExpandNumber, PassesValuesThroughWhenNoPrefixApplies) {
    EXPECT_EQ(expand(0).mantissa, 0);
    EXPECT_EQ(expand(0).unit, "V");
    EXPECT_EQ(expand(1).mantissa, 1);
    EXPECT_EQ(expand(-1).unit, "V");
    EXPECT_EQ(expand(4700, 0).mantissa, 4700);
    EXPECT_EQ(expand(4700, 0).unit, "V");
    EXPECT_EQ(expand(-0.002, 1, 0).mantissa, -0.002);
    EXPECT_EQ(expand(-0.002, 1, 0).unit, "V");
    // Switching off one kind leaves the other working.
    EXPECT_EQ(expand(0.002, 0, 1).unit, "mV");
    double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(expand(inf).mantissa, inf);
    EXPECT_EQ(expand(inf).unit, "V");
    EXPECT_TRUE(std::isnan(expand(std::nan("")).mantissa));
}
