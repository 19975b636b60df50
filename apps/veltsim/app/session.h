#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <veltutil/veltutil.h>

#include "console_snapin.h"
#include "input_reader.h"
#include "script.h"
#include "sim_front_end.h"
#include "snapin_module.h"
#include "terminal_log.h"

namespace veltsim {

struct SessionOptions {
    // Commands typed one after the other, each once the previous one is answered and, unless
    // it runs in the background, once what it started has ended.
    std::vector<ScriptLine> script;
    // Commands come from this file descriptor instead, typed as they arrive.
    bool interactive = false;
    int inputFd = 0;
    // Receives every line of the command line's log as it is written.
    TerminalLog::Printer print;
    // The snap-in modules to load, by the names LoadLibrary looks for.
    std::vector<std::string> modules{"veltsim_simulator.dll"};
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

    // Feeds the script, and ends the loop once everything is done.
    BOOL OnIdle(long count) override;

    // Name and reference count of every component the session made, for checks.
    using References = std::vector<std::pair<std::string, int>>;
    References CountReferences();
    // The counts before start-up wired anything together.
    const References& InitialReferences() const { return initialReferences_; }
    long Failures() const { return failures_; }

private:
    std::vector<CInstrumentInterface*> SnapIns();
    bool AnyBusy();
    bool ReadyToQuit();
    void TypeNextLine();
    long CountFailures();

    SessionOptions options_;
    SimFrontEnd frontEnd_;
    CSnapInContainer container_;
    TerminalLog log_;
    ConsoleSnapIn console_;
    std::vector<std::unique_ptr<SnapInModule>> modules_;
    InputReader reader_;
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
