#include "veltutil/grapher/std_grapher_page.h"

namespace {

// The table identifier whose tables start with no rows.
constexpr unsigned long kFreshTable = 2;

}  // namespace

void CStdGrapherPage::SetPage(CGrapher* root, CGraphPage* page) {
    CloseChartsAndGraphsOnPageNow();
    CGrapherPage::SetPage(root, page);
}

long CStdGrapherPage::Clear() {
    CloseChartsAndGraphsOnPage();
    return CGrapherPage::Clear();
}

void CStdGrapherPage::CloseChartsAndGraphsOnPage() {
    m_Chart.Close();
    m_Graph.Close();
}

void CStdGrapherPage::CloseChartsAndGraphsOnPageNow() {
    m_Chart.CloseNow();
    m_Graph.CloseNow();
}

long CStdGrapherPage::OpenStdGraph(unsigned long id, GrapherDiagramType type) {
    m_Graph.Close();
    return Create(id, m_Graph, type);
}

long CStdGrapherPage::OpenStdChart(unsigned long id, GrapherDiagramType type) {
    m_Chart.Close();
    if (id == kFreshTable) m_Chart.SetNumRows(0);
    return Create(id, m_Chart, type);
}
