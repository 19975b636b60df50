#pragma once

#include <string>
#include <vector>

namespace veltsim {

// What a snap-in tells about one of its commands in its help property (kPropCommandHelp).
struct CommandHelp {
    std::string name;
    std::string arguments;
    std::string summary;
};

// The property's text: one line per command, "name<TAB>arguments<TAB>summary".
std::string CommandHelpText(const std::vector<CommandHelp>& commands);
// The commands of such a text; lines without a name are left out.
//   "run\t\truns the deck\nstop\t\tends the run\n" -> {"run", "", "runs the deck"}, {"stop", "", "ends the run"}
std::vector<CommandHelp> ParseCommandHelp(const std::string& text);

}  // namespace veltsim
