#pragma once

#include <complex>
#include <cstddef>
#include <limits>
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

// Gain and phase of one signal against a reference over an AC sweep, from the library's
// gain/phase accumulator (which unwraps the phase from point to point), kept per point so that
// they can be read at any frequency of the sweep.
class AcMeasures {
public:
    void Add(double frequency, std::complex<double> value, std::complex<double> reference);

    std::size_t Points() const { return points_.size(); }
    // Gain in dB and phase in degrees at `frequency`, interpolated linearly over the logarithm
    // of the frequency between the two sweep points around it; false outside the sweep.
    bool At(double frequency, double& gainDb, double& phaseDegrees) const;

private:
    struct Point {
        double frequency;
        double gainDb;
        double phase;
    };

    CGainPhase gainPhase_;
    std::vector<Point> points_;
};

}  // namespace veltsim
