#include "plotmodel/csv_writer.h"

#include <algorithm>

#include "plotmodel/atomic_file.h"
#include "plotmodel/text_escape.h"

namespace plotmodel {

namespace {

// Rows are gathered in a buffer of about this size before they go to the file.
constexpr std::size_t kChunk = 1 << 20;

std::string headingRow(const std::vector<std::string>& headings) {
    std::string row;
    for (std::size_t i = 0; i < headings.size(); ++i) {
        if (i > 0) row += ',';
        row += CsvField(headings[i]);
    }
    row += '\n';
    return row;
}

// Every digit of a double, whatever the table shows: the file is the data.
void appendCell(std::string& out, const Cell& cell) {
    if (const double* value = std::get_if<double>(&cell))
        AppendNumber(out, *value);
    else if (const int* number = std::get_if<int>(&cell))
        out += std::to_string(*number);
    else if (const std::string* text = std::get_if<std::string>(&cell))
        out += CsvField(*text);
}

}  // namespace

std::vector<CsvColumn> TraceColumns(const std::vector<const Graph*>& graphs, const std::string& xHeading, bool qualify,
                                    std::size_t maxTraces) {
    std::vector<CsvColumn> columns;
    const std::vector<double>* lastX = nullptr;
    for (const Graph* graph : graphs) {
        std::size_t count = std::min(graph->traces.size(), maxTraces);
        const std::string& yAxisLabel = graph->axes[AXIS_POSITION_3].label;
        for (std::size_t i = 0; i < count; ++i) {
            const Trace& trace = graph->traces[i];
            if (lastX == nullptr || *lastX != trace.x) {
                const std::string& axisLabel = graph->axes[graph->XAxisOf(trace)].label;
                columns.push_back({!xHeading.empty() ? xHeading : !axisLabel.empty() ? axisLabel : "X", &trace.x});
                lastX = &trace.x;
            }
            std::string heading = trace.label.empty() ? "Trace " + std::to_string(i) : trace.label;
            if (qualify && !yAxisLabel.empty()) heading += " (" + yAxisLabel + ")";
            columns.push_back({heading, &trace.y});
        }
    }
    return columns;
}

bool WriteColumnsCsv(const std::vector<CsvColumn>& columns, const std::filesystem::path& file) {
    AtomicFile out(file);
    std::vector<std::string> headings;
    std::size_t rows = 0;
    for (const CsvColumn& column : columns) {
        headings.push_back(column.heading);
        rows = std::max(rows, column.values->size());
    }
    std::string buffer = headingRow(headings);
    buffer.reserve(kChunk + 4096);
    for (std::size_t row = 0; row < rows; ++row) {
        for (std::size_t c = 0; c < columns.size(); ++c) {
            if (c > 0) buffer += ',';
            const std::vector<double>& values = *columns[c].values;
            if (row < values.size()) AppendNumber(buffer, values[row]);
        }
        buffer += '\n';
        if (buffer.size() >= kChunk) {
            out.Write(buffer);
            buffer.clear();
        }
    }
    out.Write(buffer);
    return out.Commit();
}

bool WriteTableCsv(const Table& table, const std::filesystem::path& file) {
    std::vector<std::string> headings;
    for (const Column& column : table.columns) headings.push_back(column.heading);
    std::string text = headingRow(headings);
    for (const std::vector<Cell>& row : table.rows) {
        for (std::size_t c = 0; c < table.columns.size(); ++c) {
            if (c > 0) text += ',';
            if (c < row.size()) appendCell(text, row[c]);
        }
        text += '\n';
    }
    return WriteFileAtomically(file, text);
}

}  // namespace plotmodel
