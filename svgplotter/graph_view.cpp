#include "svgplotter/graph_view.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace svgplotter {

namespace {

constexpr double kTitleBand = 36;
constexpr double kHorizontalAxisBand = 46;  // ticks, values and the axis label
constexpr double kVerticalAxisBand = 84;
constexpr double kBareMargin = 16;
constexpr double kLegendSwatch = 28;  // sample line and gap before the label
constexpr double kLegendGap = 18;
constexpr double kMaxLegendRows = 4;

bool isHorizontal(int position) { return position == AXIS_POSITION_0 || position == AXIS_POSITION_2; }

// The extremes of the values drawn against one axis, as the client's data and the trace's
// offsets and scales give them; lo > hi when there are none.
Range dataRange(const Graph& graph, int position, bool logarithmic) {
    Range range{std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
    for (const Trace& trace : graph.traces) {
        if (!trace.shown) continue;
        bool asX = graph.XAxisOf(trace) == position;
        if (!asX && graph.YAxisOf(trace) != position) continue;
        const std::vector<double>& values = asX ? trace.x : trace.y;
        double scale = asX ? trace.xScale : trace.yScale, offset = asX ? trace.xOffset : trace.yOffset;
        for (double value : values) {
            double drawn = value * scale + offset;
            if (!std::isfinite(drawn) || (logarithmic && drawn <= 0)) continue;
            range.lo = std::min(range.lo, drawn);
            range.hi = std::max(range.hi, drawn);
        }
    }
    return range;
}

Range axisRange(const Graph& graph, int position) {
    const Axis& axis = graph.axes[position];
    bool logarithmic = IsLogarithmic(axis.scale);
    if (!axis.autoRange) {
        Range set{std::min(axis.lo, axis.hi), std::max(axis.lo, axis.hi)};
        // A log axis given a range that reaches zero shows the data's positive range instead.
        if (!logarithmic || set.lo > 0) return DisplayRange(set, logarithmic, false);
    }
    return DisplayRange(dataRange(graph, position, logarithmic), logarithmic, !isHorizontal(position));
}

// Legend entries left to right, wrapping to a new row when the next would pass the right
// edge. Text width is estimated from its length, which is all that a file can know.
std::vector<LegendEntry> layoutLegend(const Graph& graph, double left, double right, double& rows) {
    std::vector<LegendEntry> entries;
    double x = left, row = 0;
    for (std::size_t i = 0; i < graph.traces.size(); ++i) {
        const Trace& trace = graph.traces[i];
        if (!trace.shown || trace.internalUse) continue;
        double width = kLegendSwatch + 0.6 * kLegendFontSize * static_cast<double>(std::max<std::size_t>(trace.label.size(), 7));
        if (x > left && x + width > right) {
            // Past a few rows the legend would crowd out the plot; the CSV names every trace.
            if (row + 1 == kMaxLegendRows) break;
            x = left;
            ++row;
        }
        entries.push_back({i, x, row});
        x += width + kLegendGap;
    }
    rows = entries.empty() ? 0 : row + 1;
    return entries;
}

}  // namespace

int FontSize(const Font& font) { return std::clamp(font.height, 8, 32); }

GraphView ViewOf(const Graph& graph) {
    GraphView view{};
    view.left = graph.AxisDrawn(AXIS_POSITION_3) ? kVerticalAxisBand : kBareMargin;
    view.right = kGraphWidth - (graph.AxisDrawn(AXIS_POSITION_1) ? kVerticalAxisBand : kBareMargin);
    view.top = kTitleBand + (graph.AxisDrawn(AXIS_POSITION_2) ? kHorizontalAxisBand : 0);
    double rows = 0;
    view.legend = layoutLegend(graph, view.left, view.right, rows);
    double legendTop = kGraphHeight - rows * kLegendRowHeight - (rows > 0 ? 6 : 0);
    view.bottom = legendTop - (graph.AxisDrawn(AXIS_POSITION_0) ? kHorizontalAxisBand : kBareMargin);
    for (LegendEntry& entry : view.legend) entry.y = legendTop + (entry.y + 0.5) * kLegendRowHeight;

    for (int position = 0; position < 4; ++position) {
        Range range = axisRange(graph, position);
        bool logarithmic = IsLogarithmic(graph.axes[position].scale);
        if (isHorizontal(position))
            view.scales.emplace_back(range, logarithmic, view.left, view.right);
        else
            view.scales.emplace_back(range, logarithmic, view.bottom, view.top);
    }
    return view;
}

}  // namespace svgplotter
