#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "plotmodel/graph_model.h"
#include "plotmodel/table_model.h"

// Data as CSV (comma-separated, one header row, "\n" line ends, numbers in their shortest
// form that reads back to the same double, NaN and the infinities as NonFiniteText spells
// them, an empty field where a column has no value).

namespace plotmodel {

struct CsvColumn {
    std::string heading;
    const std::vector<double>* values;
};

// The columns of the traces of `graphs`, in order: a trace's X column, left out when it holds
// the same values as the X column before it (traces fed by the same data calls share one),
// then its Y column. X columns are headed `xHeading`, or the trace's X axis label, or "X";
// Y columns by the trace label or "Trace n", followed by " (graph Y axis label)" when
// `qualify` is set and that label is not empty. At most `maxTraces` traces per graph.
std::vector<CsvColumn> TraceColumns(const std::vector<const Graph*>& graphs, const std::string& xHeading, bool qualify,
                                    std::size_t maxTraces = static_cast<std::size_t>(-1));

// Row i holds value i of every column. False when the file could not be written.
[[nodiscard]] bool WriteColumnsCsv(const std::vector<CsvColumn>& columns, const std::filesystem::path& file);

// The headings, then the rows: texts and ints as the table shows them, doubles with every
// digit whatever the column's precision.
[[nodiscard]] bool WriteTableCsv(const Table& table, const std::filesystem::path& file);

}  // namespace plotmodel
