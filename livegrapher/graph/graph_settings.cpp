#include "livegrapher/graph/graph_settings.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace livegrapher {

namespace {

using plotmodel::Range;

constexpr Range kNoRange{std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
// Below the loudest value, the dB axis shows this much when the data reach zero.
constexpr double kDecibelFloor = 120;

Range drawnRange(Range raw, double scale, double offset) {
    double a = raw.lo * scale + offset, b = raw.hi * scale + offset;
    return {std::min(a, b), std::max(a, b)};
}

// The extremes of what one trace draws against an axis; nullopt when the pyramid cannot tell
// (the least positive value on a log axis after an offset or a negative scale).
std::optional<Range> traceExtremes(const plotmodel::Trace& trace, const plotmodel::MinMaxPyramid& pyramid, bool asX,
                                   bool logarithmic) {
    Range raw = asX ? pyramid.XRange() : pyramid.YRange();
    if (raw.lo > raw.hi) return kNoRange;
    double scale = asX ? trace.xScale : trace.yScale, offset = asX ? trace.xOffset : trace.yOffset;
    Range range = drawnRange(raw, scale, offset);
    if (!logarithmic || range.lo > 0) return range;
    if (offset != 0 || scale <= 0) return std::nullopt;
    double least = asX ? pyramid.LeastPositiveX() : pyramid.LeastPositiveY();
    if (std::isnan(least)) return kNoRange;
    return Range{least * scale, range.hi};
}

// The magnitudes in dB of a drawn range: from its smallest magnitude, or, when it reaches
// zero, from the floor below its largest.
Range decibelRange(Range drawn) {
    if (drawn.lo > drawn.hi) return drawn;
    double top = std::max(std::fabs(drawn.lo), std::fabs(drawn.hi));
    double bottom = drawn.lo > 0 || drawn.hi < 0 ? std::min(std::fabs(drawn.lo), std::fabs(drawn.hi)) : 0;
    double topDb = 20 * std::log10(top);
    return {bottom > 0 ? 20 * std::log10(bottom) : topDb - kDecibelFloor, topDb};
}

}  // namespace

plotmodel::ViewFrame FrameOf(const plotmodel::Graph& graph, const std::vector<plotmodel::MinMaxPyramid>& pyramids,
                             const ViewSettings& settings, double width, double height) {
    plotmodel::ViewFrame frame;
    frame.width = width;
    frame.height = height;
    frame.legendSides = true;
    frame.logarithmic = settings.logarithmic;
    frame.ranges = settings.zoom;
    for (int position = 0; position < 4; ++position) {
        bool horizontal = plotmodel::IsHorizontal(position);
        bool decibels = settings.decibels && !horizontal;
        if (decibels) frame.logarithmic[position] = false;
        bool logarithmic = frame.logarithmic[position].value_or(plotmodel::IsLogarithmic(graph.axes[position].scale));
        std::optional<Range> extremes = kNoRange;
        for (std::size_t i = 0; i < graph.traces.size() && extremes; ++i) {
            const plotmodel::Trace& trace = graph.traces[i];
            bool asX = graph.XAxisOf(trace) == position;
            if (!settings.Shows(trace, i) || (!asX && graph.YAxisOf(trace) != position)) continue;
            std::optional<Range> own = traceExtremes(trace, pyramids[i], asX, logarithmic);
            if (own && decibels && !asX) own = decibelRange(*own);
            if (!own) extremes.reset();
            else extremes = Range{std::min(extremes->lo, own->lo), std::max(extremes->hi, own->hi)};
        }
        frame.extremes[position] = extremes;
        // The client's range is in the data's units, which a dB axis does not show.
        if (decibels && !frame.ranges[position] && extremes)
            frame.ranges[position] = plotmodel::DisplayRange(*extremes, false, true);
    }
    return frame;
}

}  // namespace livegrapher
