#pragma once

#include <functional>
#include <string>
#include <vector>

#include "session.h"

namespace veltsimtest {

// A session run to its end, with every line it printed.
struct SessionRun {
    int status = -1;
    std::vector<std::string> lines;
    // Index of the first line at or after `from` that contains `text`, or lines.size().
    std::size_t Find(const std::string& text, std::size_t from = 0) const;
    bool Has(const std::string& text) const { return Find(text) < lines.size(); }
    // The cells of the first table row at or after `from` whose first cell is `first`.
    std::vector<std::string> Row(const std::string& first, std::size_t from = 0) const;
    // The count in the first line that contains `text`: "... stopped after 1234 steps" -> 1234.
    double CountAfter(const std::string& text) const;
};

// A cell as a number (0 when the row has no such cell, which fails the test).
double Number(const std::vector<std::string>& row, std::size_t cell);

// A session run on a script, its pages in the folder `plots` when one is named. With
// `onLine`, the session takes Ctrl-C, and `onLine` sees each line as it is printed.
SessionRun RunScript(const std::string& script, const std::string& plots = "",
                     const std::function<void(const std::string&)>& onLine = {});

// A session reading `input` from a pipe as a script, which stays open (the session waiting for
// more) until the session has ended or 30 s have passed, so that a fault fails, not hangs. The
// session takes Ctrl-C, which is pressed 300 ms after a line holding `interruptAfter` is printed.
SessionRun RunPiped(const std::string& input, const std::string& interruptAfter);

// A person at the keyboard of an interactive session, its pages in the folder `plots`: types
// each step's line once a printed line holds what the step waits for (nothing: at once), and
// ends the input after the last; gives up waiting after 30 s, so that a fault fails, not hangs.
// `referencesBack` tells whether every reference count is back where it was before start-up.
struct Step {
    std::string waitFor;
    std::string type;
    std::function<void()> before = {};  // done once waitFor is seen, before typing
};
SessionRun RunPerson(const std::vector<Step>& steps, const std::string& plots, bool& referencesBack);

// Reading back what the drawing plotting module wrote: comma-separated fields, one row per
// line; a field in double quotes may hold commas, and "" stands for a quote in it.
//   a,"b, ""c""",d -> {"a", "b, \"c\"", "d"}
using Csv = std::vector<std::vector<std::string>>;
Csv ReadCsv(const std::string& path);

// A page of the folder, found by its heading, with the files it links to; empty when none has
// the heading.
struct Page {
    std::string html;
    std::vector<std::string> graphSvg, graphCsv, tableCsv;
};
Page FindPage(const std::string& folder, const std::string& heading);

// The path of a shipped sample.
std::string Sample(const std::string& name);
// The RC low-pass sample made long: 500,008 steps, seconds of running.
std::string LongDeck(const std::string& dir);

}  // namespace veltsimtest
