#pragma once

#include <cstddef>
#include <deque>
#include <vector>

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

}  // namespace veltsim
