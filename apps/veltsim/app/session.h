#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <veltutil/veltutil.h>

#include "console_snapin.h"
#include "input_reader.h"
#include "interrupt_watch.h"
#include "plotting_module.h"
#include "script.h"
#include "sim_front_end.h"
#include "snapin_module.h"
#include "terminal_log.h"

namespace veltsim {

struct SessionOptions {
    // Commands typed one after the other, each once the previous one is answered and, unless
    // it runs in the background, once what it started has ended.
    std::vector<ScriptLine> script;
    // Where further commands come from: none; typed from `inputFd` as they arrive (a person at
    // a terminal), answered also while a simulation runs; or read from `inputFd` as a script's
    // lines (a pipe or a file), each waiting as a script's line does.
    enum class Input { None, Typed, Script };
    Input input = Input::None;
    int inputFd = 0;
    // Ctrl-C halts the run going on, as stop does; a second within a second, or one while
    // nothing runs, quits as quit does.
    bool catchInterrupts = false;
    // Receives every line of the command line's log as it is written.
    TerminalLog::Printer print;
    // The snap-in modules to load, by the names LoadLibrary looks for.
    std::vector<std::string> modules{"veltsim_simulator.dll", "veltsim_agency.dll", "veltsim_instruments.dll"};
    // The folder the plotting module writes its pages into; empty: the one VELT_GRAPHER_OUTPUT
    // names, else "veltsim-plots" in the current directory.
    std::string plots;
    // The desktop: the session goes on after the script until quit, message boxes are asked on
    // the screen, and the command line and log window keeps its own caption.
    bool desktop = false;
};

// The application: the front end, the snap-in container with the command utilities snap-in
// and the snap-ins loaded from modules, and the command line's log, started and stopped in
// the order the framework lays down, around the application's re-entrant message loop.
class Session : public CCorouteWinApp {
public:
    explicit Session(SessionOptions options);
    ~Session() override;

    // Loads the modules and starts everything up; false, after printing why, when a module
    // cannot be loaded.
    bool Start();
    // Start, the message loop until the commands are done or quit is typed, Shutdown. The exit
    // status: 0, or 1 when a command or a run failed or start-up did.
    int Execute();
    // Stops the snap-ins and the front end; the objects live on until destruction.
    void Shutdown();
    // The plotting module's index of pages, once a page has been written: the page to open.
    std::string PlotsIndex() const;

    // Feeds the script, and ends the loop once everything is done.
    BOOL OnIdle(long count) override;

    // Name and reference count of every component the session made, for checks.
    using References = std::vector<std::pair<std::string, int>>;
    References CountReferences();
    // The counts before start-up wired anything together.
    const References& InitialReferences() const { return initialReferences_; }
    long Failures() const { return failures_; }
    // The command line's log, whose ExecuteCmd takes a line as typed into its window.
    CCmdLog& Log() { return log_; }
    // The snap-in of the simulator type, or null (before Start, or when none was loaded).
    CInstrumentInterface* Simulator();

private:
    std::vector<CInstrumentInterface*> SnapIns();
    bool AnyBusy();
    bool ReadyToQuit();
    void TypeNextLine();
    // The lines read from the input as a script so far, appended to the script.
    void TakeInputLines();
    void Interrupted(DWORD tick);
    long CountFailures();
    // Loads the plotting module ahead of the front end, to tell it where its files go.
    void ChoosePlotsFolder();

    SessionOptions options_;
    SimFrontEnd frontEnd_;
    CSnapInContainer container_;
    TerminalLog log_;
    ConsoleSnapIn console_;
    std::vector<std::unique_ptr<SnapInModule>> modules_;
    InputReader reader_;
    InterruptWatch interrupts_;
    std::optional<DWORD> lastInterrupt_;
    // Held from start to destruction, so that the folder chosen stays the module's choice.
    PlottingModuleHold plotting_;
    std::string plotsFolder_;
    MessageBoxService previousBoxes_;
    References initialReferences_;
    std::size_t nextLine_ = 0;
    bool waitForRun_ = false;
    bool started_ = false;
    bool wired_ = false;
    bool quitPosted_ = false;
    bool startFailed_ = false;
    long failures_ = 0;
};

}  // namespace veltsim
