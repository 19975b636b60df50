#include "command_help.h"

#include <sstream>

namespace veltsim {

std::string CommandHelpText(const std::vector<CommandHelp>& commands) {
    std::string text;
    for (const CommandHelp& command : commands) text += command.name + "\t" + command.arguments + "\t" + command.summary + "\n";
    return text;
}

std::vector<CommandHelp> ParseCommandHelp(const std::string& text) {
    std::vector<CommandHelp> commands;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        CommandHelp help;
        std::getline(fields, help.name, '\t');
        std::getline(fields, help.arguments, '\t');
        std::getline(fields, help.summary);
        if (!help.name.empty()) commands.push_back(help);
    }
    return commands;
}

}  // namespace veltsim
