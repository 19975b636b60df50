#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "plotmodel/graph_model.h"

// What the plotting module keeps of one table: its columns, and rows of cells that each hold
// nothing, an int, a double or a text.

namespace plotmodel {

// Column kinds as the client sends them. The client uses 3 for the leading text column of a
// standard table and 2 for its value columns; value columns are right-aligned.
constexpr int kValueColumn = 2;

struct Column {
    std::string heading;
    int width = 0;
    int type = 0;
    int precision = -1;  // decimals shown for doubles; -1: as many digits as ColumnTexts needs
    bool sortable = false;
};

using Cell = std::variant<std::monostate, int, double, std::string>;

struct Table {
    std::uint64_t page = 0;
    unsigned long id = 0;
    bool open = true;
    std::string title;
    Font titleFont;
    bool sortable = false;
    bool showLeftHeader = false;  // a column of row numbers
    bool showTopHeader = true;    // the row of column headings
    std::vector<Column> columns;
    std::vector<std::vector<Cell>> rows;  // a row is widened when a later column is written
    bool dirty = true;
    std::uint64_t revision = 0;  // counts the edits, for a view that follows the table itself
};

// The precision a column accepts: 0 to 17 decimals, or -1 for the default.
constexpr bool IsPrecision(int precision) { return precision >= -1 && precision <= 17; }

// The texts of one column's cells as the table shows them, row by row ("" for an empty cell).
// A double is shown with the column's decimals, or, when its precision is -1, in the shortest
// %g form of at least 6 significant digits that reads back within a tenth of the distance to
// the nearest other value of the column: neighbouring values are told apart without the noise
// of every digit (0.1 + 0.2 shows as "0.3", unless 0.3 is in the column too), and the integer
// part is shown in full below 1e15 (123456789.123 gives "123456789", not "1.23457e+08"). The
// CSV keeps every digit.
std::vector<std::string> ColumnTexts(const Table& table, std::size_t column);

// Orders the rows by one column, ascending and stable: empty cells first, then numbers by
// value, then texts by byte order.
void SortRows(Table& table, std::size_t column);
// Whether cell `a` comes before `b` in that order.
bool CellBefore(const Cell& a, const Cell& b);

}  // namespace plotmodel
