#include "run_saves.h"

#include <algorithm>

namespace veltsim {

namespace {

bool isDeviceQuantity(const std::string& name) { return !name.empty() && name.front() == '@'; }

}  // namespace

SavePlan PlanSaves(const std::vector<std::string>& deckSaves, const std::vector<std::string>& probed, bool deckSavesDevices,
                   bool sweepsAc, bool touched) {
    SavePlan plan;
    const bool needed = touched || (sweepsAc ? deckSavesDevices : !probed.empty());
    if (!needed) return plan;
    std::vector<std::string> names = deckSaves.empty() ? std::vector<std::string>{"all"} : deckSaves;
    names.insert(names.end(), probed.begin(), probed.end());
    if (sweepsAc) {
        const auto devices = std::stable_partition(names.begin(), names.end(), [](const std::string& n) { return !isDeviceQuantity(n); });
        plan.leftOut.assign(devices, names.end());
        names.erase(devices, names.end());
        // Saving nothing would be saving everything, as ngspice does without a list.
        if (names.empty()) names.push_back("all");
    }
    std::string save = "save";
    for (const std::string& name : names) save += " " + name;
    plan.commands = {"delete all", save};
    return plan;
}

}  // namespace veltsim
