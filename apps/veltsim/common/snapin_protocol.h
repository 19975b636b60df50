#pragma once

// What the veltsim application and its snap-in modules agree on beyond the library's own
// interface: the two functions every snap-in module exports, the numbered properties and
// events they exchange, and the name under which the application registers the log that
// snap-ins answer into.

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
    // The simulator's. Long: where the signal named by the text in `in` (in any naming form)
    // stands in the steps of the analysis in progress, as the index of its real part in each
    // step's values (its imaginary part follows); S_FALSE when the analysis has no such signal.
    kPropSignalIndex = 20004,
    // The simulator's. Text: the signal named by the text in `in` (in any naming form), as people
    // see it (V(out)); S_FALSE when the last run had no such signal. Before any run every name
    // is taken: which signals a circuit has is known once it has run.
    kPropSignalName = 20005,
    // The simulator's. Long: the accepted steps of the run in progress, else of the last run.
    kPropRunSteps = 20006,
    // The simulator's. Double: how far the analysis in progress has got, from 0 to 1, along the
    // time or frequency span its card gives; S_FALSE when no run goes on or it has no such span.
    kPropRunFraction = 20007,
    // The simulator's. Text: the deck file that load or reload read last, also when ngspice
    // rejected it; S_FALSE before any.
    kPropDeck = 20008,
    // The simulator's. Long: how many times load or reload read a deck, so that a deck read again
    // is told apart.
    kPropDeckReads = 20009,
    // The simulator's. Long: the line of the deck read last (the title is line 1) that ngspice
    // named when it rejected the deck; 0 when it was accepted or no line was named.
    kPropDeckErrorLine = 20010,
    // The simulator's and the instrument agency's, as the framework numbers it. Long: the run
    // state, 0 stopped, 1 held, 2 running. The agency's can be set: 2 runs the deck or lets a
    // held run go on, 1 holds the run, 0 stops it.
    kPropRunState = 4004,
};

// Raised by the simulator on its event source for every accepted step while anyone is hooked
// to it, and passed on by the instrument agency to the instruments hooked to its own:
// "(Simulator) New data is being added to the plotter". The input borrows the step's values, a
// double array of the real and imaginary part of every signal (kPropSignalIndex).
inline constexpr long kEventNewData = 4005;

}  // namespace veltsim

// Marks the two module entry points.
#define VELTSIM_MODULE_EXPORT extern "C" __attribute__((visibility("default")))
