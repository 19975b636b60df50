#pragma once

#include <optional>
#include <string>

#include <veltutil/veltutil.h>

namespace veltsim {

// What the simulator says of its run and its deck, through its numbered properties.
struct RunStatus {
    enum class State { Stopped, Held, Running };
    State state = State::Stopped;
    long steps = 0;
    // How far the analysis in progress has got, when its card gives a span.
    std::optional<double> fraction;
    // The deck read last ("" before any), how many reads so far, and the line ngspice named
    // when it rejected it (0: none).
    std::string deck;
    long deckReads = 0;
    long errorLine = 0;
};

RunStatus ReadRunStatus(CInstrumentInterface& simulator);

// The pace of the run as a person sees it: the time since the run began, frozen when it
// ends, and the steps per second over the last half second or more.
class RunPace {
public:
    // `tick` in milliseconds, as GetTickCount counts.
    void Sample(const RunStatus& status, DWORD tick);
    DWORD Elapsed() const { return elapsed_; }
    double StepsPerSecond() const { return rate_; }

private:
    bool running_ = false;
    DWORD start_ = 0;
    DWORD elapsed_ = 0;
    DWORD markTick_ = 0;
    long markSteps_ = 0;
    double rate_ = 0.0;
};

}  // namespace veltsim
