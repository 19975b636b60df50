#pragma once

#include <QApplication>
#include <QImage>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "livegrapher/graph/graph_widget.h"

namespace livegraphtest {

constexpr COLORREF kRed = 0x0000FF, kBlue = 0xFF0000;

inline plotmodel::Trace TraceOf(std::vector<double> x, std::vector<double> y, COLORREF colour = kRed) {
    plotmodel::Trace trace;
    trace.x = std::move(x);
    trace.y = std::move(y);
    trace.colour = colour;
    return trace;
}

inline void FixRange(plotmodel::Graph& graph, int axis, double lo, double hi) {
    graph.axes[axis].autoRange = false;
    graph.axes[axis].lo = lo;
    graph.axes[axis].hi = hi;
}

// A widget of the files' size showing `graph`, off screen.
class GraphWidgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        widget_ = std::make_unique<livegrapher::GraphWidget>();
        widget_->resize(plotmodel::kGraphWidth, plotmodel::kGraphHeight);
        widget_->show();
    }

    void Show() { widget_->SetGraph(&graph_); }

    // The pixel where a trace's value lands, by the axes drawn.
    QPoint PixelOf(double x, double y, int yAxis = AXIS_POSITION_3) const {
        const plotmodel::GraphView& view = widget_->View();
        return QPoint(static_cast<int>(std::floor(view.scales[AXIS_POSITION_0].ToPixel(x))),
                      static_cast<int>(std::floor(view.scales[yAxis].ToPixel(y))));
    }

    // Whether any pixel within `radius` of `at` has the colour.
    static bool ColourNear(const QImage& image, QPoint at, COLORREF colour, int radius = 2) {
        QColor wanted(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
        for (int dx = -radius; dx <= radius; ++dx)
            for (int dy = -radius; dy <= radius; ++dy)
                if (image.valid(at.x() + dx, at.y() + dy) && image.pixelColor(at.x() + dx, at.y() + dy) == wanted) return true;
        return false;
    }

    QImage Picture() const { return widget_->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    void Wheel(QPoint at, int steps, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QPointF global = widget_->mapToGlobal(QPointF(at));
        QWheelEvent event(QPointF(at), global, QPoint(), QPoint(0, 120 * steps), Qt::NoButton, modifiers, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(widget_.get(), &event);
    }

    plotmodel::Graph graph_;
    std::unique_ptr<livegrapher::GraphWidget> widget_;
};

}  // namespace livegraphtest
