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
// later stops the next run too, and a second one within a second of that quits, with the
// instruments kept beside the deck.
TEST(Interrupt, CtrlCStopsTheRunAndASecondWithinASecondQuits) {
    TempDir dir;
    const std::string deck = veltsimtest::LongDeck(dir / "");
    int stops = 0;
    const SessionRun run = veltsimtest::RunScript(
        "load " + deck + "; new XMM1; run; nodes; run; status; listing", "", [&](const std::string& line) {
            if (has(line, "analysis (Transient Analysis) begun")) pressCtrlC();
            if (has(line, "> nodes")) std::this_thread::sleep_for(std::chrono::milliseconds(1100));
            if (line.ends_with("|   stopping") && ++stops == 2) pressCtrlC();
        });
    EXPECT_EQ(run.status, 0);
    const std::size_t first = run.Find("stopped by request after ");
    const std::size_t nodes = run.Find("> nodes");
    EXPECT_LT(first, nodes);
    const std::size_t second = run.Find("> stop", nodes);
    ASSERT_LT(run.Find("stopped by request after ", second), run.lines.size());
    EXPECT_LT(second, run.Find("> quit"));
    EXPECT_FALSE(run.Has("> status"));
    EXPECT_TRUE(std::filesystem::exists(deck + ".instruments"));
}

// While nothing runs, Ctrl-C quits at once, as quit does, also while the input is still open.
TEST(Interrupt, CtrlCWhileIdleQuits) {
    TempDir dir;
    const std::string deck = veltsimtest::LongDeck(dir / "");
    const SessionRun run = veltsimtest::RunPiped("load " + deck + "\nnew XMM1\n", [](const std::string& line) {
        if (has(line, "made XMM1")) pressCtrlC();
    });
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.lines.back(), "|   quitting");
    EXPECT_TRUE(std::filesystem::exists(deck + ".instruments"));
}
