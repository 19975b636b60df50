#pragma once

#include <string>
#include <vector>

// Reading back what the drawing plotting module wrote.
namespace veltsimtest {

using Csv = std::vector<std::vector<std::string>>;

// Comma-separated fields, one row per line; a field in double quotes may hold commas, and ""
// stands for a quote in it.
//   a,"b, ""c""",d -> {"a", "b, \"c\"", "d"}
Csv ReadCsv(const std::string& path);

// A page of the folder, found by its heading, with the files it links to; empty when none has
// the heading.
struct Page {
    std::string html;
    std::vector<std::string> graphSvg, graphCsv, tableCsv;
};
Page FindPage(const std::string& folder, const std::string& heading);

}  // namespace veltsimtest
