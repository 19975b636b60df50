#pragma once

#include <QWidget>

#include "plotmodel/graph_model.h"

namespace livegrapher {

// One graph drawn on the screen.
class GraphWidget : public QWidget {
public:
    explicit GraphWidget(QWidget* parent = nullptr);
    // The graph drawn. The owner keeps it alive and calls SetGraph again if it moves or goes
    // (nullptr: nothing drawn). The widget may set the graph's crosshairs (cursors placed by a person).
    void SetGraph(plotmodel::Graph* graph);
    // The graph changed since the last call (points appended or removed, settings): bring the
    // picture up to date. Called by the page window at most ~30 times a second, and at once on a forced refresh.
    void GraphChanged();

private:
    plotmodel::Graph* graph_ = nullptr;
};

}  // namespace livegrapher
