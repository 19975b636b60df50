#pragma once

#include <complex>
#include <cstddef>
#include <limits>
#include <optional>
#include <vector>

#include <veltutil/veltutil.h>

namespace veltsim {

// The stretch of the abscissa that measures cover: everything unless narrowed.
struct MeasureWindow {
    double from = -std::numeric_limits<double>::infinity();
    double to = std::numeric_limits<double>::infinity();
    bool IsWhole() const { return from == -std::numeric_limits<double>::infinity() && to == std::numeric_limits<double>::infinity(); }
};

// Minimum, maximum, RMS and integral of one real signal over a window, from the library's
// accumulators, fed one accepted step at a time. A step that crosses an edge of the window is
// cut there, the value at the edge interpolated linearly between the step's two points, so
// that the accumulators cover exactly the window that ngspice's own .meas FROM/TO covers, with
// the same time points inside it.
class TransientMeasures {
public:
    explicit TransientMeasures(MeasureWindow window = {}) : window_(window) {}

    void Add(double x, double y);

    std::size_t Points() const { return points_; }
    double From() const { return first_; }
    double To() const { return last_; }
    double Min() const { return range_.GetMin(); }
    double Max() const { return range_.GetMax(); }
    double Rms() const { return rms_.GetRMS(); }
    double Integral() const { return integral_.GetIntegral(); }

private:
    void take(double x, double y);

    MeasureWindow window_;
    bool havePrevious_ = false;
    double previousX_ = 0.0;
    double previousY_ = 0.0;
    std::size_t points_ = 0;
    double first_ = 0.0;
    double last_ = 0.0;
    CMinMax range_;
    CRMS rms_;
    CIntegrator integral_;
};

// Whether a frequency typed is the sweep's point `point`, to within rounding.
bool IsSweepPoint(double point, double frequency);
// Whether a frequency typed lies in the sweep from `first` to `last`, its ends to within rounding.
bool WithinSweep(double first, double last, double frequency);

// Phase in degrees made continuous along a sweep: each value is moved by whole turns to lie
// within half a turn of the one before, so that a phase going on past -180 degrees goes on
// rather than jumping to +180. The first value is taken as given.
class PhaseUnwrapper {
public:
    double Next(double degrees);

private:
    bool first_ = true;
    double previous_ = 0.0;
};

// What an AC sweep of one signal shows without a chosen frequency; empty where the sweep has
// no such figure. Levels in dB, frequencies in Hz, phases in degrees.
struct AcFigures {
    std::optional<double> peakDb, peakFrequency;
    // The -3 dB (half-power) edges: of the peak when the gain falls by that much on both sides
    // of it (a band-pass, with a Q); else of the pass band at the low end of the sweep (a
    // low-pass: upper edge, bandwidth from 0 Hz) or at its high end (a high-pass: lower edge).
    // Q is the band's centre (the geometric mean of its edges) over its bandwidth.
    std::optional<double> lowerEdge, upperEdge, bandwidth, q;
    // Where the gain first falls through 0 dB, and 180 degrees plus the phase there.
    std::optional<double> unityFrequency, phaseMargin;
};

// Gain and phase of one signal against a reference over an AC sweep, kept per point so that
// they can be read at any frequency of the sweep. The gain comes from the library's gain/phase
// accumulator; the phase is unwrapped along the sweep. Between sweep points, values are
// interpolated linearly in frequency, as ngspice's .meas FIND ... AT and WHEN do.
class AcMeasures {
public:
    void Add(double frequency, std::complex<double> value, std::complex<double> reference);

    std::size_t Points() const { return points_.size(); }
    // Gain in dB and phase in degrees at `frequency`; false outside the sweep. `interpolated`
    // tells whether it lies between sweep points.
    bool At(double frequency, double& gainDb, double& phaseDegrees, bool& interpolated) const;
    AcFigures Figures() const;

private:
    struct Point {
        double frequency;
        double gainDb;
        double phase;
    };
    // Where the gain crosses `level` first, from the point `from` on in the direction `step`
    // (+1 up the sweep, -1 down it); nothing when it does not.
    std::optional<double> crossing(std::size_t from, int step, double level) const;
    // The phase at `frequency` within the sweep.
    double phaseAt(double frequency) const;

    CGainPhase gainPhase_;
    PhaseUnwrapper unwrapper_;
    std::vector<Point> points_;
};

}  // namespace veltsim
