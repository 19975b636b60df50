#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "plotmodel/axis_scale.h"
#include "plotmodel/eng_format.h"

using namespace plotmodel;

namespace {

std::vector<std::string> labelsOf(const std::vector<Tick>& ticks) {
    std::vector<std::string> labels;
    for (const Tick& tick : ticks)
        if (!tick.label.empty()) labels.push_back(tick.label);
    return labels;
}

}  // namespace

TEST(EngineeringLabel, PrefixesAndDecimalsFollowTheStep) {
    const std::tuple<double, double, const char*> cases[] = {
        {1000, 500, "1k"},          {2500, 500, "2.5k"},      {0.0025, 0.0005, "2.5m"}, {1e-5, 1e-5, "10u"},
        {0.5, 0.5, "500m"},         {-1500, 100, "-1.5k"},    {1.5e9, 5e8, "1.5G"},     {123.456, 0.001, "123.456"},
        {3e-12, 1e-12, "3p"},       {7e-15, 1e-15, "7f"},     {2e12, 1e12, "2T"},       {1.25, 0.25, "1.25"},
        {1.0 / 3, 1.0 / 3, "333m"}, {1e-17, 1, "0"},          {999.96, 0.1, "1k"},
        {0.9999999, 1e-3, "1"},     {42, -1, "42"},           {6e30, 1e30, "6e+30"},    {-2e-6, 1e-6, "-2u"},
    };
    for (const auto& [value, step, label] : cases) EXPECT_EQ(EngineeringLabel(value, step), label) << value << " " << step;
}

TEST(LinearTicks, StepsOfOneTwoOrFiveTimesAPowerOfTenWithinTheRange) {
    const std::tuple<Range, int, std::vector<std::string>> cases[] = {
        {{0, 1e-3}, 5, {"0", "200u", "400u", "600u", "800u", "1m"}},
        {{-1, 1}, 4, {"-1", "-500m", "0", "500m", "1"}},
        {{0.3, 2.9}, 6, {"500m", "1", "1.5", "2", "2.5"}},
    };
    for (const auto& [range, maxLabels, labels] : cases) {
        std::vector<Tick> ticks = LinearTicks(range, maxLabels);
        EXPECT_EQ(labelsOf(ticks), labels);
        for (const Tick& tick : ticks) EXPECT_TRUE(tick.value >= range.lo && tick.value <= range.hi) << tick.value;
    }
}

TEST(LogTicks, DecadesAndTheirSubdivisions) {
    EXPECT_EQ(labelsOf(LogTicks({1, 1000}, 8)), (std::vector<std::string>{"1", "10", "100", "1k"}));
    // Minor ticks between the decades carry no label.
    EXPECT_EQ(LogTicks({1, 1000}, 8).size(), 4u + 8u * 3u);
    // Under two decades, 2 and 5 times the decades are labelled as well.
    EXPECT_EQ(labelsOf(LogTicks({20, 600}, 6)), (std::vector<std::string>{"20", "50", "100", "200", "500"}));
    // Too short for two such labels: linear steps, still placed logarithmically by the scale.
    EXPECT_EQ(labelsOf(LogTicks({21, 29}, 4)), (std::vector<std::string>{"22", "24", "26", "28"}));
}

TEST(AxisScale, MapsLinearlyOrByTheLogarithm) {
    AxisScale linear({-1, 1}, false, 100, 300);
    EXPECT_DOUBLE_EQ(linear.ToPixel(0.5), 250);

    // Vertical axes run from the bottom pixel up.
    AxisScale log({1, 1000}, true, 400, 100);
    EXPECT_DOUBLE_EQ(log.ToPixel(10), 300);
    EXPECT_DOUBLE_EQ(log.ToPixel(1000), 100);
    EXPECT_TRUE(std::isnan(log.ToPixel(0)));
}

TEST(DisplayRange, WidensWhatCannotBeDrawnAsItIs) {
    const std::tuple<Range, bool, bool, Range> cases[] = {
        {{0, 10}, false, true, {-0.5, 10.5}},
        {{5, 5}, false, false, {4.5, 5.5}},
        {{INFINITY, -INFINITY}, true, true, {1, 10}},
        {{-3, 10}, true, false, {1, 10}},  // a log range must be positive
        {{2, 2}, true, false, {0.2, 20}},
    };
    for (const auto& [wanted, logarithmic, margin, shown] : cases) {
        Range range = DisplayRange(wanted, logarithmic, margin);
        EXPECT_DOUBLE_EQ(range.lo, shown.lo) << wanted.lo << ".." << wanted.hi;
        EXPECT_DOUBLE_EQ(range.hi, shown.hi) << wanted.lo << ".." << wanted.hi;
    }
}
