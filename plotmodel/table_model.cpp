#include "plotmodel/table_model.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "plotmodel/text_escape.h"

namespace plotmodel {

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

constexpr int kLeastSignificantDigits = 6;
// With this many digits %g text is as long as the shortest round-trip text or longer.
constexpr int kMostSignificantDigits = 16;

// The digits of the integer part of |value| as it rounds; 0 past 1e15, where %g turns to
// exponents anyway.
int integerDigits(double value) {
    double magnitude = std::fabs(value) + 0.5;
    return magnitude < 1e15 ? static_cast<int>(std::floor(std::log10(magnitude))) + 1 : 0;
}

// The text of `value` that reads back within a tenth of the distance to the nearest other
// value of `column` (sorted, distinct, finite): nearer to it than to any other, so two values
// never share a text, and close neighbours show alike digits ("1.0000001" and "1.0000002",
// not "1" and "1.0000002").
std::string identifying(double value, const std::vector<double>& column) {
    if (!std::isfinite(value)) return SignificantText(value, kLeastSignificantDigits);
    auto at = std::lower_bound(column.begin(), column.end(), value);
    double gap = INFINITY;
    if (at != column.begin()) gap = value - at[-1];
    if (at + 1 < column.end()) gap = std::min(gap, at[1] - value);
    for (int digits = std::max(kLeastSignificantDigits, integerDigits(value)); digits <= kMostSignificantDigits; ++digits) {
        std::string text = SignificantText(value, digits);
        if (std::fabs(std::strtod(text.c_str(), nullptr) - value) * 10 < gap) return text;
    }
    std::string text;
    AppendNumber(text, value);
    return text;
}

}  // namespace

std::vector<std::string> ColumnTexts(const Table& table, std::size_t column) {
    std::vector<double> values;
    for (const std::vector<Cell>& row : table.rows)
        if (const double* value = column < row.size() ? std::get_if<double>(&row[column]) : nullptr)
            if (std::isfinite(*value)) values.push_back(*value);
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());

    static const Cell empty;
    int decimals = table.columns[column].precision;
    std::vector<std::string> texts;
    for (const std::vector<Cell>& row : table.rows) {
        const Cell& cell = column < row.size() ? row[column] : empty;
        if (const int* number = std::get_if<int>(&cell))
            texts.push_back(std::to_string(*number));
        else if (const std::string* text = std::get_if<std::string>(&cell))
            texts.push_back(*text);
        else if (const double* value = std::get_if<double>(&cell))
            texts.push_back(decimals >= 0 ? DecimalText(*value, decimals) : identifying(*value, values));
        else
            texts.emplace_back();
    }
    return texts;
}

bool CellBefore(const Cell& a, const Cell& b) {
    int ra = rank(a), rb = rank(b);
    if (ra != rb) return ra < rb;
    if (ra == 1) return number(a) < number(b);
    if (ra == 2) return std::get<std::string>(a) < std::get<std::string>(b);
    return false;
}

void SortRows(Table& table, std::size_t column) {
    static const Cell empty;
    auto cellOf = [column](const std::vector<Cell>& row) -> const Cell& {
        return column < row.size() ? row[column] : empty;
    };
    std::stable_sort(table.rows.begin(), table.rows.end(),
                     [&](const std::vector<Cell>& a, const std::vector<Cell>& b) { return CellBefore(cellOf(a), cellOf(b)); });
}

}  // namespace plotmodel
