// The veltutil program as a user runs it: a command line, standard input, and what comes back on
// stdout and stderr and as the exit status.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <fcntl.h>

#include <fstream>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

extern char** environ;

namespace {

struct Result {
    int status = -1;
    std::string out, err;
    long peakKb = 0;  // peak resident set size
};

// Runs the program with `args`, `input` on standard input and standard output sent to `outPath`
// (a file of the run's own when null).
Result RunTool(const std::vector<std::string>& args, const std::string& input = "", const char* outPath = nullptr) {
    TempDir dir;
    const std::string in = dir / "in", out = outPath ? outPath : dir / "out", err = dir / "err";
    std::ofstream(in, std::ios::binary) << input;

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&files, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<char*> argv{const_cast<char*>(VELT_CLI_PATH)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    Result result;
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, VELT_CLI_PATH, &files, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    if (spawned != 0) return result;
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.peakKb = usage.ru_maxrss;
    if (!outPath) result.out = ReadFile(out);
    result.err = ReadFile(err);
    return result;
}

struct Row {
    std::vector<std::string> args;
    std::string input;
    int status;
    std::string out;  // all of stdout
    std::string err;  // part of stderr; stderr is empty when this is
};

void Expect(const Row& row, const Result& result, bool checkOut = true) {
    EXPECT_EQ(result.status, row.status);
    if (checkOut) {
        EXPECT_EQ(result.out, row.out);
    }
    if (row.err.empty()) {
        EXPECT_EQ(result.err, "");
    } else {
        EXPECT_NE(result.err.find(row.err), std::string::npos) << result.err;
    }
}

std::string Trace(const Row& row) {
    std::string text;
    for (const std::string& arg : row.args) text += arg.substr(0, 40) + " ";
    return text + "< " + row.input.substr(0, 40);
}

std::string Nest(long depth) {
    std::string text;
    text.reserve(static_cast<std::size_t>(depth) * 8 + 1);
    for (long i = 0; i < depth; ++i) text += "a:list{";
    text.append(static_cast<std::size_t>(depth), '}');
    return text + "\n";
}

}  // namespace

TEST(VeltutilCli, HelpWinsOverEveryActionAndVersionNamesTheProject) {
    const std::vector<std::vector<std::string>> actions = {
        {"log"}, {"log", "FILE"}, {"props"}, {"props", "format"}, {"props", "list", "FILE"},
        {"props", "check"}, {"spice"}, {"spice", "to-spice"}, {"spice", "from-spice", "x1.a"}};
    for (const auto& action : actions) {
        for (const char* help : {"--help", "-h"}) {
            std::vector<std::string> args = action;
            args.push_back(help);
            SCOPED_TRACE(Trace({args, "", 0, "", ""}));
            const Result result = RunTool(args);
            EXPECT_EQ(result.status, 0);
            EXPECT_EQ(result.out.rfind("usage: veltutil " + action[0], 0), 0u) << result.out;
            EXPECT_EQ(result.err, "");
        }
    }
    Expect({{"--version"}, "", 0, "veltutil " VELT_PROJECT_VERSION "\n", ""}, RunTool({"--version"}));
}

TEST(VeltutilCli, CommandLinesInputsAndOutputsGiveTheDocumentedResults) {
    TempDir dir;
    dir.MakeDir("folder");
    const std::string folder = dir / "folder", missing = dir / "missing";
    const std::string longName = std::string(1100, 'n') + ".x1";
    const std::string garbage = "a:long{1}\nb:lo}ng{2}\nc:long{3}\n";
    const Row rows[] = {
        // "--" ends the options; an option no command has is a usage error.
        {{"spice", "to-spice", "--", "--help", "-h"}, "", 0, "--help\tVOLTAGE\tNONE\n-h\tVOLTAGE\tNONE\n", ""},
        {{"spice", "to-spice", "-x1.a"}, "", 2, "", "veltutil: spice: unknown option '-x1.a'"},
        {{"props", "--", "format", "-"}, "a:long{1}\n", 0, " a:long{1}\n", ""},
        {{"props", "tidy"}, "", 2, "", "veltutil: props: unknown action 'tidy'"},
        {{"nosuch"}, "", 2, "", "veltutil: unknown command 'nosuch'"},
        // Unreadable inputs: one status, and the reason.
        {{"props", "check", folder}, "", 1, "", "veltutil: props: " + folder + ": Is a directory\n"},
        {{"props", "format", folder}, "", 1, "", "veltutil: props: " + folder + ": Is a directory\n"},
        {{"log", folder}, "", 1, "", "veltutil: log: " + folder + ": Is a directory\n"},
        {{"props", "list", missing}, "", 1, "", "veltutil: props: " + missing + ": No such file or directory\n"},
        {{"log", missing}, "", 1, "", "veltutil: log: " + missing + ": No such file or directory\n"},
        // Text that does not read as items: what was read, where reading stopped and why.
        {{"props", "format"}, garbage, 1, " a:long{1}\n b:lo}ng{2}\n c:long{3}\n",
         "veltutil: props: standard input: reading stopped at byte 14 (line 2) after 1 item: unmatched '}'"},
        {{"props", "list"}, "a:long{1}\nb:list{c:long{2}\n", 1, "a:long{1}\n",
         "veltutil: props: standard input: reading stopped at byte 16 (line 2) after 1 item: unmatched '{'"},
        {{"props", "check"}, garbage, 1,
         "standard input: reading stopped at byte 14 (line 2) after 1 item: unmatched '}': it closes nothing\n", ""},
        {{"props", "check"}, "a:long{1}\n", 0, "standard input: 1 item, complete\n", ""},
        // NUL bytes: kept by props and spice, reported by log, whose lines are C strings.
        {{"props", "list"}, std::string("a\0b:string{c\0d}\n", 16), 0, std::string("a\0b:string{c\0d}\n", 16), ""},
        {{"props", "format"}, std::string("a\0b:long{1}\n", 12), 0, std::string(" a\0b:long{1}\n", 13), ""},
        {{"spice", "to-spice"}, std::string("x1.a\0b\n", 7), 0, std::string("a\0b:x1\tVOLTAGE\tSUBMODULE\n", 25), ""},
        {{"log"}, std::string("ab\0c\n", 5), 1, "ab  \n", "veltutil: log: standard input: line 1 holds a NUL byte"},
        // A name the converter refuses comes back unchanged and is reported.
        {{"spice", "to-spice", "x1.a", longName}, "", 1, "a:x1\tVOLTAGE\tSUBMODULE\n" + longName + "\tNONE\tNONE\n",
         "veltutil: spice: argument 2: a name of 1103 characters is refused"},
        {{"spice", "to-spice"}, "x1.a\n" + longName + "\n", 1, "a:x1\tVOLTAGE\tSUBMODULE\n" + longName + "\tNONE\tNONE\n",
         "veltutil: spice: line 2: a name of 1103 characters is refused"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(Trace(row));
        Expect(row, RunTool(row.args, row.input));
    }
}

TEST(VeltutilCli, AFailedWriteFailsEveryCommand) {
    const std::string sample = std::string(VELT_TEST_SOURCE_DIR) + "/samples/worked_example.props";
    const Row rows[] = {
        {{"--version"}, "", 1, "", "veltutil: standard output: No space left on device\n"},
        {{"props", "--help"}, "", 1, "", "veltutil: props: standard output: No space left on device\n"},
        {{"props", "format", sample}, "", 1, "", "veltutil: props: standard output: No space left on device\n"},
        {{"props", "format"}, Nest(2000), 1, "", "veltutil: props: standard output: No space left on device\n"},
        {{"props", "list", sample}, "", 1, "", "veltutil: props: standard output: No space left on device\n"},
        {{"props", "check", sample}, "", 1, "", "veltutil: props: standard output: No space left on device\n"},
        {{"log"}, "run\n\tstep\n", 1, "", "veltutil: log: standard output: No space left on device\n"},
        {{"spice", "to-spice", "x1.a"}, "", 1, "", "veltutil: spice: standard output: No space left on device\n"},
        {{"spice", "from-spice"}, "a:x1\n", 1, "", "veltutil: spice: standard output: No space left on device\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(Trace(row));
        Expect(row, RunTool(row.args, row.input, "/dev/full"), false);
    }
}

// The display form of a million nested lists is some 1.6 GB; showing it must take memory in
// proportion to the 8 MB read, not to what is written.
TEST(VeltutilCli, FormattingADeepNestTakesMemoryBoundedByTheInput) {
    const std::string input = Nest(1000000);
    const Result result = RunTool({"props", "format"}, input, "/dev/null");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    const long boundKb = 20 * static_cast<long>(input.size()) / 1024 + 64 * 1024;
    EXPECT_LT(result.peakKb, boundKb);
}
