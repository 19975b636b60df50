#include <QTest>

#include <cmath>
#include <limits>

#include "graph_fixture.h"

namespace livegraphtest {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A flat line of 100 samples at 1 with one sample replaced: the line must stop around it.
class LineBreak : public GraphWidgetTest {
protected:
    void DrawWithSampleAt50(double value) {
        std::vector<double> x, y;
        for (int i = 0; i < 100; ++i) x.push_back(i), y.push_back(i == 50 ? value : 1);
        graph_.traces.push_back(TraceOf(x, y));
        FixRange(graph_, AXIS_POSITION_0, 0, 99);
        Show();
    }
    void ExpectBrokenAt50() {
        QImage picture = Picture();
        QPoint at50 = PixelOf(50, 1);
        EXPECT_TRUE(ColourNear(picture, PixelOf(45, 1), kRed, 0));
        EXPECT_TRUE(ColourNear(picture, PixelOf(55, 1), kRed, 0));
        EXPECT_FALSE(ColourNear(picture, at50, kRed, 2));
    }
};

TEST_F(LineBreak, AtNaN) {
    DrawWithSampleAt50(kNaN);
    ExpectBrokenAt50();
}

TEST_F(LineBreak, AtANegativeValueOnALogAxis) {
    graph_.axes[AXIS_POSITION_3].scale = SCALE_TYPE_1;
    FixRange(graph_, AXIS_POSITION_3, 0.1, 10);
    DrawWithSampleAt50(-1);
    ExpectBrokenAt50();
}

// A million samples at 1 (a value per column and more), with some of them replaced.
class DenseLine : public GraphWidgetTest {
protected:
    static constexpr std::size_t kCount = 1'000'000;
    void SetUp() override {
        GraphWidgetTest::SetUp();
        std::vector<double> x(kCount), y(kCount, 1);
        for (std::size_t i = 0; i < kCount; ++i) x[i] = static_cast<double>(i);
        graph_.traces.push_back(TraceOf(x, y));
        FixRange(graph_, AXIS_POSITION_0, 0, kCount);
    }
    std::vector<double>& Y() { return graph_.traces[0].y; }
    // Red pixels in the picture's column at x, from the plot's top to its bottom.
    int RedIn(const QImage& picture, double x) {
        int column = PixelOf(x, 1).x(), red = 0;
        for (int row = static_cast<int>(widget_->View().top) + 1; row < widget_->View().bottom; ++row)
            red += ColourNear(picture, QPoint(column, row), kRed, 0);
        return red;
    }
};

TEST_F(DenseLine, BreaksAtARunOfNaN) {
    std::fill(Y().begin() + 400'000, Y().begin() + 450'000, kNaN);
    Show();
    QImage picture = Picture();
    EXPECT_TRUE(ColourNear(picture, PixelOf(390'000, 1), kRed, 0));
    EXPECT_FALSE(ColourNear(picture, PixelOf(425'000, 1), kRed, 2));
    EXPECT_TRUE(ColourNear(picture, PixelOf(460'000, 1), kRed, 0));
}

TEST_F(DenseLine, ReachesBelowALogAxisWhereValuesAreNotPositive) {
    graph_.axes[AXIS_POSITION_3].scale = SCALE_TYPE_1;
    FixRange(graph_, AXIS_POSITION_3, 0.1, 100);
    for (double scale : {1.0, -1.0}) {
        SCOPED_TRACE(scale);
        for (std::size_t i = 0; i < kCount; ++i) Y()[i] = scale * (i == 500'000 ? -1 : 10);
        graph_.traces[0].yScale = scale;
        Show();
        QImage picture = Picture();
        EXPECT_TRUE(ColourNear(picture, PixelOf(500'000, 0.2), kRed, 1));
        EXPECT_FALSE(ColourNear(picture, PixelOf(300'000, 0.2), kRed, 1));
    }
}

TEST_F(DenseLine, InDecibelsGoesAsLowAsTheQuietestSampleOfAColumnThatChangesSign) {
    // Mostly 0 dB, with a sample at 6 dB and the opposite sign in every hundred.
    for (std::size_t i = 0; i < kCount; ++i) Y()[i] = i % 100 == 50 ? -2 : 1;
    Y()[500'001] = 1e-3;  // -60 dB
    Show();
    widget_->SetDecibels(true);
    QImage picture = Picture();
    EXPECT_TRUE(ColourNear(picture, PixelOf(500'000, -60), kRed, 1));
    EXPECT_FALSE(ColourNear(picture, PixelOf(300'000, -60), kRed, 1));
    EXPECT_TRUE(ColourNear(picture, PixelOf(300'000, 0), kRed, 1));
    EXPECT_TRUE(ColourNear(picture, PixelOf(300'000, 6), kRed, 1));
}

TEST_F(DenseLine, DashedPenStillDrawsWholeColumns) {
    graph_.traces[0].penStyle = plotmodel::kPenDot;
    FixRange(graph_, AXIS_POSITION_3, 0, 2);
    Y()[500'000] = 2;
    Y()[500'001] = 0;
    Show();
    QImage picture = Picture();
    int height = static_cast<int>(widget_->View().bottom - widget_->View().top);
    EXPECT_GT(RedIn(picture, 500'000), height * 9 / 10);
}

TEST_F(GraphWidgetTest, SpikeOfOneSampleShowsAtFullViewAndAsTheWheelZoomsIn) {
    constexpr std::size_t kCount = 1'000'000, kSpike = 654'321;
    std::vector<double> x(kCount), y(kCount, 0);
    for (std::size_t i = 0; i < kCount; ++i) x[i] = static_cast<double>(i);
    y[kSpike] = 1;
    graph_.traces.push_back(TraceOf(x, y));
    Show();
    // The spike's top: a column of the picture reaches it.
    for (int step = 0; step <= 30; step += 3) {
        SCOPED_TRACE(step);
        QPoint top = PixelOf(static_cast<double>(kSpike), 1);
        QImage picture = Picture();
        EXPECT_TRUE(ColourNear(picture, top, kRed, 1));
        EXPECT_TRUE(ColourNear(picture, PixelOf(static_cast<double>(kSpike), 0.5), kRed, 1));
        Wheel(top, 3);
    }
    plotmodel::Range shown = widget_->View().scales[AXIS_POSITION_0].GetRange();
    EXPECT_LT(shown.hi - shown.lo, 1000);  // zoomed in, and about the pointer
    EXPECT_GT(kSpike, shown.lo);
    EXPECT_LT(kSpike, shown.hi);
}

TEST_F(GraphWidgetTest, LogAxisIsLabelledInDecades) {
    std::vector<double> x, y;
    for (int i = 0; i <= 40; ++i) x.push_back(i), y.push_back(std::pow(10, i / 10.0));
    graph_.traces.push_back(TraceOf(x, y));
    Show();
    widget_->SetLogarithmic(AXIS_POSITION_3, true);
    QImage picture = Picture();
    std::vector<std::string> labels;
    const plotmodel::GraphView& view = widget_->View();
    for (const plotmodel::Tick& tick : view.ticks[AXIS_POSITION_3]) {
        if (tick.label.empty()) continue;
        labels.push_back(tick.label);
        // The label is drawn left of the plot, level with its tick.
        int at = static_cast<int>(view.scales[AXIS_POSITION_3].ToPixel(tick.value));
        bool inked = false;
        for (int px = 0; px < static_cast<int>(view.left) - 8; ++px)
            for (int dy = -3; dy <= 3; ++dy) inked |= qGray(picture.pixel(px, at + dy)) < 128;
        EXPECT_TRUE(inked) << tick.label;
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"1", "10", "100", "1k", "10k"}));
    // And the trace is a straight line on it.
    EXPECT_TRUE(ColourNear(picture, PixelOf(20, 100), kRed, 1));
}

TEST_F(GraphWidgetTest, LogAxisFitsThePositiveValuesDrawn) {
    graph_.traces.push_back(TraceOf({0, 1, 2}, {-1, 0.01, 100}));
    graph_.axes[AXIS_POSITION_3].scale = SCALE_TYPE_1;
    Show();
    plotmodel::Range y = widget_->View().scales[AXIS_POSITION_3].GetRange();
    EXPECT_LT(y.lo, 0.01);
    EXPECT_GT(y.lo, 0.005);
    graph_.traces[0].yOffset = 1;  // drawn at 0, 1.01 and 101
    widget_->GraphChanged();
    y = widget_->View().scales[AXIS_POSITION_3].GetRange();
    EXPECT_LT(y.lo, 1.01);
    EXPECT_GT(y.lo, 0.5);
}

TEST_F(GraphWidgetTest, DecibelsShowMagnitudes) {
    graph_.traces.push_back(TraceOf({0, 1, 2}, {-10, 1, 100}));
    graph_.axes[AXIS_POSITION_3].scale = SCALE_TYPE_1;  // dB are drawn linearly all the same
    Show();
    widget_->SetDecibels(true);
    const plotmodel::AxisScale& y = widget_->View().scales[AXIS_POSITION_3];
    EXPECT_LT(y.GetRange().lo, 0);  // 1 is 0 dB
    EXPECT_GT(y.GetRange().hi, 40);  // 100 is 40 dB
    EXPECT_TRUE(ColourNear(Picture(), PixelOf(0, 20), kRed, 1));  // |-10| is 20 dB
}

TEST_F(GraphWidgetTest, ZoomedBetweenTwoSamplesTheLineStillCrosses) {
    graph_.traces.push_back(TraceOf({0, 10}, {0, 10}));
    Show();
    widget_->ZoomTo(AXIS_POSITION_0, {4, 6});
    widget_->ZoomTo(AXIS_POSITION_3, {4, 6});
    EXPECT_TRUE(ColourNear(Picture(), PixelOf(5, 5), kRed, 1));
}

TEST_F(GraphWidgetTest, DigitalDataIsDrawnAsSteps) {
    graph_.traces.push_back(TraceOf({0, 1, 2}, {0, 1, 0}));
    graph_.axes[AXIS_POSITION_3].digital = true;
    Show();
    QImage picture = Picture();
    EXPECT_TRUE(ColourNear(picture, PixelOf(0.9, 0), kRed, 1));
    EXPECT_TRUE(ColourNear(picture, PixelOf(1, 0.5), kRed, 1));
    EXPECT_FALSE(ColourNear(picture, PixelOf(0.5, 0.5), kRed, 2));
}

TEST_F(GraphWidgetTest, EmptyAndFlatGraphsDraw) {
    Show();
    EXPECT_FALSE(Picture().isNull());
    graph_.traces.push_back(TraceOf({5}, {3}));
    widget_->GraphChanged();
    const plotmodel::GraphView& view = widget_->View();
    EXPECT_LT(view.scales[AXIS_POSITION_0].GetRange().lo, 5);
    EXPECT_GT(view.scales[AXIS_POSITION_3].GetRange().hi, 3);
    EXPECT_TRUE(ColourNear(Picture(), PixelOf(5, 3), kRed, 1));
}

TEST_F(GraphWidgetTest, TraceOnTheRightAxisIsDrawnAgainstIt) {
    graph_.traces.push_back(TraceOf({0, 1}, {0, 1}));
    graph_.traces.push_back(TraceOf({0, 1}, {0, 1000}, kBlue));
    graph_.traces[1].yAxis = AXIS_POSITION_1;
    Show();
    EXPECT_GT(widget_->View().scales[AXIS_POSITION_1].GetRange().hi, 1000);
    EXPECT_LT(widget_->View().scales[AXIS_POSITION_3].GetRange().hi, 2);
    EXPECT_TRUE(ColourNear(Picture(), PixelOf(0.5, 500, AXIS_POSITION_1), kBlue, 1));
    EXPECT_NE(widget_->View().legend[1].text.find("(right)"), std::string::npos);
}

}  // namespace
}  // namespace livegraphtest
