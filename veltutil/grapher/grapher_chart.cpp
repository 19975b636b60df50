#include "veltutil/grapher/grapher_chart.h"

#include "veltutil/grapher/internal/module_call.h"

template <class... Params, class... Args>
long CGrapherChart::Send(long (CGrapher::*operation)(CChart*, Params...), Args&&... args) {
    return veltutil::detail::ForwardTo(m_pGrapher, operation, m_pChart, static_cast<Args&&>(args)...);
}

CGrapherChart::~CGrapherChart() { Close(); }

void CGrapherChart::SetChart(CGrapher* root, CChart* chart) {
    m_pGrapher = root;
    m_pChart = chart;
    m_nOpened = chart != nullptr ? 1 : 0;
}

long CGrapherChart::SetCurrentFont(int first, int second, const char* faceName) {
    return m_Font.Set(first, second, faceName);
}

long CGrapherChart::Close() {
    if (m_pGrapher == nullptr || m_pChart == nullptr) return S_OK;
    long result = m_pGrapher->CloseChart(m_pChart);
    if (result == S_OK) m_nOpened = 0;
    return result;
}

long CGrapherChart::CloseNow() {
    long result = Close();
    m_pChart = nullptr;
    m_nNumRows = 0;
    return result;
}

long CGrapherChart::Clear() {
    m_nNumRows = 0;
    return Send(&CGrapher::ClearChart);
}

long CGrapherChart::SetTitle(const char* title) { return Send(&CGrapher::SetChartTitle, title); }

long CGrapherChart::SetTitleFont() {
    return Send(&CGrapher::SetChartTitleFont, m_Font.first, m_Font.second, m_Font.faceName.GetString());
}

long CGrapherChart::AddColumn(const char* heading, int width, ChartType type) {
    return Send(&CGrapher::AddColumn, heading, width, type);
}

long CGrapherChart::SetColumnPrecision(int column, int precision) {
    return Send(&CGrapher::SetColumnPrecision, column, precision);
}

long CGrapherChart::SetColumnSortable(int column, int sortable) { return Send(&CGrapher::SetColumnSortable, column, sortable); }
long CGrapherChart::SortColumn(int column) { return Send(&CGrapher::SortColumn, column); }

long CGrapherChart::AddRow() {
    ++m_nNumRows;
    return Send(&CGrapher::AddRow);
}

long CGrapherChart::SetRowItemInt(int row, int column, int value) { return Send(&CGrapher::SetRowItemInt, row, column, value); }

long CGrapherChart::SetRowItemDouble(int row, int column, double value) {
    return Send(&CGrapher::SetRowItemDouble, row, column, value);
}

long CGrapherChart::SetRowItemText(int row, int column, const char* text) {
    return Send(&CGrapher::SetRowItemText, row, column, text != nullptr ? text : "");
}

long CGrapherChart::UpdateDisplay() { return Send(&CGrapher::UpdateChartDisplay); }
long CGrapherChart::SetSortable(int sortable) { return Send(&CGrapher::SetChartSortable, sortable); }
long CGrapherChart::SetShowLeftHeader(int show) { return Send(&CGrapher::SetShowLeftHeader, show); }
long CGrapherChart::SetShowTopHeader(int show) { return Send(&CGrapher::SetShowTopHeader, show); }
