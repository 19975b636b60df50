#pragma once

#include "veltutil/export.h"
#include "veltutil/grapher/grapher_page.h"
#include "veltutil/grapher/std_grapher_chart.h"
#include "veltutil/grapher/std_grapher_graph.h"

// A page that owns one standard table and one standard graph and opens them on itself. Attaching
// the page to another module page first closes and forgets both; clearing it closes them.
// Destruction closes the graph and the table before the page.
class VELTUTIL_API CStdGrapherPage : public CGrapherPage {
public:
    CStdGrapherPage() = default;
    CStdGrapherPage(const CStdGrapherPage&) = delete;
    CStdGrapherPage& operator=(const CStdGrapherPage&) = default;
    ~CStdGrapherPage() override = default;

    void SetPage(CGrapher* root, CGraphPage* page) override;
    long Clear() override;
    // Close the table, then the graph; their answers are not examined.
    virtual void CloseChartsAndGraphsOnPage();
    virtual void CloseChartsAndGraphsOnPageNow();
    // Close the graph, then create it anew on this page.
    virtual long OpenStdGraph(unsigned long id, GrapherDiagramType type);
    // Close the table, then create it anew on this page. Identifier 2 starts the row count again;
    // any other keeps it.
    virtual long OpenStdChart(unsigned long id, GrapherDiagramType type);

    CStdGrapherGraph& GetStdGrapherGraph() { return m_Graph; }
    CStdGrapherChart& GetStdGrapherChart() { return m_Chart; }
    const CStdGrapherChart& GetStdGrapherChart() const { return m_Chart; }

private:
    CStdGrapherChart m_Chart;
    CStdGrapherGraph m_Graph;
};
