#pragma once

#include <string_view>
#include <vector>

#include "plotmodel/graph_model.h"

// How each trace is drawn: the client's pen decides, but a trace whose pen repeats an earlier
// trace's (the client's palette and the module's own defaults both repeat after eight traces)
// gets a shade and a dash pattern of its own, so that the traces of a crowded graph stay apart
// in the plot and in the legend.

namespace plotmodel {

struct TraceLook {
    COLORREF colour;
    std::string_view dashes;  // an SVG stroke-dasharray; empty for a solid line
};

// The SVG stroke-dasharray of a pen style; empty for a solid line.
std::string_view PenDashes(int style);

// One look per trace, in order. The n-th repeat of a pen (colour and style) turns the pen's
// hue (greys change their lightness) and is dashed in a pattern that no pen style draws.
std::vector<TraceLook> TraceLooks(const Graph& graph);

// The colour a trace is drawn in: black on the dark plot area of a reversed graph would
// vanish, and is drawn white.
COLORREF DrawnColour(const Graph& graph, COLORREF colour);

}  // namespace plotmodel
