#include <QTest>

#include "graph_fixture.h"
#include "livegrapher/graph/graph_chrome.h"

namespace livegraphtest {
namespace {

class Cursors : public GraphWidgetTest {
protected:
    void SetUp() override {
        GraphWidgetTest::SetUp();
        std::vector<double> x, y;
        for (int i = 0; i < 10; ++i) x.push_back(i), y.push_back(i * i);
        graph_.traces.push_back(TraceOf(x, y));
        Show();
    }
};

TEST_F(Cursors, ReadExactlyOnASampleAndInterpolateBetween) {
    widget_->PlaceCursor(0, 3);
    widget_->PlaceCursor(1, 3.5);
    std::vector<livegrapher::CursorReading> on = widget_->Readings(0), between = widget_->Readings(1);
    ASSERT_EQ(on.size(), 1u);
    EXPECT_EQ(on[0].y, 9);
    EXPECT_FALSE(on[0].interpolated);
    ASSERT_EQ(between.size(), 1u);
    EXPECT_DOUBLE_EQ(between[0].y, 12.5);
    EXPECT_TRUE(between[0].interpolated);
    QString text = widget_->ReadoutText();
    EXPECT_TRUE(text.contains("Trace 0: 9")) << text.toStdString();
    EXPECT_TRUE(text.contains("≈12.5")) << text.toStdString();
    EXPECT_TRUE(text.contains("Δx=500m  1/Δx=2  Trace 0 Δy=≈3.5")) << text.toStdString();
    // Beyond the trace there is nothing to read.
    widget_->PlaceCursor(0, 12);
    EXPECT_TRUE(widget_->Readings(0).empty());
}

TEST_F(Cursors, SetTheModelsCrosshairsSnappedAsTheModelSnaps) {
    widget_->PlaceCursor(1, 3.5);  // halfway: the earlier sample
    EXPECT_TRUE(graph_.crosshairs[1].placed);
    EXPECT_EQ(graph_.crosshairs[1].x, 3);
    EXPECT_FALSE(graph_.crosshairs[0].placed);
    widget_->PlaceCursor(0, 6.7);
    EXPECT_EQ(graph_.crosshairs[0].x, 7);
}

TEST_F(Cursors, FollowTheCrosshairsTheClientMoves) {
    graph_.crosshairs[1].shown = true;
    graph_.crosshairs[1].placed = true;
    graph_.crosshairs[1].x = 4;
    graph_.crosshairs[0].placed = true;  // but not shown
    graph_.crosshairs[0].x = 2;
    widget_->GraphChanged();
    ASSERT_TRUE(widget_->Cursor(1));
    EXPECT_EQ(*widget_->Cursor(1), 4);
    EXPECT_EQ(widget_->Readings(1)[0].y, 16);
    widget_->PlaceCursor(1, 6.5);
    widget_->GraphChanged();
    EXPECT_EQ(*widget_->Cursor(1), 6.5);  // not pulled back to the sample its crosshair snapped to
    EXPECT_FALSE(widget_->Cursor(0));
}

TEST_F(Cursors, ArePlacedByClicksAndMovedByDragging) {
    QPoint at5 = PixelOf(5, 10);
    QTest::mouseClick(widget_.get(), Qt::LeftButton, Qt::NoModifier, at5);
    ASSERT_TRUE(widget_->Cursor(0));
    EXPECT_NEAR(*widget_->Cursor(0), 5, 0.05);
    QTest::mouseClick(widget_.get(), Qt::LeftButton, Qt::ControlModifier, PixelOf(2, 10));
    ASSERT_TRUE(widget_->Cursor(1));
    EXPECT_NEAR(*widget_->Cursor(1), 2, 0.05);
    EXPECT_NEAR(*widget_->Cursor(0), 5, 0.05);
    // Dragging cursor 1 moves it, not the view.
    plotmodel::Range before = widget_->View().scales[AXIS_POSITION_0].GetRange();
    QTest::mousePress(widget_.get(), Qt::LeftButton, Qt::NoModifier, at5);
    QTest::mouseMove(widget_.get(), PixelOf(7, 10));
    QTest::mouseRelease(widget_.get(), Qt::LeftButton, Qt::NoModifier, PixelOf(7, 10));
    EXPECT_NEAR(*widget_->Cursor(0), 7, 0.05);
    EXPECT_EQ(widget_->View().scales[AXIS_POSITION_0].GetRange().lo, before.lo);
    EXPECT_EQ(graph_.crosshairs[0].x, 7);
}

TEST_F(Cursors, HoverNamesTheNearestSample) {
    QTest::mouseMove(widget_.get(), PixelOf(4, 16) + QPoint(2, 1));
    EXPECT_EQ(widget_->HoverText(), "Trace 0: x=4 y=16");
}

TEST_F(GraphWidgetTest, DraggingPansAndHomeFitsAll) {
    graph_.traces.push_back(TraceOf({0, 10}, {0, 10}));
    Show();
    plotmodel::Range fitted = widget_->View().scales[AXIS_POSITION_0].GetRange();
    QPoint from = PixelOf(5, 5);
    QTest::mousePress(widget_.get(), Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(widget_.get(), from + QPoint(50, 0));
    QTest::mouseRelease(widget_.get(), Qt::LeftButton, Qt::NoModifier, from + QPoint(50, 0));
    plotmodel::Range panned = widget_->View().scales[AXIS_POSITION_0].GetRange();
    EXPECT_LT(panned.lo, fitted.lo);
    EXPECT_NEAR(panned.hi - panned.lo, fitted.hi - fitted.lo, 1e-9);
    EXPECT_FALSE(widget_->Cursor(0));  // a drag places no cursor
    QTest::keyClick(widget_.get(), Qt::Key_Home);
    EXPECT_EQ(widget_->View().scales[AXIS_POSITION_0].GetRange().lo, fitted.lo);
}

TEST_F(GraphWidgetTest, RightDragZoomsToTheBox) {
    graph_.traces.push_back(TraceOf({0, 10}, {0, 10}));
    Show();
    QTest::mousePress(widget_.get(), Qt::RightButton, Qt::NoModifier, PixelOf(2, 8));
    QTest::mouseMove(widget_.get(), PixelOf(4, 6));
    QTest::mouseRelease(widget_.get(), Qt::RightButton, Qt::NoModifier, PixelOf(4, 6));
    plotmodel::Range x = widget_->View().scales[AXIS_POSITION_0].GetRange();
    plotmodel::Range y = widget_->View().scales[AXIS_POSITION_3].GetRange();
    EXPECT_NEAR(x.lo, 2, 0.05);
    EXPECT_NEAR(x.hi, 4, 0.05);
    EXPECT_NEAR(y.lo, 6, 0.05);
    EXPECT_NEAR(y.hi, 8, 0.05);
}

TEST_F(GraphWidgetTest, WheelZoomsXShiftWheelYCtrlWheelBoth) {
    graph_.traces.push_back(TraceOf({0, 10}, {0, 10}));
    Show();
    auto spans = [&] {
        plotmodel::Range x = widget_->View().scales[AXIS_POSITION_0].GetRange();
        plotmodel::Range y = widget_->View().scales[AXIS_POSITION_3].GetRange();
        return std::pair(x.hi - x.lo, y.hi - y.lo);
    };
    auto [x, y] = spans();
    Wheel(PixelOf(5, 5), 2);
    EXPECT_LT(spans().first, x * 0.9);
    EXPECT_EQ(spans().second, y);
    std::tie(x, y) = spans();
    Wheel(PixelOf(5, 5), 2, Qt::ShiftModifier);
    EXPECT_EQ(spans().first, x);
    EXPECT_LT(spans().second, y * 0.9);
    std::tie(x, y) = spans();
    Wheel(PixelOf(5, 5), -2, Qt::ControlModifier);
    EXPECT_GT(spans().first, x * 1.1);
    EXPECT_GT(spans().second, y * 1.1);
}

TEST_F(GraphWidgetTest, WheelZoomStopsWhereDoublesEnd) {
    graph_.traces.push_back(TraceOf({0, 10}, {0, 10}));
    Show();
    for (int i = 0; i < 40; ++i) Wheel(PixelOf(5, 5), 10, Qt::ControlModifier);
    plotmodel::Range x = widget_->View().scales[AXIS_POSITION_0].GetRange();
    EXPECT_GT(x.hi, x.lo);
    EXPECT_NEAR(x.lo, 5, 1e-6);
    widget_->ZoomTo(AXIS_POSITION_0, {3, 3});
    EXPECT_EQ(widget_->View().scales[AXIS_POSITION_0].GetRange().hi, x.hi);
    for (int i = 0; i < 80; ++i) Wheel(PixelOf(5, 5), -10, Qt::ControlModifier);
    EXPECT_TRUE(std::isfinite(widget_->View().scales[AXIS_POSITION_3].GetRange().hi));
    EXPECT_FALSE(Picture().isNull());
}

TEST_F(GraphWidgetTest, LegendClickHidesAndShowsATrace) {
    graph_.traces.push_back(TraceOf({0, 10}, {0, 10}));
    graph_.traces.push_back(TraceOf({0, 10}, {10, 0}, kBlue));
    FixRange(graph_, AXIS_POSITION_3, 0, 10);
    Show();
    QPoint blue = PixelOf(2, 8);
    ASSERT_TRUE(ColourNear(Picture(), blue, kBlue));
    ASSERT_EQ(widget_->View().legend.size(), 2u);
    QPoint entry = livegrapher::LegendEntryRect(widget_->View().legend[1]).center().toPoint();
    QTest::mouseClick(widget_.get(), Qt::LeftButton, Qt::NoModifier, entry);
    EXPECT_FALSE(ColourNear(Picture(), blue, kBlue));
    EXPECT_TRUE(ColourNear(Picture(), PixelOf(2, 2), kRed));
    EXPECT_TRUE(graph_.traces[1].shown);  // the client's setting is left alone
    QTest::mouseClick(widget_.get(), Qt::LeftButton, Qt::NoModifier, entry);
    EXPECT_TRUE(ColourNear(Picture(), blue, kBlue));
}

TEST_F(GraphWidgetTest, HiddenTracesLeaveTheAutomaticRange) {
    graph_.traces.push_back(TraceOf({0, 10}, {0, 10}));
    graph_.traces.push_back(TraceOf({0, 10}, {0, 1000}, kBlue));
    Show();
    widget_->SetTraceHidden(1, true);
    EXPECT_LT(widget_->View().scales[AXIS_POSITION_3].GetRange().hi, 20);
}

// Points appended within the ranges shown are drawn onto the kept picture, which then equals
// the picture of the whole trace drawn at once.
class Appending : public GraphWidgetTest {
protected:
    // Two traces, the second as dense over the first half of the range, grown together.
    void Check(std::size_t total, std::size_t first) {
        std::vector<double> x(total), y(total), half(total);
        for (std::size_t i = 0; i < total; ++i) {
            x[i] = static_cast<double>(i), half[i] = x[i] / 2;
            y[i] = std::sin(x[i] * 0.001) + (i % 7 == 0);
        }
        FixRange(graph_, AXIS_POSITION_0, 0, static_cast<double>(total));
        FixRange(graph_, AXIS_POSITION_3, -2, 3);
        auto grow = [&](std::size_t count) {
            graph_.traces[0].x.assign(x.begin(), x.begin() + count);
            graph_.traces[0].y.assign(y.begin(), y.begin() + count);
            graph_.traces[1].x.assign(half.begin(), half.begin() + count);
            graph_.traces[1].y.assign(y.begin(), y.begin() + count);
        };
        graph_.traces.resize(2, TraceOf({}, {}, kBlue));
        graph_.traces[0].colour = kRed;
        grow(first);
        Show();
        int full = widget_->FullRedraws();
        for (std::size_t count = first; count < total;) {
            count = std::min(total, count + total / 10);
            grow(count);
            widget_->GraphChanged();
        }
        EXPECT_EQ(widget_->FullRedraws(), full);
        QImage grown = Picture();
        livegrapher::GraphWidget fresh;
        fresh.resize(widget_->size());
        fresh.show();
        fresh.SetGraph(&graph_);
        EXPECT_EQ(grown, fresh.grab().toImage().convertToFormat(QImage::Format_RGB32));
    }
};

TEST_F(Appending, SparseTraceIsDrawnOnwards) { Check(1000, 100); }

TEST_F(Appending, DenseTraceIsDrawnOnwards) { Check(400'000, 40'000); }

// The page window calls GraphChanged at its pace; a paint or a click may come first.
TEST_F(GraphWidgetTest, ModelChangedBeforeGraphChangedIsReadAsItIsNow) {
    std::vector<double> x(1000), y(1000, 1);
    for (int i = 0; i < 1000; ++i) x[i] = i;
    graph_.traces.push_back(TraceOf(x, y));
    Show();
    widget_->PlaceCursor(0, 900);
    graph_.traces[0].x.resize(10);
    graph_.traces[0].y.resize(10);
    graph_.traces.push_back(TraceOf({0, 1}, {2, 3}, kBlue));
    widget_->PlaceCursor(1, 5);
    QTest::mouseMove(widget_.get(), PixelOf(0.5, 2.5));
    EXPECT_FALSE(Picture().isNull());
    EXPECT_EQ(widget_->Readings(0).size(), 0u);
    EXPECT_EQ(widget_->Readings(1).size(), 1u);
    int full = widget_->FullRedraws();
    widget_->GraphChanged();
    EXPECT_GT(widget_->FullRedraws(), full);  // points went: the picture starts over
    EXPECT_TRUE(ColourNear(Picture(), PixelOf(0.5, 2.5), kBlue, 1));
}

TEST_F(GraphWidgetTest, RefittedAxesRedrawTheWholePlot) {
    graph_.traces.push_back(TraceOf({0, 1}, {0, 1}));
    Show();
    int full = widget_->FullRedraws();
    graph_.traces[0].x.push_back(2);
    graph_.traces[0].y.push_back(5);
    widget_->GraphChanged();
    EXPECT_EQ(widget_->FullRedraws(), full + 1);
    EXPECT_TRUE(ColourNear(Picture(), PixelOf(2, 5), kRed, 1));
}

}  // namespace
}  // namespace livegraphtest
