#include "livegrapher/graph/graph_readout.h"

#include <algorithm>
#include <cmath>

#include "plotmodel/eng_format.h"

namespace livegrapher {

namespace {

// Read the way the axes are labelled (400u, 931.593m), to about six significant digits.
constexpr double kRelativeStep = 1e-5;

QString number(double value) {
    return QString::fromStdString(plotmodel::EngineeringLabel(value, std::abs(value) * kRelativeStep));
}

std::optional<CursorReading> readTrace(const plotmodel::Trace& trace, const plotmodel::MinMaxPyramid& pyramid,
                                       std::size_t index, double x, bool decibels) {
    const std::vector<double>& xs = trace.x;
    const std::vector<double>& ys = trace.y;
    double at = (x - trace.xOffset) / trace.xScale;
    if (!pyramid.Monotonic()) {
        long nearest = plotmodel::NearestPoint(trace, at);
        if (nearest < 0 || !std::isfinite(ys[static_cast<std::size_t>(nearest)])) return std::nullopt;
        return CursorReading{index, DrawnY(trace, ys[static_cast<std::size_t>(nearest)], decibels), false};
    }
    std::size_t after = plotmodel::LowerBound(xs.data(), trace.Size(), at);
    if (after < trace.Size() && xs[after] == at) {
        if (!std::isfinite(ys[after])) return std::nullopt;
        return CursorReading{index, DrawnY(trace, ys[after], decibels), false};
    }
    if (after == 0 || after == trace.Size() || !std::isfinite(ys[after - 1]) || !std::isfinite(ys[after])) return std::nullopt;
    double share = (at - xs[after - 1]) / (xs[after] - xs[after - 1]);
    return CursorReading{index, DrawnY(trace, ys[after - 1] + share * (ys[after] - ys[after - 1]), decibels), true};
}

QString valueText(const CursorReading& reading) { return (reading.interpolated ? "≈" : "") + number(reading.y); }

}  // namespace

QString TraceName(const plotmodel::Graph& graph, std::size_t trace) {
    const std::string& label = graph.traces[trace].label;
    return label.empty() ? QString("Trace %1").arg(trace) : QString::fromStdString(label);
}

std::vector<CursorReading> ReadAt(const plotmodel::Graph& graph, const std::vector<plotmodel::MinMaxPyramid>& pyramids,
                                  const ViewSettings& settings, double x) {
    std::vector<CursorReading> readings;
    // Traces added since the pyramids were last brought up are read at the next picture.
    for (std::size_t i = 0; i < graph.traces.size() && i < pyramids.size(); ++i) {
        const plotmodel::Trace& trace = graph.traces[i];
        if (!settings.Shows(trace, i) || trace.Size() == 0) continue;
        if (std::optional<CursorReading> reading = readTrace(trace, pyramids[i], i, x, settings.decibels))
            readings.push_back(*reading);
    }
    return readings;
}

QString ReadoutOf(const plotmodel::Graph& graph, const std::vector<plotmodel::MinMaxPyramid>& pyramids,
                  const ViewSettings& settings, const std::array<std::optional<double>, 2>& cursors) {
    QStringList lines;
    std::array<std::vector<CursorReading>, 2> readings;
    for (std::size_t c = 0; c < cursors.size(); ++c) {
        if (!cursors[c]) continue;
        readings[c] = ReadAt(graph, pyramids, settings, *cursors[c]);
        QString line = QString("C%1 x=%2").arg(c + 1).arg(number(*cursors[c]));
        for (const CursorReading& reading : readings[c]) line += "  " + TraceName(graph, reading.trace) + ": " + valueText(reading);
        lines << line;
    }
    if (cursors[0] && cursors[1]) {
        double dx = *cursors[1] - *cursors[0];
        QString line = "Δx=" + number(dx) + (dx != 0 ? "  1/Δx=" + number(1 / dx) : QString());
        for (const CursorReading& first : readings[0])
            for (const CursorReading& second : readings[1])
                if (first.trace == second.trace)
                    line += "  " + TraceName(graph, first.trace) + " Δy=" +
                            (first.interpolated || second.interpolated ? "≈" : "") + number(second.y - first.y);
        lines << line;
    }
    return lines.join('\n');
}

}  // namespace livegrapher
