#include "session_support.h"

#include <unistd.h>

#include <chrono>
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

Person::Person(std::vector<Step> steps) : steps_(std::move(steps)) {
    if (pipe(pipe_) != 0) pipe_[0] = pipe_[1] = -1;
}

Person::~Person() {
    if (thread_.joinable()) thread_.join();
    for (int fd : pipe_) {
        if (fd >= 0) close(fd);
    }
}

veltsim::SessionOptions Person::Options() {
    veltsim::SessionOptions options;
    options.interactive = true;
    options.inputFd = pipe_[0];
    options.print = [this](const std::string& line) {
        std::lock_guard lock(mutex_);
        lines_.push_back(line);
        printed_.notify_all();
    };
    thread_ = std::thread([this] { Type(); });
    return options;
}

void Person::Type() {
    for (const Step& step : steps_) {
        if (!step.waitFor.empty() && !WaitFor(step.waitFor)) break;
        const std::string line = step.type + "\n";
        if (write(pipe_[1], line.data(), line.size()) < 0) break;
    }
    close(pipe_[1]);
    pipe_[1] = -1;
}

bool Person::WaitFor(const std::string& text) {
    std::unique_lock lock(mutex_);
    return printed_.wait_for(lock, std::chrono::seconds(30), [&] {
        for (const std::string& line : lines_) {
            if (line.find(text) != std::string::npos) return true;
        }
        return false;
    });
}

SessionRun Person::Finish(int status) {
    if (thread_.joinable()) thread_.join();
    std::lock_guard lock(mutex_);
    return SessionRun{status, lines_};
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
