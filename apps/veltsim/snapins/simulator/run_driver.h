#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include <veltutil/veltutil.h>

#include "message_window.h"

#include "ngspice_engine.h"
#include "run_channel.h"

namespace veltsim {

// How a run went, for the listener's closing report.
struct RunSummary {
    bool started = false;        // false: ngspice would not start the command
    bool stopped = false;        // ended by a stop request or with the engine rather than by ngspice
    bool lost = false;           // ended because ngspice's engine ended during the run
    DWORD stopLatencyMs = 0;     // from the request to ngspice's thread having halted
    std::size_t steps = 0;       // accepted steps taken
    DWORD milliseconds = 0;      // from start to end
};

// What a run delivers, on the user-interface thread, in ngspice's order.
class RunListener {
public:
    virtual void AnalysisBegun(const PlotStart& plot) = 0;
    // One accepted step: real and imaginary part of every vector of the current plot.
    virtual void Step(const double* values) = 0;
    virtual void AnalysisEnded(bool complete) = 0;
    virtual void Output(const std::string& line) = 0;
    virtual void RunEnded(const RunSummary& summary) = 0;

protected:
    ~RunListener() = default;
};

// Runs one ngspice command at a time in ngspice's background thread and delivers what it
// produces on the user-interface thread, raising the simulator's events as it goes: 4002 when an
// analysis begins, for every accepted step 4005 with its values (while anyone is hooked to it)
// and 4007 ("Do we wish to pause now?"), 4003 when it ends. The front end's answer to 4007
// pumps the message queue now and then, so commands typed meanwhile run inside the run; they
// may only ask for a stop, a pause or a resume, which the loop carries out at its own level.
//
// Start returns at once: the run itself begins from a posted message, when the command that
// asked for it has returned, so that the command line is free to take the next line while the
// run goes on.
class RunDriver {
public:
    RunDriver(RunChannel& channel, NgspiceEngine& engine, CEventSource& events, RunListener& listener);
    RunDriver(const RunDriver&) = delete;
    RunDriver& operator=(const RunDriver&) = delete;
    ~RunDriver();

    // False when a run is already asked for or going on.
    bool Start(CGuiFE& frontEnd, const std::string& command);
    // A run is asked for or going on.
    bool IsBusy() const { return state_ != kIdle; }
    bool IsRunning() const { return state_ == kRunning; }
    bool IsPaused() const { return paused_; }
    // Each false when there is no run to act on (or it already is in that state).
    bool RequestStop();
    bool Pause();
    bool Resume();
    // Accepted steps so far, and the abscissa of the last one.
    std::size_t Steps() const { return summary_.steps; }
    double LastAbscissa() const { return lastAbscissa_; }

private:
    enum State { kIdle, kPending, kRunning };

    void Run();
    // Delivers the batch from entry `from` on; answers the first entry not delivered, which is
    // short of the end when a pause came while a step was answered.
    std::size_t Deliver(const ChannelBatch& batch, std::size_t from, bool& ended, bool& inAnalysis);
    void Raise(long eventId, OrvVariant& in);
    void HaltNow();
    // Hands the thread to the message loop until input arrives or `milliseconds` pass.
    void Wait(DWORD milliseconds);

    RunChannel& channel_;
    NgspiceEngine& engine_;
    CEventSource& events_;
    RunListener& listener_;
    // The window the start message is posted to.
    std::unique_ptr<MessageWindow> window_;
    CGuiFE* frontEnd_ = nullptr;
    std::string command_;
    std::string analysisType_;
    State state_ = kIdle;
    bool paused_ = false;
    bool stopRequested_ = false;
    bool halted_ = false;
    DWORD stopTick_ = 0;
    RunSummary summary_;
    int scaleIndex_ = -1;  // the current plot's "time" or "frequency", if it has one
    double lastAbscissa_ = 0.0;
    // The pause query's argument, reused from step to step: the query allocates nothing.
    OrvVariant stepArgument_{0.0};
    OrvVariant stepData_;
    long stepWidth_ = 0;  // values per step of the current plot
    OrvVariant answer_;
};

}  // namespace veltsim
