#include "livegrapher/graph/graph_widget.h"

namespace livegrapher {

GraphWidget::GraphWidget(QWidget* parent) : QWidget(parent) { setMinimumSize(320, 200); }

void GraphWidget::SetGraph(plotmodel::Graph* graph) {
    graph_ = graph;
    update();
}

void GraphWidget::GraphChanged() { update(); }

}  // namespace livegrapher
