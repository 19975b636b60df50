#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
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

// A person at the keyboard of an interactive session: types each line on the session's
// standard input once a printed line holds what the step waits for (nothing: at once), and
// ends the input after the last. Gives up waiting after 30 s, so a fault fails, not hangs.
class Person {
public:
    struct Step {
        std::string waitFor;
        std::string type;
    };

    explicit Person(std::vector<Step> steps);
    ~Person();
    // Options for an interactive session reading this person's typing.
    veltsim::SessionOptions Options();
    // What the session printed, once it has ended.
    SessionRun Finish(int status);

private:
    void Type();
    bool WaitFor(const std::string& text);

    std::vector<Step> steps_;
    int pipe_[2] = {-1, -1};
    std::mutex mutex_;
    std::condition_variable printed_;
    std::vector<std::string> lines_;
    std::thread thread_;
};

// The path of a shipped sample.
std::string Sample(const std::string& name);
// The RC low-pass sample made long: 500,008 steps, seconds of running.
std::string LongDeck(const std::string& dir);

}  // namespace veltsimtest
