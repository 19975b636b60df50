// ngspice in a process of its own: whatever happens to that process, the session goes on with
// its deck, its instruments and the data it already has.

#include <signal.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "session_support.h"
#include "tests/support/temp_dir.h"

using veltsimtest::Number;
using veltsimtest::RunScript;
using veltsimtest::SessionRun;

namespace {

// The checks run from the tests' folder, not beside the engine.
const bool kEngineFound = ::setenv("VELTSIM_ENGINE", VELTSIM_ENGINE_PROGRAM, 0) == 0;

std::string deck(const std::string& name) { return std::string(VELT_TEST_SOURCE_DIR) + "/tests/app/decks/" + name; }

// A child process of this one running the engine, or 0.
pid_t engineChild() {
    namespace fs = std::filesystem;
    std::error_code failure;
    for (const fs::directory_entry& task : fs::directory_iterator("/proc/self/task", failure)) {
        std::ifstream children(task.path() / "children");
        for (pid_t pid = 0; children >> pid;) {
            std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
            std::string name;
            if (std::getline(comm, name) && name == "veltsim-engine") return pid;
        }
    }
    return 0;
}

// Kills the first engine that has run for `after` with `signal`, from a thread of its own.
class EngineKiller {
public:
    EngineKiller(int signal, std::chrono::milliseconds after)
        : thread_([this, signal, after] {
              const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
              pid_t pid = 0;
              while (!done_ && (pid = engineChild()) == 0 && std::chrono::steady_clock::now() < giveUp) {
                  std::this_thread::sleep_for(std::chrono::milliseconds(1));
              }
              std::this_thread::sleep_for(after);
              if (pid != 0) killed_ = ::kill(pid, signal) == 0;
          }) {}
    ~EngineKiller() { Join(); }
    bool Join() {
        done_ = true;
        if (thread_.joinable()) thread_.join();
        return killed_;
    }

private:
    std::atomic<bool> done_{false};
    std::atomic<bool> killed_{false};
    std::thread thread_;
};

// A script that aborts the engine it was started from, as an abort inside ngspice would.
std::string abortScript(const TempDir& dir) {
    const std::string path = dir / "abort.sh";
    std::ofstream(path) << "p=$$\n"
                           "while [ \"$p\" -gt 1 ] && [ \"$(cat /proc/$p/comm)\" != veltsim-engine ]; do\n"
                           "  p=$(cut -d ' ' -f 4 /proc/$p/stat)\n"
                           "done\n"
                           "kill -ABRT \"$p\"\n";
    return path;
}

}  // namespace

// The crash that ngspice 39 itself suffers on a device parameter inside nested sub-circuits is
// reported with its signal and the command; the deck stays loaded, the instrument made before
// stays wired, and the next run takes a fresh ngspice. An abort is reported alike.
TEST(Engine, CrashAndAbortInsideNgspiceLeaveTheSessionWhole) {
    TempDir dir;
    const std::string amp = dir / "amp.cir";
    std::filesystem::copy_file(deck("bjt_nested.cir"), amp);
    const SessionRun run = RunScript("load " + amp + "; new XMM1; setnode XMM1 1 out; spice print @q.x1.xs1.q1[gm]; " +
                                     "status; listing; probe out; run; show XMM1; spice shell sh " + abortScript(dir) + "; run");
    EXPECT_EQ(run.status, 1);
    const std::size_t crash = run.Find("ngspice crashed (SIGSEGV) during: print @q.x1.xs1.q1[gm]");
    ASSERT_LT(crash, run.lines.size());
    EXPECT_LT(run.Find("idle; deck " + amp + " loaded", crash), run.lines.size());
    EXPECT_LT(run.Find("XMM1[CEventSink-->Meter]", crash), run.lines.size());
    const std::size_t finished = run.Find("finished in", crash);
    ASSERT_LT(finished, run.lines.size());
    EXPECT_LT(run.Find("XMM1 Meter: XMM1 on V(out), rms ", finished), run.lines.size());
    const std::size_t abort = run.Find("ngspice crashed (SIGABRT) during: shell sh " + abortScript(dir), finished);
    ASSERT_LT(abort, run.lines.size());
    EXPECT_LT(run.Find("finished in", abort), run.lines.size());
}

// An engine that ends during a run ends the run: the steps it delivered are kept and measured,
// and the next run takes a fresh engine with the deck.
TEST(Engine, EngineKilledDuringARunKeepsTheDataSoFar) {
    TempDir dir;
    EngineKiller killer(SIGKILL, std::chrono::milliseconds(300));
    const SessionRun run = RunScript("load " + veltsimtest::LongDeck(dir / "") + "; probe out; run; results; tran 1u 1m");
    ASSERT_TRUE(killer.Join());
    EXPECT_EQ(run.status, 1);
    const std::size_t ended = run.Find("ended with ngspice after ");
    ASSERT_LT(ended, run.lines.size());
    EXPECT_LT(run.Find("ngspice crashed (SIGKILL) during: run", ended), run.lines.size());
    const double steps = run.CountAfter("ended with ngspice after ");
    EXPECT_GT(steps, 0);
    EXPECT_LT(steps, 500008);
    EXPECT_EQ(run.CountAfter(".tran analysis stopped after "), steps);
    EXPECT_EQ(Number(run.Row("V(out)", run.Find("> results")), 1), steps);
    EXPECT_LT(run.Find("finished in", ended), run.lines.size());
}

// An engine that does not answer the stop (held by SIGSTOP here) is ended within the halt's
// limit; the run ends with the data so far.
TEST(Engine, HungEngineIsEndedWhenItDoesNotAnswerTheStop) {
    TempDir dir;
    bool referencesBack = false;
    auto typedAt = std::chrono::steady_clock::now();
    const SessionRun run = veltsimtest::RunPerson(
        {
            {"", "load " + veltsimtest::LongDeck(dir / "") + "\nrun"},
            {"analysis (Transient Analysis) begun", "stop",
             [&] {
                 const pid_t engine = engineChild();
                 ASSERT_GT(engine, 0);  // kill(0, ...) would hold this whole process group
                 ASSERT_EQ(::kill(engine, SIGSTOP), 0);
                 typedAt = std::chrono::steady_clock::now();
             }},
            {"ngspice did not answer", "status"},
        },
        "", referencesBack);
    const auto waited = std::chrono::steady_clock::now() - typedAt;
    EXPECT_EQ(run.status, 1);
    EXPECT_LT(run.Find("ended with ngspice after "), run.Find("ngspice did not answer in time and was ended during: run"));
    EXPECT_TRUE(run.Has("idle; deck "));
    EXPECT_LT(waited, std::chrono::seconds(10));
}

// ngspice's quit ends its engine; the deck stays loaded and runs in a fresh one.
TEST(Engine, QuitThenRunTakesAFreshNgspice) {
    const SessionRun run = RunScript("load " + veltsimtest::Sample("rc_lowpass.cir") + "; spice quit; status; run");
    EXPECT_EQ(run.status, 1);
    const std::size_t exited = run.Find("ngspice exited (status 0)");
    ASSERT_LT(exited, run.lines.size());
    EXPECT_LT(run.Find("idle; deck ", exited), run.lines.size());
    const std::size_t finished = run.Find("finished in", exited);
    ASSERT_LT(finished, run.lines.size());
    EXPECT_NE(run.lines[finished].find(", 10008 steps"), std::string::npos);
}

// A signal that the run did not keep is read from the engine when it is first asked for, and
// measures as it would have had it been kept: a transient's real values, an AC sweep's complex
// ones.
TEST(Engine, SignalNotKeptIsFetchedWithTheSameNumbers) {
    const struct {
        const char* deck;
        const char* setting;
        const char* first;
        const char* later;
    } rows[] = {
        {"rc_lowpass.cir", "window 5m 10m", "out", "in"},
        {"filter_ac.cir", "at 1k", "in", "out"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.deck);
        const std::string load = "load " + veltsimtest::Sample(row.deck) + "; " + row.setting;
        const SessionRun kept = RunScript(load + "; probe " + row.first + " " + row.later + "; run; results");
        const SessionRun fetched = RunScript(load + "; probe " + row.first + "; run; probe " + row.later + "; results");
        ASSERT_EQ(kept.status, 0);
        ASSERT_EQ(fetched.status, 0);
        const std::string name = std::string("V(") + row.later + ")";
        const std::vector<std::string> expected = kept.Row(name, kept.Find("> results"));
        ASSERT_GT(expected.size(), 2u);
        EXPECT_EQ(fetched.Row(name, fetched.Find("> results")), expected);
    }
}

// A probe added while the run goes on cannot be fetched until the run ends; it is measured then,
// with the same numbers as had it been probed from the start.
TEST(Engine, ProbeAddedDuringARunIsMeasuredAtItsEnd) {
    TempDir dir;
    const std::string load = "load " + veltsimtest::LongDeck(dir / "");
    const SessionRun kept = RunScript(load + "; window 5m 10m; probe out in; run; results");
    bool referencesBack = false;
    const SessionRun added = veltsimtest::RunPerson(
        {
            {"", load + "\nwindow 5m 10m\nprobe out\nrun"},
            {"analysis (Transient Analysis) begun", "probe in\nresults"},
            {"finished in", "results"},
        },
        "", referencesBack);
    ASSERT_EQ(kept.status, 0);
    ASSERT_EQ(added.status, 0);
    const std::vector<std::string> expected = kept.Row("V(in)", kept.Find("> results"));
    ASSERT_EQ(expected.size(), 10u);
    const std::size_t during = added.Find("> results");
    EXPECT_EQ(added.Row("V(in)", added.Find("> results", during + 1)), expected);
}

// The engine holds nothing of the session's open: typed input that ends, ends the session.
TEST(Engine, EndOfTypedInputEndsTheSessionAfterARun) {
    bool referencesBack = false;
    const SessionRun run = veltsimtest::RunPerson(
        {{"", "load " + veltsimtest::Sample("rc_lowpass.cir") + "\nrun"}, {"finished in", "status"}}, "", referencesBack);
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.Has("idle; deck "));
}
