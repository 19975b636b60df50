#pragma once

#include <string>
#include <vector>

namespace veltsim {

// A SPICE deck as read from its file: the lines for ngspice, and what the simulator itself
// wants to know about it (its title, its analyses and its .meas statements).
struct Deck {
    std::string path;
    std::vector<std::string> lines;     // as in the file, line ends removed
    std::string title;                  // the first line
    std::vector<std::string> analyses;  // ".op", ".tran 1u 10m", ...: the analysis cards
    // ".meas" statements with their continuation lines joined, in the deck's order.
    std::vector<std::string> measures;
    // What its .save cards name, word by word, in the deck's order ("all", "out", "@r1[i]").
    std::vector<std::string> saves;
    // A .save of device parameters ("@r1[i]") or the option savecurrents, with which ngspice 39
    // sends no steps of an AC sweep, or fails in its own thread during it.
    bool savesDeviceParameters = false;
};

// False, with `error` saying why ("cannot read deck: PATH: No such file or directory", "...: Is
// a directory", "...: empty"), when the file cannot be read or is empty.
bool ReadDeck(const std::string& path, Deck& deck, std::string& error);

// The deck's lines as ngspice is to read them: a relative path of an .include or .lib card is
// taken from the deck's folder, wherever the program was started, as ngspice takes it when it
// reads the deck file itself. Files included from there resolve theirs in ngspice, from their
// own folders.
//   in /d/rc.cir: ".include models/r.inc" -> ".include \"/d/models/r.inc\""
std::vector<std::string> LinesForNgspice(const Deck& deck);

// What stands in the way of ngspice reading the files that the deck includes from its folder:
// "cannot read include: PATH: No such file or directory" (or "Is a directory", ...).
std::vector<std::string> UnreadableIncludes(const Deck& deck);

// ".meas tran rms_out RMS V(out) FROM=5m TO=10m" -> analysis "tran", name "rms_out"; false for
// a statement too short to name both.
bool SplitMeasure(const std::string& statement, std::string& analysis, std::string& name);

}  // namespace veltsim
