#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "plotmodel/decimate.h"

using namespace plotmodel;

namespace plotmodel {
bool operator==(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }
}  // namespace plotmodel

namespace {

// 700 columns of pixels from x = 100, values -1..1 drawn from y = 500 up to y = 100.
Polyline draw(const std::vector<double>& xs, const std::vector<double>& ys, Range xRange) {
    AxisScale x(xRange, false, 100, 800), y({-1, 1}, false, 500, 100);
    return Decimate(xs.data(), ys.data(), xs.size(), PixelMapping{&x, &y}, 100, 800, 8 * 700);
}

std::size_t pointsOf(const Polyline& line) {
    std::size_t count = 0;
    for (const auto& piece : line) count += piece.size();
    return count;
}

}  // namespace

TEST(Decimate, AMillionSamplesKeepSingleSampleSpikesAtTheirColumnsInAFewPointsPerColumn) {
    constexpr std::size_t n = 1'000'000;
    std::vector<double> xs(n), ys(n, 0.0);
    for (std::size_t i = 0; i < n; ++i) xs[i] = static_cast<double>(i);
    ys[654'321] = 1.0, ys[123'456] = -1.0;  // to the top of the plot and to its bottom
    Polyline line = draw(xs, ys, {0, n - 1.0});
    EXPECT_LE(pointsOf(line), 4u * 701u);
    auto at = [&](const Point& p, double i, double y) { return p.y == y && p.x == 100 + 700 * i / (n - 1); };
    int spikes = 0;
    for (const Point& p : line.at(0)) spikes += at(p, 654'321, 100) + at(p, 123'456, 500);
    EXPECT_EQ(spikes, 2);
}

TEST(Decimate, FewSamplesPassUnchangedAndUndrawableOnesBreakTheLine) {
    Polyline line = draw({0, 1, 2, 3, 4}, {0, 0.5, NAN, -0.5, 1}, {0, 4});
    const Polyline expected{{{100, 300}, {275, 200}}, {{625, 400}, {800, 100}}};
    EXPECT_EQ(line, expected);
}

TEST(Decimate, SamplesBeyondThePlotShareOneColumnAndKeepTheLineIntoIt) {
    std::vector<double> xs, ys;
    for (int i = 0; i <= 10000; ++i) {
        xs.push_back(i / 1000.0);
        ys.push_back(i % 2 == 0 ? 0.5 : -0.5);
    }
    Polyline line = draw(xs, ys, {4, 6});  // zoomed into the middle of 0..10
    EXPECT_LE(pointsOf(line), 4u * 702u);
    // The last sample left of the plot is kept as it is, so the line enters at the right slope.
    int kept = 0;
    for (const Point& p : line.at(0)) kept += std::fabs(p.x - (100 + 700 * (3.999 - 4) / 2)) < 1e-6;
    EXPECT_EQ(kept, 1);
}
