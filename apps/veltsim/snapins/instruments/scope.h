#pragma once

#include <deque>
#include <optional>

#include "plotting_module.h"
#include "velt_instrument.h"

namespace veltsim {

// The sweep a scope shows: where the trigger fell and the points that follow it.
struct Sweep {
    struct Point {
        double time;  // after the trigger
        double a, b;
    };
    bool triggered = false;  // false: no trigger fell, so the sweep is the last time base
    std::vector<Point> points;
};

// Samples of two channels, kept for as long as finding the sweep to show needs: the last two
// time bases.
class SweepBuffer {
public:
    void Reset(double timeBase) {
        timeBase_ = timeBase;
        samples_.clear();
    }
    void Add(double time, double a, double b);
    // The last full time base that starts where channel A rises through `level` (interpolated
    // between the two samples around it), or, when it never does within the samples kept, the
    // last time base; at most `maxPoints` points, evenly spread over it.
    //   samples of a 1 kHz sine, time base 1 ms, level 0 -> a sweep from one upward zero crossing
    Sweep Find(double level, std::size_t maxPoints) const;
    bool Empty() const { return samples_.empty(); }

private:
    struct Sample {
        double time, a, b;
    };
    double timeBase_ = 1e-3;
    std::deque<Sample> samples_;
};

// An oscilloscope (XSC...): two channels (pins 1 and 2), showing on a page of its own in the
// plotting module the last sweep of its time base that a rising edge of channel A triggered.
// The time base is set on pin 3 (a SPICE number of seconds, 1 ms at first), the trigger level
// on pin 4 (volts; "$" brings back the automatic level, the middle of channel A's range).
// While the scope is shown its page follows the transient, four times a second.
class Scope final : public VeltInstrument {
public:
    Scope(InstrumentDoc& doc, const CString& refID);
    ~Scope() override;

    // "A V(out)", "B not wired", "time base 0.001 s", "trigger rising through 1 V on A".
    std::vector<std::string> Describe() const override;
    // The sweep shown now.
    Sweep CurrentSweep() const;

protected:
    bool SetSetting(int pin, const std::string& value, std::string& error) override;
    void SerializeSettings(CArchive& ar) override;
    void Begin(const std::vector<long>& signals, long time) override;
    void Take(const double* step) override;
    void End() override { Draw(); }
    void Clear() override;
    void Shown(bool shown) override;

private:
    double Level() const;
    void OpenPage();
    void ClosePage();
    // The sweep on the page's graph, its traces made again when the wiring changed.
    void Draw();

    double timeBase_ = 1e-3;
    std::optional<double> level_;
    SweepBuffer buffer_;
    long a_ = -1, b_ = -1, time_ = -1;
    double lowA_ = 0.0, highA_ = 0.0;
    bool seenA_ = false;
    DWORD lastDraw_ = 0;
    // Declared before the page, so that the module is let go only after the page.
    PlottingModuleHold module_;
    CStdGrapherPage page_;
    std::string drawnWiring_;
};

}  // namespace veltsim
