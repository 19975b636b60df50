#include "veltutil/grapher/chart_log.h"

#include <algorithm>
#include <string_view>

#include "veltutil/grapher/grapher_source.h"
#include "veltutil/resources/internal/resource_module.h"
#include "veltutil/resources/internal/string_ids.h"

using veltutil::detail::LoadLibraryString;

namespace {

constexpr unsigned long kLogPage = 4;
constexpr unsigned long kLogTable = 2;
constexpr auto kLogColumn = static_cast<ChartType>(0);
constexpr int kIndentWidth = 4;
constexpr int kMostBlanks = 103;

struct RunColumn {
    UINT heading;
    int width;
};
constexpr RunColumn kRunColumns[] = {
    {veltutil::detail::IDS_RUN_LOG_RUN, 130},    {veltutil::detail::IDS_RUN_LOG_TIME, 130},
    {veltutil::detail::IDS_RUN_LOG_OUTPUT, 390}, {veltutil::detail::IDS_RUN_LOG_SUM, 130},
    {veltutil::detail::IDS_RUN_LOG_PARAMETER, 1300},
};

const CString& blanks() {
    static const CString text(' ', kMostBlanks);
    return text;
}

CString indentFor(int level) {
    if (level <= 0) return CString();
    // Capped before multiplying, so that no level can overflow.
    return blanks().Right(std::min(std::min(level, kMostBlanks) * kIndentWidth, kMostBlanks));
}

}  // namespace

ChartLog::ChartLog(CGrapherSource* source) : m_pSource(source), m_pPage(&m_Page) {}

ChartLog::ChartLog(const ChartLog& other)
    : m_pSource(other.m_pSource),
      m_Page(other.m_Page),
      m_pPage(other.m_pPage == &other.m_Page ? &m_Page : other.m_pPage),
      m_Chart(other.m_Chart),
      m_nPageWasOpen(other.m_nPageWasOpen),
      m_nNumRows(other.m_nNumRows),
      m_nIndent(other.m_nIndent) {}

ChartLog& ChartLog::operator=(const ChartLog& other) {
    if (this == &other) return *this;
    m_pSource = other.m_pSource;
    m_Page = other.m_Page;
    m_pPage = other.m_pPage == &other.m_Page ? &m_Page : other.m_pPage;
    m_Chart = other.m_Chart;
    m_nPageWasOpen = other.m_nPageWasOpen;
    m_nNumRows = other.m_nNumRows;
    m_nIndent = other.m_nIndent;
    return *this;
}

ChartLog& ChartLog::SetGrapher(CGrapherSource* source) {
    m_pSource = source;
    return *this;
}

ChartLog& ChartLog::SetPage(CGrapherPage* page) {
    m_pPage = page != nullptr ? page : &m_Page;
    return *this;
}

ChartLog& ChartLog::OpenNewLog(const CString& tabName, const CString& title, const CString& heading, int width,
                               LogType type) {
    if (m_Chart.IsOpened() || m_pSource == nullptr) return *this;
    if (!m_pPage->IsOpened()) {
        // Whatever the module answered: a refused page still gets its tab name and the table
        // request, and the log reports nothing.
        m_pSource->Create(kLogPage, *m_pPage);
        m_nPageWasOpen = 0;
        m_pPage->SetPageTabname(tabName);
    } else {
        m_nPageWasOpen = 1;
    }
    m_nIndent = 0;
    m_pPage->Create(kLogTable, m_Chart);
    m_Chart.SetTitle(title);
    m_Chart.SetSortable(0);
    if (type == RUN_TABLE) {
        for (const RunColumn& column : kRunColumns)
            m_Chart.AddColumn(LoadLibraryString(column.heading), column.width, kLogColumn);
        m_nNumRows = 0;
    } else {
        m_Chart.AddColumn(heading, width, kLogColumn);
    }
    return *this;
}

ChartLog& ChartLog::AddLogEntry(int row, int column, const CString& text) {
    if (!IsWritable()) return *this;
    while (m_nNumRows <= row) {
        m_Chart.AddRow();
        ++m_nNumRows;
    }
    CString trimmed(text);
    m_Chart.SetRowItemText(row, column, trimmed.Trim());
    return *this;
}

void ChartLog::AppendRow(const CString& text) {
    m_Chart.AddRow();
    m_Chart.SetRowItemText(m_nNumRows, 0, text);
    ++m_nNumRows;
}

ChartLog& ChartLog::AddLogEntry(const CString& text, int verbatim) {
    if (!IsWritable()) return *this;
    if (verbatim != 0) {
        AppendRow(text);
        return *this;
    }
    const CString prefix = indentFor(m_nIndent);
    std::string_view rest = text.view();
    while (!rest.empty()) {
        const std::size_t feed = rest.find('\n');
        CString line(rest.substr(0, feed));
        rest = feed == std::string_view::npos ? std::string_view() : rest.substr(feed + 1);
        AppendRow(prefix + line.Trim());
    }
    return *this;
}

ChartLog& ChartLog::PushIndent() {
    ++m_nIndent;
    return *this;
}

ChartLog& ChartLog::PopIndent() {
    --m_nIndent;
    return *this;
}

ChartLog& ChartLog::ShowLog() {
    if (!IsWritable()) return *this;
    m_pSource->Show(5);
    m_Chart.UpdateDisplay();
    return *this;
}

ChartLog& ChartLog::CloseLog() {
    if (!m_Chart.IsOpened()) {
        m_nNumRows = 0;
        return *this;
    }
    ShowLog();
    m_Chart.CloseNow();
    if (m_nPageWasOpen == 0) m_pPage->Close();
    m_nPageWasOpen = 0;
    m_nNumRows = 0;
    return *this;
}
