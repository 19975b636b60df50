#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "session_support.h"

extern char** environ;

namespace {

struct ProgramRun {
    int status = -1;
    std::string output;
};

// Runs the built program with `args`, `input` on its standard input, and waits for it.
ProgramRun runProgram(std::vector<std::string> args, const std::string& input = "") {
    int in[2];
    int out[2];
    if (pipe(in) != 0 || pipe(out) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDERR_FILENO);
    for (int fd : {in[0], in[1], out[0], out[1]}) posix_spawn_file_actions_addclose(&actions, fd);
    args.insert(args.begin(), VELTSIM_PROGRAM);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, VELTSIM_PROGRAM, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(out[1]);
    ProgramRun run;
    if (spawned == 0 && !input.empty() && write(in[1], input.data(), input.size()) < 0) run.output = "write failed\n";
    close(in[1]);
    char buffer[4096];
    for (ssize_t got; (got = read(out[0], buffer, sizeof buffer)) > 0;) run.output.append(buffer, static_cast<std::size_t>(got));
    close(out[0]);
    int status = 0;
    if (spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) run.status = WEXITSTATUS(status);
    return run;
}

}  // namespace

TEST(Program, ExitStatusTellsWhetherEveryCommandSucceeded) {
    const ProgramRun help = runProgram({"-c", "help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("Simulator[ISnapIn-->ngspice]"), std::string::npos);
    const ProgramRun missing = runProgram({"-c", "load /nonexistent/deck.cir"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.output.find("cannot read deck: /nonexistent/deck.cir"), std::string::npos);
    EXPECT_EQ(runProgram({"--frobnicate"}).status, 2);
    EXPECT_EQ(runProgram({"--script", "/nonexistent/script"}).status, 1);
    // A directory opens but does not read: it must not pass for an empty script.
    const ProgramRun directory = runProgram({"--script", "/"});
    EXPECT_EQ(directory.status, 1);
    EXPECT_NE(directory.output.find("cannot read script /: Is a directory"), std::string::npos) << directory.output;
}

// Lines on standard input are typed as they come; at its end the session finishes what runs
// and quits.
TEST(Program, ReadsCommandsFromStandardInput) {
    const ProgramRun run = runProgram({}, "load " + veltsimtest::Sample("filter_ac.cir") + "\nprobe out\nat 1k\nrun\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.output.find("> run\n"), std::string::npos);
    EXPECT_NE(run.output.find("|   |   |   V(out)  401     1000       -3.0103    -45"), std::string::npos) << run.output;
}
