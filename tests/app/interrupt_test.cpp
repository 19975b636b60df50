// Ctrl-C as the program takes it: SIGINT sent to the process, as a terminal sends it.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "session_support.h"
#include "tests/support/temp_dir.h"

using veltsimtest::SessionRun;

namespace {

void pressCtrlC() { kill(getpid(), SIGINT); }

bool has(const std::string& line, const std::string& text) { return line.find(text) != std::string::npos; }

}  // namespace

// Ctrl-C stops a run, keeping the data so far, and the script goes on; one more than a second
// later stops the next run too, and one within a second of that quits, stopping the run then
// going on, with the instruments kept beside the deck.
TEST(Interrupt, CtrlCStopsTheRunAndASecondWithinASecondQuits) {
    TempDir dir;
    const std::string deck = veltsimtest::LongDeck(dir / "");
    const SessionRun run = veltsimtest::RunScript("load " + deck + "; new XMM1; run; nodes; run; run; status", "", [](const std::string& line) {
        if (has(line, "analysis (Transient Analysis) begun")) pressCtrlC();
        if (has(line, "> nodes")) std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    });
    EXPECT_EQ(run.status, 0);
    const std::size_t nodes = run.Find("> nodes");
    EXPECT_LT(run.Find("stopped by request after "), nodes);
    const std::size_t second = run.Find("> stop", nodes);
    ASSERT_LT(run.Find("stopped by request after ", second), run.lines.size());
    const std::size_t third = run.Find("> run", second);
    EXPECT_LT(third, run.Find("> quit", second));
    EXPECT_LT(run.Find("stopped by request after ", third), run.lines.size());
    EXPECT_FALSE(run.Has("> status"));
    EXPECT_TRUE(std::filesystem::exists(deck + ".instruments"));
}

// A script on a pipe waits for more while the pipe is open; Ctrl-C meanwhile, while nothing
// runs, quits as quit does.
TEST(Interrupt, CtrlCWhileIdleQuits) {
    TempDir dir;
    const std::string deck = veltsimtest::LongDeck(dir / "");
    const SessionRun run = veltsimtest::RunPiped("load " + deck + "\nnew XMM1\n", "made XMM1");
    EXPECT_EQ(run.status, 0);
    ASSERT_GE(run.lines.size(), 2u);
    EXPECT_EQ(run.lines[run.lines.size() - 2], "> quit");
    EXPECT_TRUE(std::filesystem::exists(deck + ".instruments"));
}
