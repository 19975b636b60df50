#include "plotmodel/graph_model.h"

#include <cmath>
#include <limits>

namespace plotmodel {

namespace {

constexpr COLORREF rgb(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }

}  // namespace

COLORREF DefaultTraceColour(std::size_t trace) {
    static constexpr std::array<COLORREF, 8> palette{rgb(255, 0, 0),   rgb(0, 0, 255),    rgb(0, 255, 0),
                                                     rgb(128, 0, 128), rgb(0, 192, 192),  rgb(96, 96, 0),
                                                     rgb(128, 128, 128), rgb(0, 0, 0)};
    return palette[trace % palette.size()];
}

bool IsLogarithmic(ScaleType scale) { return scale == SCALE_TYPE_1 || scale == SCALE_TYPE_2 || scale == SCALE_TYPE_3; }

bool Graph::AxisDrawn(AxisPosition position) const {
    const Axis& axis = axes[position];
    if (axis.show != AxisShow::kAuto) return axis.show == AxisShow::kOn;
    // The primary axes frame the plot even before any trace arrives.
    if (position == AXIS_POSITION_0 || position == AXIS_POSITION_3) return true;
    for (const Trace& trace : traces)
        if (trace.shown && (XAxisOf(trace) == position || YAxisOf(trace) == position)) return true;
    return false;
}

long NearestPoint(const Trace& trace, double x) {
    long best = -1;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < trace.x.size(); ++i) {
        double distance = std::fabs(trace.x[i] - x);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<long>(i);
        }
    }
    return best;
}

bool TraceExtremes(const Trace& trace, double& minX, double& minY, double& maxX, double& maxY) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    minX = minY = inf;
    maxX = maxY = -inf;
    for (std::size_t i = 0; i < trace.x.size(); ++i) {
        if (!std::isnan(trace.x[i])) {
            minX = std::fmin(minX, trace.x[i]);
            maxX = std::fmax(maxX, trace.x[i]);
        }
        if (!std::isnan(trace.y[i])) {
            minY = std::fmin(minY, trace.y[i]);
            maxY = std::fmax(maxY, trace.y[i]);
        }
    }
    return minX <= maxX && minY <= maxY;
}

}  // namespace plotmodel
