#include "session_support.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <regex>
#include <sstream>
#include <thread>
#include <utility>

#include "tests/support/temp_dir.h"

namespace veltsimtest {

namespace {

// The application runs here as it runs for people, on the drawing plotting module beside the
// libraries rather than the recording one that the other test programs take, with its pages in
// a folder of this process (programs that the checks start inherit both). A check that looks
// at the pages names a folder of its own.
TempDir& processPlots() {
    static TempDir dir;
    return dir;
}

const bool drawingModule = [] {
    ::setenv("VELT_MODULE_PATH", VELT_TEST_BINARY_DIR, 1);
    ::setenv("VELT_GRAPHER_OUTPUT", (processPlots() / "plots").c_str(), 1);
    return true;
}();

// What the person reads, shared with the thread that types.
struct Screen {
    std::mutex mutex;
    std::condition_variable printed;
    std::vector<std::string> lines;

    bool WaitFor(const std::string& text) {
        std::unique_lock lock(mutex);
        return printed.wait_for(lock, std::chrono::seconds(30), [&] {
            for (const std::string& line : lines) {
                if (line.find(text) != std::string::npos) return true;
            }
            return false;
        });
    }
};

}  // namespace

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

double SessionRun::CountAfter(const std::string& text) const {
    const std::size_t at = Find(text);
    EXPECT_LT(at, lines.size()) << text;
    return at < lines.size() ? std::atof(lines[at].c_str() + lines[at].find(text) + text.size()) : -1.0;
}

double Number(const std::vector<std::string>& row, std::size_t cell) {
    EXPECT_LT(cell, row.size());
    return cell < row.size() ? std::atof(row[cell].c_str()) : 0.0;
}

SessionRun RunScript(const std::string& script, const std::string& plots, const std::function<void(const std::string&)>& onLine) {
    SessionRun run;
    veltsim::SessionOptions options;
    options.script = veltsim::ScriptLines(script);
    options.plots = plots;
    options.catchInterrupts = static_cast<bool>(onLine);
    options.print = [&run, &onLine](const std::string& line) {
        run.lines.push_back(line);
        if (onLine) onLine(line);
    };
    veltsim::Session session(std::move(options));
    run.status = session.Execute();
    return run;
}

SessionRun RunPiped(const std::string& input, const std::string& interruptAfter) {
    int pipeFds[2] = {-1, -1};
    EXPECT_EQ(pipe(pipeFds), 0);
    EXPECT_EQ(write(pipeFds[1], input.data(), input.size()), static_cast<ssize_t>(input.size()));
    std::mutex mutex;
    std::condition_variable changed;
    bool seen = false;
    bool done = false;
    std::thread keys([&] {
        // Ctrl-C sent to the process is the session's to take, not this thread's.
        sigset_t interrupt;
        sigemptyset(&interrupt);
        sigaddset(&interrupt, SIGINT);
        pthread_sigmask(SIG_BLOCK, &interrupt, nullptr);
        std::unique_lock lock(mutex);
        if (changed.wait_for(lock, std::chrono::seconds(30), [&] { return seen || done; }) && !done &&
            !changed.wait_for(lock, std::chrono::milliseconds(300), [&] { return done; })) {
            kill(getpid(), SIGINT);
        }
        changed.wait_for(lock, std::chrono::seconds(30), [&] { return done; });
        close(pipeFds[1]);
    });
    SessionRun run;
    veltsim::SessionOptions options;
    options.input = veltsim::SessionOptions::Input::Script;
    options.inputFd = pipeFds[0];
    options.catchInterrupts = true;
    options.print = [&](const std::string& line) {
        run.lines.push_back(line);
        if (line.find(interruptAfter) == std::string::npos) return;
        std::lock_guard lock(mutex);
        seen = true;
        changed.notify_one();
    };
    {
        veltsim::Session session(std::move(options));
        run.status = session.Execute();
    }
    {
        std::lock_guard lock(mutex);
        done = true;
    }
    changed.notify_one();
    keys.join();
    close(pipeFds[0]);
    return run;
}

SessionRun RunPerson(const std::vector<Step>& steps, const std::string& plots, bool& referencesBack) {
    int keys[2] = {-1, -1};
    EXPECT_EQ(pipe(keys), 0);
    Screen screen;
    std::thread person([&] {
        for (const Step& step : steps) {
            if (!step.waitFor.empty() && !screen.WaitFor(step.waitFor)) break;
            if (step.before) step.before();
            const std::string line = step.type + "\n";
            if (write(keys[1], line.data(), line.size()) < 0) break;
        }
        close(keys[1]);
    });
    veltsim::SessionOptions options;
    options.input = veltsim::SessionOptions::Input::Typed;
    options.inputFd = keys[0];
    options.plots = plots;
    options.print = [&screen](const std::string& line) {
        std::lock_guard lock(screen.mutex);
        screen.lines.push_back(line);
        screen.printed.notify_all();
    };
    SessionRun run;
    {
        veltsim::Session session(std::move(options));
        run.status = session.Execute();
        referencesBack = session.CountReferences() == session.InitialReferences();
    }
    person.join();
    close(keys[0]);
    run.lines = screen.lines;
    return run;
}

Csv ReadCsv(const std::string& path) {
    Csv rows;
    std::vector<std::string> row;
    std::string field;
    bool quoted = false;
    const std::string text = ReadFile(path);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
            field += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (quoted || (c != ',' && c != '\n')) {
            field += c;
        } else {
            row.push_back(field);
            field.clear();
            if (c == '\n') rows.push_back(std::exchange(row, {}));
        }
    }
    return rows;
}

Page FindPage(const std::string& folder, const std::string& heading) {
    Page page;
    std::error_code missing;
    for (const auto& entry : std::filesystem::directory_iterator(folder, missing)) {
        if (entry.path().extension() != ".html" || entry.path().filename() == "index.html") continue;
        const std::string text = ReadFile(entry.path());
        if (text.find("<h1>" + heading + "</h1>") == std::string::npos) continue;
        page.html = entry.path().string();
        const std::regex link("href=\"([^\"]+)\"");
        for (std::sregex_iterator it(text.begin(), text.end(), link), end; it != end; ++it) {
            const std::string file = folder + "/" + (*it)[1].str();
            if (file.find("-graph") != std::string::npos) {
                (file.ends_with(".svg") ? page.graphSvg : page.graphCsv).push_back(file);
            } else if (file.find("-table") != std::string::npos) {
                page.tableCsv.push_back(file);
            }
        }
    }
    return page;
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
