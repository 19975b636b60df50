#include "session_support.h"

#include <fstream>
#include <sstream>

namespace veltsimtest {

std::size_t SessionRun::Find(const std::string& text, std::size_t from) const {
    for (std::size_t i = from; i < lines.size(); ++i) {
        if (lines[i].find(text) != std::string::npos) return i;
    }
    return lines.size();
}

std::vector<std::string> SessionRun::Row(const std::string& first, std::size_t from) const {
    for (std::size_t i = from; i < lines.size(); ++i) {
        std::istringstream in(lines[i]);
        std::vector<std::string> cells;
        for (std::string cell; in >> cell;) {
            if (cell != "|" && cell != ">") cells.push_back(cell);
        }
        if (!cells.empty() && cells.front() == first) return cells;
    }
    return {};
}

veltsim::SessionOptions ScriptOptions(const std::string& script, std::vector<std::string>& lines) {
    veltsim::SessionOptions options;
    options.script = veltsim::ScriptLines(script);
    options.print = [&lines](const std::string& line) { lines.push_back(line); };
    return options;
}

SessionRun RunScript(const std::string& script) {
    SessionRun run;
    veltsim::Session session(ScriptOptions(script, run.lines));
    run.status = session.Execute();
    return run;
}

std::string Sample(const std::string& name) { return std::string(VELT_TEST_SOURCE_DIR) + "/samples/" + name; }

std::string LongDeck(const std::string& dir) {
    std::ifstream sample(Sample("rc_lowpass.cir"));
    const std::string path = dir + "/rc_long.cir";
    std::ofstream deck(path);
    for (std::string line; std::getline(sample, line);) {
        deck << (line.rfind(".tran", 0) == 0 ? ".tran 20n 10m 0 20n" : line) << "\n";
    }
    return path;
}

}  // namespace veltsimtest
