#pragma once

#include <string>
#include <vector>

namespace veltsim {

// A deck's .control block: the commands between ".control" and ".endc" (or the deck's end),
// which ngspice carries out as soon as it reads the deck, in the thread that hands it over.
//
// So the simulator hands ngspice the deck without them when loading it, and has ngspice read
// the deck's file afresh in its background thread when the deck is run: the block's analyses
// then run as any other, step by step, with the command line live.
std::vector<std::string> ControlBlock(const std::vector<std::string>& lines);
std::vector<std::string> WithoutControlBlock(const std::vector<std::string>& lines);

}  // namespace veltsim
