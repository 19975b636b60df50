#include "plotmodel/graph_view.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace plotmodel {

namespace {

constexpr double kTitleBand = 36;
constexpr double kBareMargin = 16;     // beside the plot where no axis stands
constexpr double kOuterPad = 6;        // between the picture's edge and the text nearest to it
constexpr double kValueGap = kTickLength + 3;  // between the plot and its tick values
constexpr double kLabelGap = 4;        // between the tick values and the axis label
constexpr double kValueSpacing = 10;   // least room between two values along a horizontal axis
// Heights in ems of the fallback font: above the baseline (capitals and accents), below it,
// and of digits.
constexpr double kAscent = 0.95, kDescent = 0.25, kDigitHeight = 0.75;
constexpr int kVerticalLabels = 6, kHorizontalLabels = 8;
constexpr double kLegendGap = 18;      // between entries
constexpr double kMaxLegendRows = 6;

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

bool logarithmicIn(const Graph& graph, const ViewFrame& frame, int position) {
    return frame.logarithmic[position].value_or(IsLogarithmic(graph.axes[position].scale));
}

Range axisRange(const Graph& graph, const ViewFrame& frame, int position) {
    if (frame.ranges[position]) return *frame.ranges[position];
    const Axis& axis = graph.axes[position];
    bool logarithmic = logarithmicIn(graph, frame, position);
    if (!axis.autoRange) {
        Range set{std::min(axis.lo, axis.hi), std::max(axis.lo, axis.hi)};
        // A log axis given a range that reaches zero shows the data's positive range instead.
        if (!logarithmic || set.lo > 0) return DisplayRange(set, logarithmic, false);
    }
    Range data = frame.extremes[position] ? *frame.extremes[position] : dataRange(graph, position, logarithmic);
    return DisplayRange(data, logarithmic, !IsHorizontal(position));
}

std::vector<Tick> ticksOf(const AxisScale& scale, int maxLabels) {
    return scale.Logarithmic() ? LogTicks(scale.GetRange(), maxLabels) : LinearTicks(scale.GetRange(), maxLabels);
}

double widestValue(const std::vector<Tick>& ticks, int fontSize) {
    double widest = 0;
    for (const Tick& tick : ticks) widest = std::max(widest, TextWidth(tick.label, fontSize));
    return widest;
}

bool valuesApart(const std::vector<Tick>& ticks, const AxisScale& scale, int fontSize) {
    double end = -std::numeric_limits<double>::infinity();
    for (const Tick& tick : ticks) {
        if (tick.label.empty()) continue;
        double at = scale.ToPixel(tick.value), half = TextWidth(tick.label, fontSize) / 2;
        if (at - half < end + kValueSpacing) return false;
        end = at + half;
    }
    return true;
}

// As many labelled ticks as keep their values, centred under them, apart.
std::vector<Tick> horizontalTicks(const AxisScale& scale, int fontSize) {
    for (int labels = kHorizontalLabels;; --labels) {
        std::vector<Tick> ticks = ticksOf(scale, labels);
        if (labels == 2 || valuesApart(ticks, scale, fontSize)) return ticks;
    }
}

// The room that a drawn axis takes beside the plot, from the plot to the picture's edge, and
// where its texts go at that distance (`texts` as offsets from the plot, outwards).
double axisBand(const Graph& graph, int position, const std::vector<Tick>& ticks, AxisTexts& texts) {
    const Axis& axis = graph.axes[position];
    int valueSize = FontSize(axis.valueFont), labelSize = FontSize(axis.labelFont);
    bool horizontal = IsHorizontal(position);
    // Text on the top axis has its descent towards the plot, and so has the turned text of the
    // vertical axes; text under the plot has its ascent towards it.
    bool descentInwards = position != AXIS_POSITION_0;
    // Values stand beside a vertical axis, anchored at the plot's side, and under or over a
    // horizontal one, a line high.
    texts.values = kValueGap + (!horizontal ? 0 : descentInwards ? valueSize * kDescent : valueSize * kDigitHeight);
    double band = kValueGap + (horizontal ? valueSize * (kDigitHeight + kDescent) : widestValue(ticks, valueSize));
    if (!axis.label.empty()) {
        texts.label = band + kLabelGap + labelSize * (descentInwards ? kDescent : kAscent);
        band += kLabelGap + labelSize * (kAscent + kDescent);
    }
    return band + kOuterPad;
}

// Legend entries left to right, wrapping to a new row when the next would pass the right
// edge.
std::vector<LegendEntry> layoutLegend(const Graph& graph, bool sides, double left, double right, double& rows) {
    std::vector<LegendEntry> entries;
    double x = left, row = 0;
    for (std::size_t i = 0; i < graph.traces.size(); ++i) {
        const Trace& trace = graph.traces[i];
        if (!trace.shown || trace.internalUse) continue;
        std::string text = trace.label.empty() ? "Trace " + std::to_string(i) : trace.label;
        if (sides) text += graph.YAxisOf(trace) == AXIS_POSITION_1 ? " (right)" : " (left)";
        double width = kLegendSwatch + kLegendTextGap + TextWidth(text, kLegendFontSize);
        if (x > left && x + width > right) {
            // Past a few rows the legend would crowd out the plot; the CSV names every trace.
            if (row + 1 == kMaxLegendRows) break;
            x = left;
            ++row;
        }
        entries.push_back({i, std::move(text), x, row});
        x += width + kLegendGap;
    }
    rows = entries.empty() ? 0 : row + 1;
    return entries;
}

}  // namespace

bool IsHorizontal(int position) { return position == AXIS_POSITION_0 || position == AXIS_POSITION_2; }

int FontSize(const Font& font) { return std::clamp(font.height, 8, 32); }

double TextWidth(std::string_view text, double fontSize) {
    static constexpr std::string_view narrow = " .,:;'|ijlI", slim = "-()[]/\\frt!\"`", broad = "+=<>#~^&",
                                      wide = "mwMW%@";
    double ems = 0;
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80)
            ems += (byte & 0xC0) == 0x80 ? 0 : 1;  // a character beyond ASCII counts at its lead byte
        else if (narrow.find(c) != std::string_view::npos)
            ems += 0.34;
        else if (slim.find(c) != std::string_view::npos)
            ems += 0.42;
        else if (broad.find(c) != std::string_view::npos)
            ems += 0.84;
        else if (wide.find(c) != std::string_view::npos)
            ems += 1;
        else
            ems += c >= 'A' && c <= 'Z' ? 0.79 : 0.64;  // digits and small letters
    }
    return ems * fontSize;
}

GraphView ViewOf(const Graph& graph) { return ViewOf(graph, ViewFrame{}); }

GraphView ViewOf(const Graph& graph, const ViewFrame& frame) {
    GraphView view{};
    std::vector<AxisScale> unplaced;  // the axes' ranges, for the ticks that the layout depends on
    for (int position = 0; position < 4; ++position)
        unplaced.emplace_back(axisRange(graph, frame, position), logarithmicIn(graph, frame, position), 0, 1);
    auto drawn = [&](int position) { return graph.AxisDrawn(static_cast<AxisPosition>(position)); };
    // Each side holds what its axis shows, or a bare margin, and takes no more than a quarter
    // of the picture's width.
    auto side = [&](int position) {
        double band = drawn(position) ? axisBand(graph, position, view.ticks[position], view.texts[position]) : kBareMargin;
        return std::min(band, frame.width / 4.0);
    };

    // Vertical axes' ticks do not depend on the layout, and their widest values set the sides.
    for (int position : {AXIS_POSITION_1, AXIS_POSITION_3}) view.ticks[position] = ticksOf(unplaced[position], kVerticalLabels);
    view.left = side(AXIS_POSITION_3);
    view.right = frame.width - side(AXIS_POSITION_1);
    // The outermost values of a horizontal axis stand half beside the plot.
    for (int position : {AXIS_POSITION_0, AXIS_POSITION_2}) {
        if (!drawn(position)) continue;
        double half = widestValue(ticksOf(unplaced[position], kHorizontalLabels), FontSize(graph.axes[position].valueFont)) / 2;
        view.left = std::max(view.left, kOuterPad + half);
        view.right = std::min(view.right, frame.width - kOuterPad - half);
    }
    for (int position : {AXIS_POSITION_0, AXIS_POSITION_2}) {
        const AxisScale& scale = unplaced[position];
        view.ticks[position] = horizontalTicks(AxisScale(scale.GetRange(), scale.Logarithmic(), view.left, view.right),
                                               FontSize(graph.axes[position].valueFont));
    }

    double rows = 0;
    view.legend = layoutLegend(graph, frame.legendSides, view.left, view.right, rows);
    double legendTop = frame.height - rows * kLegendRowHeight - (rows > 0 ? 6 : 0);
    view.top = kTitleBand + (drawn(AXIS_POSITION_2) ? side(AXIS_POSITION_2) : 0);
    view.bottom = legendTop - side(AXIS_POSITION_0);
    for (LegendEntry& entry : view.legend) entry.y = legendTop + (entry.y + 0.5) * kLegendRowHeight;

    // Text offsets become coordinates.
    for (int position = 0; position < 4; ++position) {
        AxisTexts& texts = view.texts[position];
        double edge = position == 0 ? view.bottom : position == 2 ? view.top : position == 3 ? view.left : view.right;
        double outwards = position == 0 || position == 1 ? 1 : -1;
        texts = {edge + outwards * texts.values, edge + outwards * texts.label};
        const AxisScale& scale = unplaced[position];
        if (IsHorizontal(position))
            view.scales.emplace_back(scale.GetRange(), scale.Logarithmic(), view.left, view.right);
        else
            view.scales.emplace_back(scale.GetRange(), scale.Logarithmic(), view.bottom, view.top);
    }
    return view;
}

}  // namespace plotmodel
