#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "svgplotter/decimate.h"

using namespace svgplotter;

namespace {

struct Plot {
    // 700 columns of pixels from x = 100, values -1..1 drawn from y = 500 up to y = 100.
    AxisScale x, y;
    PixelMapping mapping{&x, &y};
    Plot(double xHi) : x({0, xHi}, false, 100, 800), y({-1, 1}, false, 500, 100) {}
    Polyline Draw(const std::vector<double>& xs, const std::vector<double>& ys, std::size_t maxPoints = 8 * 700) const {
        return Decimate(xs.data(), ys.data(), xs.size(), mapping, 100, 800, maxPoints);
    }
};

std::size_t pointsOf(const Polyline& line) {
    std::size_t count = 0;
    for (const auto& piece : line) count += piece.size();
    return count;
}

double highest(const Polyline& line) {  // the smallest pixel y: the largest value
    double top = 1e9;
    for (const auto& piece : line)
        for (const Point& p : piece) top = std::min(top, p.y);
    return top;
}

}  // namespace

TEST(Decimate, TenMillionSamplesKeepASingleSampleSpikeInAFewPointsPerColumn) {
    constexpr std::size_t n = 10'000'000;
    std::vector<double> xs(n), ys(n, 0.0);
    for (std::size_t i = 0; i < n; ++i) xs[i] = static_cast<double>(i);
    ys[6'543'210] = 1.0;
    Plot plot(n - 1);
    Polyline line = plot.Draw(xs, ys);
    ASSERT_EQ(line.size(), 1u);
    EXPECT_LE(pointsOf(line), 4u * 701u);
    EXPECT_DOUBLE_EQ(highest(line), 100);  // the spike reaches the top of the plot
    // ...at its own column.
    double spikeX = plot.x.ToPixel(6'543'210);
    bool found = false;
    for (const Point& p : line[0]) found = found || (p.y == 100 && std::fabs(p.x - spikeX) < 1e-9);
    EXPECT_TRUE(found);
}

TEST(Decimate, FewSamplesPassUnchangedAndUndrawableOnesBreakTheLine) {
    std::vector<double> xs{0, 1, 2, 3, 4}, ys{0, 0.5, NAN, -0.5, 1};
    Plot plot(4);
    Polyline line = plot.Draw(xs, ys);
    ASSERT_EQ(line.size(), 2u);
    ASSERT_EQ(line[0].size(), 2u);
    ASSERT_EQ(line[1].size(), 2u);
    EXPECT_DOUBLE_EQ(line[0][1].x, 275);
    EXPECT_DOUBLE_EQ(line[0][1].y, 200);
    EXPECT_DOUBLE_EQ(line[1][0].y, 400);
}

TEST(Decimate, SamplesBeyondThePlotShareOneColumnAndKeepTheLineIntoIt) {
    // Zoomed into the middle: only [4, 6] of 0..10 is shown.
    AxisScale x({4, 6}, false, 100, 800), y({-1, 1}, false, 500, 100);
    PixelMapping mapping{&x, &y};
    std::vector<double> xs, ys;
    for (int i = 0; i <= 10000; ++i) {
        xs.push_back(i / 1000.0);
        ys.push_back(i % 2 == 0 ? 0.5 : -0.5);
    }
    Polyline line = Decimate(xs.data(), ys.data(), xs.size(), mapping, 100, 800, 8 * 700);
    EXPECT_LE(pointsOf(line), 4u * 702u);
    // The last sample left of the plot is kept as it is, so the line enters at the right slope.
    bool kept = false;
    for (const Point& p : line[0]) kept = kept || std::fabs(p.x - x.ToPixel(3.999)) < 1e-6;
    EXPECT_TRUE(kept);
}

TEST(Decimate, DataThatJumpsAboutIsDrawnAsColumnSpans) {
    std::vector<double> xs, ys;
    for (int i = 0; i < 100000; ++i) {
        xs.push_back(std::fmod(i * 0.618034, 1.0));
        ys.push_back(std::sin(i * 0.1));
    }
    Plot plot(1);
    Polyline line = plot.Draw(xs, ys);
    EXPECT_LE(pointsOf(line), 2u * 700u);
    for (const auto& piece : line) EXPECT_EQ(piece.size(), 2u);
    EXPECT_LT(highest(line), 101);  // the span still reaches the extremes
}
