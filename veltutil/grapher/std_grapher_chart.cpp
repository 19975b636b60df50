#include "veltutil/grapher/std_grapher_chart.h"

#include "veltutil/grapher/internal/diagram.h"
#include "veltutil/measure/gain_phase.h"

using veltutil::detail::GetDiagramTexts;
using veltutil::detail::ToDiagramValues;

namespace {

// The column types the standard table asks for; what they mean belongs to the plotting module.
constexpr auto kHeadingColumn = static_cast<ChartType>(3);
constexpr auto kValueColumn = static_cast<ChartType>(2);

}  // namespace

void CStdGrapherChart::SetChart(CGrapher* root, GrapherDiagramType type, CChart* chart) {
    m_Chart.SetChart(root, chart);
    m_DiagramType = type;
}

long CStdGrapherChart::SetCurrentFont(int first, int second, const char* faceName) {
    return m_Chart.SetCurrentFont(first, second, faceName);
}
int CStdGrapherChart::IsOpened() const { return m_Chart.IsOpened(); }
CGrapher* CStdGrapherChart::GetGrapher() const { return m_Chart.GetGrapher(); }
long CStdGrapherChart::Close() { return m_Chart.Close(); }
long CStdGrapherChart::CloseNow() { return m_Chart.CloseNow(); }
long CStdGrapherChart::Clear() { return m_Chart.Clear(); }
long CStdGrapherChart::SetTitle(const char* title) { return m_Chart.SetTitle(title); }
long CStdGrapherChart::SetTitleFont() { return m_Chart.SetTitleFont(); }

long CStdGrapherChart::DefineColumns(const char* heading, int w0, int w1, int w2) {
    long result = m_Chart.AddColumn(heading != nullptr ? heading : "", w0, kHeadingColumn);
    if (result != S_OK) return result;
    const auto& texts = GetDiagramTexts();
    const char* first = "";
    const char* second = nullptr;
    switch (m_DiagramType) {
    case DIAGRAM_REAL_IMAGINARY:
        first = texts.real;
        second = texts.imaginary;
        break;
    case DIAGRAM_MAGNITUDE_PHASE_FROM_COMPLEX:
    case DIAGRAM_MAGNITUDE_PHASE:
        first = texts.magnitude;
        second = texts.phase;
        break;
    case DIAGRAM_GAIN_PHASE:
        first = texts.gain;
        second = texts.phase;
        break;
    default:
        break;
    }
    result = m_Chart.AddColumn(first, w1, kValueColumn);
    if (result != S_OK || second == nullptr) return result;
    return m_Chart.AddColumn(second, w2, kValueColumn);
}

long CStdGrapherChart::SetColumnPrecision(int column, int precision) { return m_Chart.SetColumnPrecision(column, precision); }
long CStdGrapherChart::SetColumnSortable(int column, int sortable) { return m_Chart.SetColumnSortable(column, sortable); }
long CStdGrapherChart::SortColumn(int column) { return m_Chart.SortColumn(column); }
long CStdGrapherChart::AddRow() { return m_Chart.AddRow(); }

long CStdGrapherChart::SetRowItemValue(int row, double a, double b, double c, double d, double e, double f, double g,
                                       double h) {
    const double numbers[8] = {a, b, c, d, e, f, g, h};
    CGainPhase calculator;
    const auto values = ToDiagramValues(m_DiagramType, numbers, calculator);
    if (values.count == 0) return S_OK;
    long result = m_Chart.SetRowItemDouble(row, 1, values.first);
    if (result != S_OK || values.count == 1) return result;
    return m_Chart.SetRowItemDouble(row, 2, values.second);
}

long CStdGrapherChart::SetRowItemText(int row, const char* text) { return m_Chart.SetRowItemText(row, 0, text); }
long CStdGrapherChart::UpdateDisplay() { return m_Chart.UpdateDisplay(); }
long CStdGrapherChart::SetSortable(int sortable) { return m_Chart.SetSortable(sortable); }
long CStdGrapherChart::SetShowLeftHeader(int show) { return m_Chart.SetShowLeftHeader(show); }
long CStdGrapherChart::SetShowTopHeader(int show) { return m_Chart.SetShowTopHeader(show); }
int CStdGrapherChart::GetNumRows() const { return m_Chart.GetNumRows(); }
void CStdGrapherChart::SetNumRows(int rows) { m_Chart.SetNumRows(rows); }

long CStdGrapherChart::AddCollumn(const char* heading, int width, ChartType type) {
    return m_Chart.AddColumn(heading != nullptr ? heading : "", width, type);
}

long CStdGrapherChart::SetItemText(int row, int column, const char* text) { return m_Chart.SetRowItemText(row, column, text); }
long CStdGrapherChart::SetItemDouble(int row, int column, double value) {
    return m_Chart.SetRowItemDouble(row, column, value);
}
