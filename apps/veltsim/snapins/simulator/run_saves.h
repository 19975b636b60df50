#pragma once

#include <string>
#include <vector>

namespace veltsim {

// What ngspice is told to save for a run, so that every device quantity a probe reads is kept
// along with what the deck saves itself.
//
// ngspice saves every node and source current unless the deck names what to save; a `save`
// command adds to that list, and `delete all` empties it. A device quantity must be named to be
// saved, so probing one turns "everything" into "all" plus the quantity. ngspice 39 gives no
// device quantities in an AC sweep: it sends no steps of a sweep that saves one a resistor or
// capacitor current, and with two of them it crashes. So a run with an AC sweep saves none.
struct SavePlan {
    std::vector<std::string> commands;      // to send before the run, in order; none: leave as is
    std::vector<std::string> leftOut;       // device quantities not saved, for the AC sweep
};

// `deckSaves`: the words of the deck's .save cards; `probed`: the device quantities the probes
// read, under ngspice's names; `deckSavesDevices`: the deck saves device quantities (a .save
// of one, or the option savecurrents); `sweepsAc`: the run holds an AC sweep; `touched`: an
// earlier plan changed the list, which then is set afresh each time.
SavePlan PlanSaves(const std::vector<std::string>& deckSaves, const std::vector<std::string>& probed, bool deckSavesDevices,
                   bool sweepsAc, bool touched);

}  // namespace veltsim
