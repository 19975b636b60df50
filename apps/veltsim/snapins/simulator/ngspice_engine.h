#pragma once

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

#include "ngspice_library.h"
#include "run_channel.h"

namespace veltsim {

// ngspice writes its output as lines that start with the stream they were meant for,
// "stdout " or "stderr ". An error is a line for stderr that says so.
bool IsNgspiceError(const std::string& line);
// "stderr Error: circuit not parsed." -> "Error: circuit not parsed."
std::string WithoutStreamPrefix(const std::string& line);

// ngspice driven from the user-interface thread.
//
// ngspice runs analyses in its own background thread ("bg_" commands), because that is the
// only way its documented interface offers to stop a run part-way (bg_halt): a run in the
// calling thread can only be left at its end. Its callbacks therefore never touch the
// library: they put data, text and the end of the thread into the run channel, which the
// user-interface thread drains. Every call into ngspice comes from the user-interface thread,
// and never from inside a message handler that runs within a pause query's yield (commands
// typed during a run only set flags), so ngspice is never re-entered.
//
// ngspice's request to exit (its ControlledExit callback) ends nothing here: the engine
// notes it, the library is retired once ngspice has returned, and a fresh instance is loaded by
// the next command that needs it.
class NgspiceEngine {
public:
    explicit NgspiceEngine(RunChannel& channel);
    NgspiceEngine(const NgspiceEngine&) = delete;
    NgspiceEngine& operator=(const NgspiceEngine&) = delete;
    ~NgspiceEngine();

    // Loads and initialises ngspice when it is not ready; false with the reason otherwise.
    bool Prepare(std::string& error);
    bool IsReady() const { return ready_; }

    // Hands the deck to ngspice. False when ngspice rejects it; its own error lines are then
    // in `errors`. Output text of the call goes to the channel either way.
    bool LoadCircuit(const std::vector<std::string>& lines, std::vector<std::string>& errors);
    // Runs a command in this thread; ngspice's result code (0 success).
    int Command(const std::string& command);
    // Starts `command` in ngspice's background thread; false when it could not start.
    bool StartBackground(const std::string& command);
    // Stops the background thread and waits for it (ngspice polls for the request about every
    // 10 ms).
    void Halt();
    bool IsRunning() const;
    // The first value of a vector of the current plot (a .meas result), or false.
    bool VectorValue(const std::string& name, double& value) const;

    // True once after ngspice asked to exit; `status` is its exit status. The library has been
    // retired by then.
    bool TakeExit(int& status);

private:
    static int onText(char* text, int id, void* self);
    static int onStatus(char* text, int id, void* self);
    static int onExit(int status, NG_BOOL immediate, NG_BOOL quit, int id, void* self);
    static int onData(pvecvaluesall values, int count, int id, void* self);
    static int onInitData(pvecinfoall info, int id, void* self);
    static int onThread(NG_BOOL notRunning, int id, void* self);

    // After any call into ngspice: retires a library that asked to exit meanwhile.
    void settleExit();

    RunChannel& channel_;
    NgspiceLibrary library_;
    bool ready_ = false;
    std::atomic<bool> exitRequested_{false};
    std::atomic<int> exitStatus_{0};
    bool exitPending_ = false;
    // ngspice's output during LoadCircuit, read for its error lines.
    std::atomic<bool> capturing_{false};
    std::vector<std::string> capture_;
    // The current plot's row, reused on ngspice's thread from step to step.
    std::vector<double> row_;
};

}  // namespace veltsim
