#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "veltutil/foundation/text_format.h"

namespace {

struct Case {
    double value;
    double mantissa;
    const char* unit;
};

void expectExpansions(std::initializer_list<Case> cases, int large = 1, int small = 1) {
    for (const Case& c : cases) {
        double mantissa = -12345;
        CString unit = "unset";
        ExpandNumber(c.value, "V", mantissa, unit, large, small);
        EXPECT_DOUBLE_EQ(mantissa, c.mantissa) << "value " << c.value;
        EXPECT_EQ(unit, c.unit) << "value " << c.value;
    }
}

}  // namespace

TEST(ExpandNumber, PrefixesSwitchAtPowersOfThousandAndSmallValuesOneDecadeEarly) {
    const double inf = std::numeric_limits<double>::infinity();
    expectExpansions({{4700, 4.7, "kV"}, {-4700, -4.7, "kV"}, {999, 999, "V"}, {1000, 1, "kV"}, {3e18, 3, "EV"},
                      {5e21, 5000, "EV"} /* beyond the last prefix the mantissa grows */, {-0.002, -2, "mV"},
                      {0.0001, 0.1, "mV"}, {0.5, 0.5, "V"}, {-5e-7, -0.5, "uV"}, {3e-18, 3, "aV"}, {3e-24, 3e-6, "aV"},
                      {0, 0, "V"}, {-1, -1, "V"}, {inf, inf, "V"}});
    expectExpansions({{4700, 4700, "V"}, {0.002, 2, "mV"}}, 0, 1);
    expectExpansions({{-0.002, -0.002, "V"}, {4700, 4.7, "kV"}}, 1, 0);

    double mantissa = 0;
    CString unit;
    ExpandNumber(std::nan(""), "V", mantissa, unit, 1, 1);
    EXPECT_TRUE(std::isnan(mantissa));
    EXPECT_EQ(unit, "V");
}
