#include "text_table.h"

#include <algorithm>
#include <cstdio>

namespace veltsim {

TextTable::TextTable(std::vector<std::string> header) { rows_.push_back(std::move(header)); }

void TextTable::AddRow(std::vector<std::string> cells) {
    cells.resize(std::max(cells.size(), rows_.front().size()));
    rows_.push_back(std::move(cells));
}

std::vector<std::string> TextTable::Lines() const {
    std::vector<std::size_t> widths;
    for (const auto& row : rows_) {
        widths.resize(std::max(widths.size(), row.size()));
        for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], row[c].size());
    }
    auto format = [&](const std::vector<std::string>& cells) {
        std::string line;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (c > 0) line += "  ";
            line += cells[c];
            if (c + 1 < cells.size()) line.append(widths[c] - cells[c].size(), ' ');
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        return line;
    };
    std::vector<std::string> lines;
    lines.push_back(format(rows_.front()));
    std::vector<std::string> rule;
    for (std::size_t width : widths) rule.emplace_back(width, '-');
    lines.push_back(format(rule));
    for (std::size_t r = 1; r < rows_.size(); ++r) lines.push_back(format(rows_[r]));
    return lines;
}

std::string CountOf(std::size_t count, const char* noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

std::string FormatValue(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.7g", value);
    return text;
}

}  // namespace veltsim
