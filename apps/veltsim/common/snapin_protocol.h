#pragma once

// What the veltsim application and its snap-in modules agree on beyond the library's own
// interface: the two functions every snap-in module exports, the numbered properties the
// console asks each snap-in about, and the name under which the application registers the
// log that snap-ins answer into.

#include <veltutil/veltutil.h>

namespace veltsim {

// A snap-in module exports both, unmangled. The application creates one snap-in per module and
// hands it back to the same module's destroy function before it unloads the module.
using CreateSnapInFunction = CInstrumentInterface* (*)();
using DestroySnapInFunction = void (*)(CInstrumentInterface*);
inline constexpr const char* kCreateSnapInExport = "VeltSimCreateSnapIn";
inline constexpr const char* kDestroySnapInExport = "VeltSimDestroySnapIn";

// The item name of the command line's log in the container's registry. The console makes the
// line being answered the log's relative root, so a snap-in's plain AddText lands under it.
inline constexpr const char* kCommandLineLogName = "Command Line";

// GetProperty ids that veltsim snap-ins answer (0 when answered; 1, value untouched, for an id
// a snap-in does not know, as everywhere in the framework).
enum SnapInProperty : long {
    // Text: one line per command, "name<TAB>arguments<TAB>summary".
    kPropCommandHelp = 20001,
    // Long: 1 while work that a command started goes on after the command returned (a run).
    kPropBusy = 20002,
    // Long: how many commands and runs have failed so far.
    kPropFailures = 20003,
};

}  // namespace veltsim

// Marks the two module entry points.
#define VELTSIM_MODULE_EXPORT extern "C" __attribute__((visibility("default")))
