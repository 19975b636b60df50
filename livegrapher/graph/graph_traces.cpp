#include "livegrapher/graph/graph_traces.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "plotmodel/decimate.h"
#include "plotmodel/svg_writer.h"
#include "plotmodel/trace_look.h"

namespace livegrapher {

namespace {

using plotmodel::LowerBound;
using plotmodel::MinMaxPyramid;

// A trace with no more than this many samples per column in view is drawn sample by sample.
constexpr std::size_t kSparseSamplesPerColumn = 2;

struct TraceGeometry {
    const plotmodel::Trace& trace;
    const plotmodel::AxisScale& x;
    const plotmodel::AxisScale& y;
    bool decibels;

    double XPixel(double value) const { return x.ToPixel(value * trace.xScale + trace.xOffset); }
    double YPixel(double value) const { return y.ToPixel(DrawnY(trace, value, decibels)); }
    // The data X at a pixel of the plot.
    double XAt(double pixel) const { return (x.FromPixel(pixel) - trace.xOffset) / trace.xScale; }
};

// The samples [begin, end) through the model's decimation; Y values are turned into what is
// drawn first, as dB are no axis's scale.
void drawSparse(QPainter& painter, const TraceGeometry& g, std::size_t begin, std::size_t end,
                const plotmodel::GraphView& view, bool steps) {
    auto columns = static_cast<std::size_t>(std::ceil(view.right - view.left));
    std::vector<double> drawn(end - begin);
    for (std::size_t i = begin; i < end; ++i) drawn[i - begin] = DrawnY(g.trace, g.trace.y[i], g.decibels);
    plotmodel::PixelMapping mapping{&g.x, &g.y, g.trace.xOffset, 0, g.trace.xScale, 1};
    plotmodel::Polyline line = plotmodel::Decimate(g.trace.x.data() + begin, drawn.data(), drawn.size(), mapping, view.left,
                                                   view.right, plotmodel::kMaxPointsPerColumn * columns);
    for (std::vector<plotmodel::Point>& piece : line) {
        if (steps) plotmodel::ToSteps(piece);
        QPolygonF polygon;
        polygon.reserve(static_cast<qsizetype>(piece.size()));
        for (const plotmodel::Point& point : piece) polygon << QPointF(point.x, point.y);
        if (polygon.size() == 1) painter.drawPoint(polygon[0]);
        else painter.drawPolyline(polygon);
    }
}

// The finite sample of [first, last] nearest to zero as drawn.
std::uint32_t quietest(const TraceGeometry& g, std::uint32_t first, std::uint32_t last) {
    std::uint32_t found = first;
    double least = std::numeric_limits<double>::infinity();
    for (std::uint32_t i = first; i <= last; ++i) {
        double magnitude = std::fabs(DrawnY(g.trace, g.trace.y[i], false));
        if (magnitude < least) least = magnitude, found = i;
    }
    return found;
}

// One stroke per column from its lowest to its highest sample, and a line from each column's
// last sample to the next column's first unless a gap lies between them.
void drawDense(QPainter& painter, const TraceGeometry& g, const MinMaxPyramid& pyramid, const plotmodel::GraphView& view,
               int fromColumn) {
    const double* xs = g.trace.x.data();
    const double* ys = g.trace.y.data();
    // Strokes one column wide would fall into a dashed pen's gaps, a spike with them.
    QPen pen = painter.pen();
    pen.setStyle(Qt::SolidLine);
    painter.setPen(pen);
    int columns = static_cast<int>(std::ceil(view.right - view.left));
    std::vector<double> edges;
    edges.reserve(static_cast<std::size_t>(columns - fromColumn + 1));
    for (int k = fromColumn; k <= columns; ++k) edges.push_back(g.XAt(view.left + k));
    std::vector<MinMaxPyramid::Column> found = pyramid.Columns(xs, ys, edges);

    QList<QLineF> lines;
    lines.reserve(static_cast<qsizetype>(found.size() * 2 + 2));
    // The line comes in from the sample before the first column, wherever that lies.
    std::size_t before = LowerBound(xs, pyramid.Count(), edges.front());
    std::uint32_t previous = MinMaxPyramid::kNone;
    QPointF previousEnd;
    if (before > 0) {
        previous = static_cast<std::uint32_t>(before - 1);
        previousEnd = QPointF(g.XPixel(xs[previous]), g.YPixel(ys[previous]));
    }
    auto connect = [&](std::uint32_t first, QPointF start) {
        if (previous != MinMaxPyramid::kNone && first == previous + 1 && std::isfinite(previousEnd.y()) &&
            std::isfinite(start.y()))
            lines << QLineF(previousEnd, start);
    };
    for (std::size_t k = 0; k < found.size(); ++k) {
        const MinMaxPyramid::Column& column = found[k];
        if (column.first == MinMaxPyramid::kNone) continue;
        double x = view.left + fromColumn + static_cast<double>(k) + 0.5;
        std::uint32_t lowest = column.extremes.min, highest = column.extremes.max;
        double lowValue = DrawnY(g.trace, ys[lowest], false), highValue = DrawnY(g.trace, ys[highest], false);
        // The magnitudes of a column whose values change sign are smallest somewhere between its
        // extremes, largest at one of them.
        if (g.decibels && lowValue * highValue <= 0) {
            if (std::fabs(lowValue) > std::fabs(highValue)) std::swap(lowest, highest);
            lowest = quietest(g, column.first, column.last);
        }
        double low = g.YPixel(ys[lowest]), high = g.YPixel(ys[highest]);
        if (!std::isnan(low) || !std::isnan(high)) {
            // A value that the axis cannot show (not positive on a log axis, zero in dB) lies
            // below it.
            double top = std::fmin(low, high);
            double foot = std::isnan(low) || std::isnan(high) ? view.bottom : std::fmax(low, high);
            lines << QLineF(x, foot + 0.5, x, top - 0.5);
        }
        connect(column.first, QPointF(x, g.YPixel(ys[column.first])));
        previous = column.last;
        previousEnd = QPointF(x, g.YPixel(ys[column.last]));
    }
    // And goes on to the sample after the last column.
    std::size_t after = LowerBound(xs, pyramid.Count(), edges.back());
    if (after < pyramid.Count()) connect(static_cast<std::uint32_t>(after), QPointF(g.XPixel(xs[after]), g.YPixel(ys[after])));
    painter.drawLines(lines);
}

}  // namespace

QPen TracePen(COLORREF colour, std::string_view dashes) {
    QPen pen(QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF), 1);
    if (!dashes.empty()) {
        QList<qreal> pattern;
        for (const QString& dash : QString::fromUtf8(dashes.data(), static_cast<qsizetype>(dashes.size())).split(' '))
            pattern << dash.toDouble();
        pen.setDashPattern(pattern);
    }
    return pen;
}

void DrawTraces(QPainter& painter, const plotmodel::Graph& graph, const plotmodel::GraphView& view,
                const std::vector<MinMaxPyramid>& pyramids, const ViewSettings& settings, int fromColumn) {
    std::vector<plotmodel::TraceLook> looks = plotmodel::TraceLooks(graph);
    double columns = view.right - view.left;
    for (std::size_t i = 0; i < graph.traces.size(); ++i) {
        const plotmodel::Trace& trace = graph.traces[i];
        if (!settings.Shows(trace, i) || trace.penStyle == plotmodel::kPenNull || trace.Size() == 0) continue;
        painter.setPen(TracePen(plotmodel::DrawnColour(graph, looks[i].colour), looks[i].dashes));
        TraceGeometry g{trace, view.scales[graph.XAxisOf(trace)], view.scales[graph.YAxisOf(trace)],
                        settings.decibels};
        const MinMaxPyramid& pyramid = pyramids[i];
        bool steps = graph.axes[graph.YAxisOf(trace)].digital;
        if (!pyramid.Monotonic() || !(trace.xScale > 0)) {
            drawSparse(painter, g, 0, trace.Size(), view, steps);
            continue;
        }
        // The samples in view, and one on either side for the lines that leave the plot.
        std::size_t begin = LowerBound(trace.x.data(), trace.Size(), g.XAt(view.left));
        std::size_t end = LowerBound(trace.x.data(), trace.Size(), g.XAt(view.right));
        if (end - begin <= kSparseSamplesPerColumn * static_cast<std::size_t>(columns))
            drawSparse(painter, g, begin > 0 ? begin - 1 : 0, std::min(end + 1, trace.Size()), view, steps);
        else
            drawDense(painter, g, pyramid, view, fromColumn);
    }
}

int ColumnOfSample(const plotmodel::Graph& graph, const plotmodel::GraphView& view, const plotmodel::Trace& trace,
                   std::size_t index) {
    double x = view.scales[graph.XAxisOf(trace)].ToPixel(trace.x[index] * trace.xScale + trace.xOffset);
    return std::isfinite(x) ? static_cast<int>(std::floor(x - view.left)) : 0;
}

}  // namespace livegrapher
