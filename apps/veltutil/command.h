#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace veltcli {

// The exit status of the program, the same for every subcommand.
enum Exit {
    kExitOk = 0,
    // An input could not be read, or only in part, or the output could not be written: the reason
    // is on stderr, and the output holds what was read.
    kExitFailed = 1,
    // The command line was wrong: the usage is on stderr.
    kExitUsage = 2,
};

using Args = std::vector<std::string>;

// A subcommand of the veltutil tool. Each lives in commands/<name>.cpp and registers itself
// with a static CommandRegistration, so adding one touches no other file.
struct Command {
    const char* name;
    const char* summary;  // one line for `veltutil --help`
    const char* usage;    // full usage text for `veltutil NAME --help`
    // Runs on the words after the command name, "--help", "-h" and the "--" that ends the options
    // taken out; returns an Exit.
    int (*run)(const Args& operands);
};

struct CommandRegistration {
    explicit CommandRegistration(const Command& command);
};

const std::vector<Command>& Commands();

// Writes "veltutil: COMMAND: " (just "veltutil: " for a null command) and the message, and a line
// end, to stderr.
void Complain(const char* command, const char* format, ...) __attribute__((format(printf, 2, 3)));

// How messages name an input: its path, or "standard input" for "-".
std::string InputName(const std::string& path);

// Reads a whole file as bytes, NULs included, or standard input for "-". When it cannot,
// says why on stderr ("veltutil: props: samples: Is a directory") and returns false.
bool ReadInput(const char* command, const std::string& path, std::string& out);

// Writes bytes to standard output as they are. False once a write has failed; later ones are
// skipped, and FinishOutput reports the first failure.
bool WriteOutput(std::string_view bytes);

// Flushes standard output. Returns `status`, or kExitFailed after saying on stderr why the
// output could not be written (`veltutil log > /dev/full`).
int FinishOutput(const char* command, int status);

}  // namespace veltcli
