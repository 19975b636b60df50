#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace veltcli {

using Args = std::vector<std::string>;

// A subcommand of the veltutil tool. Each lives in commands/<name>.cpp and registers itself
// with a static CommandRegistration, so adding one touches no other file.
struct Command {
    const char* name;
    const char* summary;  // one line for --help
    const char* usage;    // full usage text for `veltutil NAME --help`
    int (*run)(const Args& args);  // args after the subcommand name; returns the exit status
};

struct CommandRegistration {
    explicit CommandRegistration(const Command& command);
};

const std::vector<Command>& Commands();

// Reads a whole file, or standard input for "-" or an empty name. False when it cannot be read.
bool ReadInput(const std::string& path, std::string& out);

}  // namespace veltcli
