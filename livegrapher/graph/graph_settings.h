#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <set>
#include <vector>

#include "plotmodel/graph_view.h"
#include "plotmodel/minmax_pyramid.h"

// What a person changed about how one graph is shown: zoom, scales, grid, magnitudes in dB and
// hidden traces. None of it reaches the client or the model; the model's own settings apply
// wherever a person has not chosen.

namespace livegrapher {

struct ViewSettings {
    std::array<std::optional<plotmodel::Range>, 4> zoom;  // per axis, as shown
    std::array<std::optional<bool>, 4> logarithmic;
    bool grid = true;      // the model's grid, when it has one, is shown
    bool decibels = false;  // Y drawn as 20·log10|y|
    std::set<std::size_t> hidden;

    bool Shows(const plotmodel::Trace& trace, std::size_t index) const { return trace.shown && !hidden.contains(index); }
};

// A Y value as drawn: the trace's scale and offset, then its magnitude in dB when asked for;
// -inf dB for zero.
inline double DrawnY(const plotmodel::Trace& trace, double y, bool decibels) {
    double drawn = y * trace.yScale + trace.yOffset;
    return decibels ? 20 * std::log10(std::fabs(drawn)) : drawn;
}

// The layout's frame for a graph shown at width × height: the person's choices, and the data's
// extremes from the pyramids, so that no layout scans the samples.
plotmodel::ViewFrame FrameOf(const plotmodel::Graph& graph, const std::vector<plotmodel::MinMaxPyramid>& pyramids,
                             const ViewSettings& settings, double width, double height);

}  // namespace livegrapher
