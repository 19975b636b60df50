#pragma once

#include <string>
#include <vector>

#include "session.h"

namespace veltsimtest {

// A session run to its end on a script, with every line it printed.
struct SessionRun {
    int status = -1;
    std::vector<std::string> lines;
    // Index of the first line at or after `from` that contains `text`, or lines.size().
    std::size_t Find(const std::string& text, std::size_t from = 0) const;
    bool Has(const std::string& text) const { return Find(text) < lines.size(); }
    // The cells of the first table row at or after `from` whose first cell is `first`.
    std::vector<std::string> Row(const std::string& first, std::size_t from = 0) const;
};

veltsim::SessionOptions ScriptOptions(const std::string& script, std::vector<std::string>& lines);
SessionRun RunScript(const std::string& script);

// The path of a shipped sample.
std::string Sample(const std::string& name);
// The RC low-pass sample made long: 500,008 steps, seconds of running.
std::string LongDeck(const std::string& dir);

}  // namespace veltsimtest
