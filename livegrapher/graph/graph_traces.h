#pragma once

#include <QPainter>
#include <QPen>

#include <string_view>

#include <vector>

#include "livegrapher/graph/graph_settings.h"
#include "plotmodel/graph_view.h"
#include "plotmodel/minmax_pyramid.h"

// Drawing a graph's traces at any zoom in time that follows the pixel columns: where a trace
// is dense, each column is one vertical stroke from its lowest to its highest sample (found in
// the trace's pyramid) with lines from the column before; where it is sparse, or its X values
// jump about, the model's decimation gives the polyline. A sample that cannot be drawn (NaN,
// infinite, not positive on a log axis) breaks the line.

namespace livegrapher {

// A one-pixel pen of a trace's colour and dash pattern (an SVG stroke-dasharray).
QPen TracePen(COLORREF colour, std::string_view dashes);

// Draws the traces shown into `painter`, in the view's coordinates, the pixel columns of the
// plot from `fromColumn` (0 is the plot's left edge) onwards; the caller clips and clears.
void DrawTraces(QPainter& painter, const plotmodel::Graph& graph, const plotmodel::GraphView& view,
                const std::vector<plotmodel::MinMaxPyramid>& pyramids, const ViewSettings& settings, int fromColumn);

// The plot column that sample `index` of a trace falls in (negative left of the plot); the
// place from which appended samples are drawn.
int ColumnOfSample(const plotmodel::Graph& graph, const plotmodel::GraphView& view, const plotmodel::Trace& trace,
                   std::size_t index);

}  // namespace livegrapher
