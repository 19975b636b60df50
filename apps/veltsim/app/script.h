#pragma once

#include <string>
#include <vector>

namespace veltsim {

// One line of a script. A line ending in "&" runs in the background: the script goes on with
// the next line while what it started (a run) is still going, as a person typing would.
struct ScriptLine {
    std::string text;
    bool background = false;
};

// The statements of a script's text: split into lines, then at ';'; blank statements and
// lines starting with '#' are left out.
//   ScriptLines("load a.cir; run &\n# note\nstop") -> {"load a.cir"}, {"run", background}, {"stop"}
std::vector<ScriptLine> ScriptLines(const std::string& text);

}  // namespace veltsim
