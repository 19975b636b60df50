#pragma once

#include <QPainter>
#include <QRectF>

#include <vector>

#include "livegrapher/graph/graph_settings.h"
#include "plotmodel/graph_view.h"

// Everything of a graph's picture but its traces, as the files draw it: title, plot area,
// grid, frame, axes with their ticks and labels, and the legend, whose entries of hidden
// traces are greyed.

namespace livegrapher {

void PaintBackground(QPainter& painter, const plotmodel::Graph& graph, const plotmodel::GraphView& view,
                     const ViewSettings& settings, double width);
void PaintAxes(QPainter& painter, const plotmodel::Graph& graph, const plotmodel::GraphView& view);
void PaintLegend(QPainter& painter, const plotmodel::Graph& graph, const plotmodel::GraphView& view,
                 const ViewSettings& settings);

// Where a legend entry's sample line and text stand, for a click on it.
QRectF LegendEntryRect(const plotmodel::LegendEntry& entry);

}  // namespace livegrapher
