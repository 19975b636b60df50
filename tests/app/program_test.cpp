#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "session_support.h"
#include "tests/support/temp_dir.h"

namespace {

struct ProgramRun {
    int status = -1;
    std::string output;
};

// Runs the built program with `args` (as the shell reads them), `input` on its standard input.
ProgramRun runProgram(const std::string& args, const std::string& input = "") {
    TempDir dir;
    std::ofstream(dir / "input") << input;
    const int status = std::system((VELTSIM_PROGRAM " " + args + " <" + dir / "input" + " >" + dir / "output" + " 2>&1").c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(dir / "output")};
}

}  // namespace

TEST(Program, ExitStatusAndCommandsFromStandardInput) {
    const ProgramRun help = runProgram("-c help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("Simulator[ISnapIn-->ngspice]"), std::string::npos);
    const ProgramRun missing = runProgram("-c 'load /nonexistent/deck.cir'");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.output.find("cannot read deck: /nonexistent/deck.cir"), std::string::npos);
    EXPECT_EQ(runProgram("--frobnicate").status, 2);
    EXPECT_EQ(runProgram("--script /nonexistent/script").status, 1);
    // A directory opens but does not read: it must not pass for an empty script.
    const ProgramRun directory = runProgram("--script /");
    EXPECT_EQ(directory.status, 1);
    EXPECT_NE(directory.output.find("cannot read script /: Is a directory"), std::string::npos) << directory.output;
    // Standard input that is not a terminal is a script: each line waits for what the one
    // before started, so results are those of the whole run. At its end the session quits.
    const ProgramRun run = runProgram("", "load " + veltsimtest::Sample("filter_ac.cir") + "\nprobe out\nat 1k\nrun\nresults\n");
    EXPECT_EQ(run.status, 0);
    const std::size_t finished = run.output.find("|   |   finished in ");
    const std::size_t results = run.output.find("> results\n");
    EXPECT_LT(finished, results) << run.output;
    EXPECT_NE(run.output.find("1000       -3.0103    -45\n", results), std::string::npos) << run.output;
}
