#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace veltsim {

std::string ToLower(std::string_view text);
// Without the white space at either end.
std::string Trimmed(std::string_view text);
// The words of a command line, split at white space with the library's own splitter.
//   Words("  probe V(out)  in ") -> {"probe", "V(out)", "in"}
std::vector<std::string> Words(std::string_view text);

}  // namespace veltsim
