#include "svgplotter/table_model.h"

#include <algorithm>
#include <cstdio>

namespace svgplotter {

namespace {

// The rank of a cell's kind in the sort order, and its number when it has one.
int rank(const Cell& cell) {
    if (std::holds_alternative<std::monostate>(cell)) return 0;
    if (std::holds_alternative<std::string>(cell)) return 2;
    return 1;
}

double number(const Cell& cell) {
    if (const int* value = std::get_if<int>(&cell)) return *value;
    return std::get<double>(cell);
}

bool before(const Cell& a, const Cell& b) {
    int ra = rank(a), rb = rank(b);
    if (ra != rb) return ra < rb;
    if (ra == 1) return number(a) < number(b);
    if (ra == 2) return std::get<std::string>(a) < std::get<std::string>(b);
    return false;
}

}  // namespace

std::string FormatCell(const Cell& cell, const Column& column) {
    if (const int* value = std::get_if<int>(&cell)) return std::to_string(*value);
    if (const std::string* text = std::get_if<std::string>(&cell)) return *text;
    if (const double* value = std::get_if<double>(&cell)) {
        char text[512];
        if (column.precision >= 0)
            std::snprintf(text, sizeof text, "%.*f", column.precision, *value);
        else
            std::snprintf(text, sizeof text, "%.6g", *value);
        return text;
    }
    return {};
}

void SortRows(Table& table, std::size_t column) {
    static const Cell empty;
    auto cellOf = [column](const std::vector<Cell>& row) -> const Cell& {
        return column < row.size() ? row[column] : empty;
    };
    std::stable_sort(table.rows.begin(), table.rows.end(),
                     [&](const std::vector<Cell>& a, const std::vector<Cell>& b) { return before(cellOf(a), cellOf(b)); });
}

}  // namespace svgplotter
