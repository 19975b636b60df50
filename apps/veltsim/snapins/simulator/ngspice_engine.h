#pragma once

#include <sys/types.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "engine_protocol.h"
#include "run_channel.h"

namespace veltsim {

// ngspice writes its output as lines that start with the stream they were meant for,
// "stdout " or "stderr ". An error is a line for stderr that says so.
bool IsNgspiceError(const std::string& line);
// "stderr Error: circuit not parsed." -> "Error: circuit not parsed."
std::string WithoutStreamPrefix(const std::string& line);

// ngspice driven from the user-interface thread, in a process of its own (veltsim-engine), so
// that a crash inside ngspice ends that process and not the session.
//
// The engine is found in VELTSIM_ENGINE when that is set, else beside the running program. A
// thread of this class reads what the engine sends: ngspice's output, plots, steps and the end
// of its background thread go into the run channel in ngspice's order, replies to the calls
// below to the caller, which waits for them. A step waits in the reader while the channel is
// full, so a paused run holds ngspice; the only call made while a run may fill the channel is
// Halt, after the channel was cancelled.
//
// ngspice runs analyses in its own background thread ("bg_" commands), because that is the
// only way its documented interface offers to stop a run part-way (bg_halt).
//
// When the engine ends, by ngspice's request to exit, by a crash or because it did not answer
// in time, a run going on ends (its end is put into the channel), TakeExit or TakeCrash reports
// it once, and the next Prepare starts a fresh engine and hands it the last deck it accepted.
class NgspiceEngine {
public:
    explicit NgspiceEngine(RunChannel& channel);
    NgspiceEngine(const NgspiceEngine&) = delete;
    NgspiceEngine& operator=(const NgspiceEngine&) = delete;
    // Halts a run and ends the engine.
    ~NgspiceEngine();

    // Starts and initialises an engine when none is ready; false with the reason otherwise.
    bool Prepare(std::string& error);
    bool IsReady() const { return ready_ && !ended_ && !exitAsked_; }

    // Hands the deck to ngspice. False when ngspice rejects it; its own error lines are then
    // in `errors`. Output text of the call goes to the channel either way. An accepted deck is
    // what a fresh engine is handed again.
    bool LoadCircuit(const std::vector<std::string>& lines, std::vector<std::string>& errors);
    // Runs a command in the engine's main thread; ngspice's result code (0 success).
    int Command(const std::string& command);
    // Starts `command` in ngspice's background thread; false when it could not start.
    bool StartBackground(const std::string& command);
    // Stops the background thread and waits for it (ngspice polls for the request about every
    // 10 ms). An engine that does not answer within kHaltLimit is ended.
    void Halt();
    bool IsRunning() const { return running_; }
    // The first value of a vector of the current plot (a .meas result), or false.
    bool VectorValue(const std::string& name, double& value);
    // Every value of the vector `name` of the plot `plot`: real values, or real and imaginary
    // parts in turn when `complex`; false when the engine has no such vector (any more).
    bool FetchVector(const std::string& plot, const std::string& name, std::vector<double>& values, bool& complex);

    // True once after ngspice asked to exit; `status` is its exit status.
    bool TakeExit(int& status);
    // True once after the engine ended otherwise:
    //   "ngspice crashed (SIGSEGV) during: print @q.x1.q1[gm]"
    //   "ngspice did not answer in time and was ended during: bg_halt"
    bool TakeCrash(std::string& report);

private:
    // A call waits this long for its answer before the engine counts as hung; long enough for
    // a deck's own analyses run in the foreground.
    static constexpr std::chrono::seconds kAnswerLimit{600};
    static constexpr std::chrono::seconds kHaltLimit{2};

    bool spawn(std::string& error);
    // Sends a request and waits for its reply; false when the engine ended meanwhile.
    bool request(engine::Kind kind, std::string_view payload, std::string& reply,
                 std::chrono::milliseconds limit = kAnswerLimit);
    int codeOf(engine::Kind kind, const std::string& command);
    void readLoop(int socket);
    void dispatch(engine::Kind kind, const std::string& payload);
    // Cleans up after an engine that ended and notes how it ended for the Take calls.
    void settle();
    // Ends the engine (asking it first) and cleans up.
    void shutDown();
    // Joins the reader of an engine that has ended and forgets the engine.
    void release();

    RunChannel& channel_;
    int socket_ = -1;
    pid_t pid_ = -1;
    std::thread reader_;
    bool ready_ = false;
    std::atomic<bool> running_{false};
    // What the engine was doing last, for a crash report.
    std::string during_;
    // The last deck the engine accepted.
    std::vector<std::string> deck_;

    // Shared with the reader.
    std::mutex mutex_;
    std::condition_variable changed_;
    bool replied_ = false;
    std::string reply_;
    std::atomic<bool> ended_{false};
    int waitStatus_ = 0;
    std::atomic<bool> exitAsked_{false};
    int exitStatus_ = 0;
    bool hung_ = false;
    // ngspice's output during LoadCircuit, read for its error lines.
    std::atomic<bool> capturing_{false};
    std::vector<std::string> capture_;

    // How the last engine ended, until taken.
    bool exitPending_ = false;
    int exitPendingStatus_ = 0;
    std::string crashPending_;
};

}  // namespace veltsim
