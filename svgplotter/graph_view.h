#pragma once

#include <array>
#include <string>
#include <vector>

#include "svgplotter/axis_scale.h"
#include "svgplotter/graph_model.h"

// Where everything of a graph goes in its picture: the plot rectangle, the four axes' scales
// and the legend entries. Every graph is drawn at one fixed size, so its picture does not
// depend on the viewer.

namespace svgplotter {

constexpr int kGraphWidth = 800;
constexpr int kGraphHeight = 480;
constexpr int kLegendFontSize = 12;
constexpr int kLegendRowHeight = 18;

struct LegendEntry {
    std::size_t trace;
    double x, y;  // the start of its sample line; the text follows it
};

struct GraphView {
    double left, right, top, bottom;  // the plot rectangle
    // Scales of positions 0 and 2 run from left to right, those of 1 and 3 from bottom to top.
    std::vector<AxisScale> scales;  // indexed by AxisPosition
    std::vector<LegendEntry> legend;
};

// The font size that text of `font` is drawn at: its height, within 8 to 32 pixels.
int FontSize(const Font& font);

GraphView ViewOf(const Graph& graph);

}  // namespace svgplotter
