#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace veltsim {

// A table printed as aligned text: a header line, a rule, then one line per row, each column as
// wide as its widest cell and two blanks between columns. Rows shorter than the header are
// padded with empty cells.
//
//   TextTable t({"probe", "rms"}); t.AddRow({"V(out)", "1.165538"});
//   t.Lines() -> {"probe   rms", "------  --------", "V(out)  1.165538"}
class TextTable {
public:
    explicit TextTable(std::vector<std::string> header);

    void AddRow(std::vector<std::string> cells);
    std::vector<std::string> Lines() const;

private:
    std::vector<std::vector<std::string>> rows_;  // the header first
};

// "1 step", "2 steps".
std::string CountOf(std::size_t count, const char* noun);

// Seven significant digits: enough to compare with ngspice's own results, short enough to read.
std::string FormatValue(double value);

}  // namespace veltsim
