// Transient results over windows of made-up steps: which step counts how much, as ngspice's
// .meas weighs them.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "transient_results.h"

using veltsim::MeasureWindow;
using veltsim::TransientResults;

namespace {

// The integral over `window` of a signal that is 1 at step `spike` and 0 at the others: the
// weight the rule gives that step.
double weight(const std::vector<double>& steps, MeasureWindow window, std::size_t spike) {
    TransientResults results(window);
    for (std::size_t k = 0; k < steps.size(); ++k) results.Add(steps[k], k == spike ? 1.0 : 0.0);
    return results.Integral();
}

std::vector<double> weights(const std::vector<double>& steps, MeasureWindow window) {
    std::vector<double> all;
    for (std::size_t k = 0; k < steps.size(); ++k) all.push_back(weight(steps, window, k));
    return all;
}

const double kAll = std::numeric_limits<double>::infinity();

void ExpectWeights(const std::vector<double>& actual, const std::vector<double>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t k = 0; k < actual.size(); ++k) EXPECT_NEAR(actual[k], expected[k], 1e-12) << "step " << k;
}

}  // namespace

// From the first step: three equal intervals by Simpson's 3/8 rule, two by the 1/3 rule, one
// by the trapezoidal rule, taken greedily from the left.
TEST(TransientResults, EqualStepsBySimpsonsRulesFromTheFirstStep) {
    const std::vector<double> steps = {0, 1, 2, 3, 4, 5, 6, 7};
    const struct {
        double to;
        std::vector<double> expected;
    } rows[] = {
        {1, {0.5, 0.5, 0, 0, 0, 0, 0, 0}},
        {2, {1.0 / 3, 4.0 / 3, 1.0 / 3, 0, 0, 0, 0, 0}},
        {3, {3.0 / 8, 9.0 / 8, 9.0 / 8, 3.0 / 8, 0, 0, 0, 0}},
        {4, {3.0 / 8, 9.0 / 8, 9.0 / 8, 3.0 / 8 + 0.5, 0.5, 0, 0, 0}},
        {5, {3.0 / 8, 9.0 / 8, 9.0 / 8, 3.0 / 8 + 1.0 / 3, 4.0 / 3, 1.0 / 3, 0, 0}},
        {7, {3.0 / 8, 9.0 / 8, 9.0 / 8, 6.0 / 8, 9.0 / 8, 9.0 / 8, 3.0 / 8 + 0.5, 0.5}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.to);
        ExpectWeights(weights(steps, {-kAll, row.to}), row.expected);
    }
}

// A window that starts after the first step takes its first two intervals as one trapezoid
// over their ends, the step between them left out; the rule goes on from there.
TEST(TransientResults, LaterStartTakesTheFirstTwoIntervalsAsOneTrapezoid) {
    const std::vector<double> steps = {0, 1, 2, 3, 4, 5, 6};
    ExpectWeights(weights(steps, {1, 3}), {0, 1, 0, 1, 0, 0, 0});
    ExpectWeights(weights(steps, {1, 5}), {0, 1, 0, 1 + 1.0 / 3, 4.0 / 3, 1.0 / 3, 0});
    ExpectWeights(weights(steps, {1, 6}), {0, 1, 0, 1 + 3.0 / 8, 9.0 / 8, 9.0 / 8, 3.0 / 8});
}

// An edge between steps gets the value interpolated there; intervals of unequal length are
// trapezoids; the whole window is covered however the steps fall.
TEST(TransientResults, EdgesBetweenStepsAndUnequalSteps) {
    const std::vector<double> steps = {0, 1, 2, 3, 4, 5, 6, 7};
    // From 0.25: [0.25, 1, 2] is the opening pair (width 1.75, the value at 0.25 three quarters
    // of step 0 and a quarter of step 1); [2 .. 5] by 3/8; [5, 6] a trapezoid; [6, 6.5] too, to
    // the value halfway to step 7.
    const double pair = 1.75 / 2;
    ExpectWeights(weights(steps, {0.25, 6.5}),
                  {0.75 * pair, 0.25 * pair, pair + 3.0 / 8, 9.0 / 8, 9.0 / 8, 3.0 / 8 + 0.5, 0.5 + 0.25 + 0.125, 0.125});
    const std::vector<double> doubling = {0, 1, 2, 4, 8, 16};
    ExpectWeights(weights(doubling, {-kAll, kAll}), {1.0 / 3, 4.0 / 3, 1.0 / 3 + 1, 1 + 2, 2 + 4, 4});
    TransientResults constant({0.3, 5.7});
    for (double x : doubling) constant.Add(x, 2.0);
    EXPECT_DOUBLE_EQ(constant.Integral(), 2.0 * 5.4);
    EXPECT_DOUBLE_EQ(constant.Rms(), 2.0);
    EXPECT_DOUBLE_EQ(constant.From(), 0.3);
    EXPECT_DOUBLE_EQ(constant.To(), 5.7);
}

// MIN, MAX, PP and AVG read only the steps inside the window, AVG their trapezoid over their
// own span; RMS squares the interpolated values at the edges, not their steps.
TEST(TransientResults, ExtremesAndAverageFromTheStepsInsideRmsFromTheWholeWindow) {
    TransientResults ramp({0.5, 3.5});
    for (double x : {0.0, 1.0, 2.0, 3.0, 4.0}) ramp.Add(x, 10.0 * x);
    EXPECT_EQ(ramp.Points(), 3u);
    EXPECT_DOUBLE_EQ(ramp.Min(), 10.0);
    EXPECT_DOUBLE_EQ(ramp.Max(), 30.0);
    EXPECT_DOUBLE_EQ(ramp.PeakToPeak(), 20.0);
    EXPECT_DOUBLE_EQ(*ramp.Average(), 20.0);
    // [0.5, 1, 2] as one trapezoid of 5 and 20, then [2, 3] and [3, 3.5] as trapezoids.
    const double squares = 0.75 * (25 + 400) + 0.5 * (400 + 900) + 0.25 * (900 + 1225);
    EXPECT_DOUBLE_EQ(ramp.Rms(), std::sqrt(squares / 3.0));

    TransientResults single({0.5, 1.5});
    for (double x : {0.0, 1.0, 2.0}) single.Add(x, x);
    EXPECT_EQ(single.Points(), 1u);
    EXPECT_FALSE(single.Average());
    EXPECT_DOUBLE_EQ(single.PeakToPeak(), 0.0);
    TransientResults none({0.25, 0.75});
    for (double x : {0.0, 1.0}) none.Add(x, 4.0 * x);
    EXPECT_EQ(none.Points(), 0u);
    EXPECT_DOUBLE_EQ(none.Integral(), 0.5 * (1.0 + 3.0) / 2);  // a trapezoid between the edges
    EXPECT_TRUE(none.Started());
    TransientResults later({2.0, 3.0});
    for (double x : {0.0, 1.0}) later.Add(x, x);
    EXPECT_FALSE(later.Started());
}
