#include "signal_measures.h"

#include <cmath>
#include <numbers>

namespace veltsim {

namespace {

double interpolate(double x0, double y0, double x1, double y1, double x) {
    return x1 == x0 ? y1 : y0 + (y1 - y0) * (x - x0) / (x1 - x0);
}

CComplex toComplex(std::complex<double> value) { return CComplex{value.real(), value.imag()}; }

}  // namespace

void TransientMeasures::Add(double x, double y) {
    const bool crossesFrom = havePrevious_ && previousX_ < window_.from && x > window_.from;
    const bool crossesTo = havePrevious_ && previousX_ < window_.to && x > window_.to;
    if (crossesFrom) take(window_.from, interpolate(previousX_, previousY_, x, y, window_.from));
    if (x >= window_.from && x <= window_.to) {
        take(x, y);
    } else if (crossesTo) {
        take(window_.to, interpolate(previousX_, previousY_, x, y, window_.to));
    }
    havePrevious_ = true;
    previousX_ = x;
    previousY_ = y;
}

void TransientMeasures::take(double x, double y) {
    // The first point opens the span with no width of its own.
    const double dx = points_ == 0 ? 0.0 : x - last_;
    if (points_ == 0) first_ = x;
    rms_.AddDxPoint(y, dx);
    integral_.AddDxPoint(y, dx);
    range_.GetPointPosition(y);
    last_ = x;
    ++points_;
}

bool IsSweepPoint(double point, double frequency) {
    // A sweep's frequencies are computed; "1meg" typed may differ from its point in the last bits.
    return std::abs(point - frequency) <= 1e-9 * std::abs(point);
}

bool WithinSweep(double first, double last, double frequency) {
    return (frequency >= first || IsSweepPoint(first, frequency)) && (frequency <= last || IsSweepPoint(last, frequency));
}

double PhaseUnwrapper::Next(double degrees) {
    if (!first_) degrees -= 360.0 * std::round((degrees - previous_) / 360.0);
    first_ = false;
    previous_ = degrees;
    return degrees;
}

void AcMeasures::Add(double frequency, std::complex<double> value, std::complex<double> reference) {
    double gain = 0.0;
    double wrapped = 0.0;
    const CComplex origin{};
    gainPhase_.ComputeGainAndPhase(gain, wrapped, toComplex(reference), origin, toComplex(value), origin);
    // The accumulator wraps the phase back into one turn at a jump; it is taken from the
    // values themselves instead and unwrapped here.
    const double phase = (std::arg(value) - std::arg(reference)) * (180.0 / std::numbers::pi);
    // A gain of exactly 0 has no level in dB; it shows as minus infinity.
    points_.push_back({frequency, 20.0 * std::log10(gain), unwrapper_.Next(phase)});
}

bool AcMeasures::At(double frequency, double& gainDb, double& phaseDegrees, bool& interpolated) const {
    if (points_.empty() || !WithinSweep(points_.front().frequency, points_.back().frequency, frequency)) return false;
    std::size_t upper = 0;
    while (points_[upper].frequency < frequency && !IsSweepPoint(points_[upper].frequency, frequency)) ++upper;
    interpolated = !IsSweepPoint(points_[upper].frequency, frequency);
    if (!interpolated) {
        gainDb = points_[upper].gainDb;
        phaseDegrees = points_[upper].phase;
        return true;
    }
    const Point& a = points_[upper - 1];
    const Point& b = points_[upper];
    gainDb = interpolate(a.frequency, a.gainDb, b.frequency, b.gainDb, frequency);
    phaseDegrees = interpolate(a.frequency, a.phase, b.frequency, b.phase, frequency);
    return true;
}

double AcMeasures::phaseAt(double frequency) const {
    double gain = 0.0;
    double phase = 0.0;
    bool interpolated = false;
    At(frequency, gain, phase, interpolated);
    return phase;
}

std::optional<double> AcMeasures::crossing(std::size_t from, int step, double level) const {
    const auto count = static_cast<std::ptrdiff_t>(points_.size());
    for (auto k = static_cast<std::ptrdiff_t>(from); k + step >= 0 && k + step < count; k += step) {
        const Point& a = points_[static_cast<std::size_t>(k)];
        const Point& b = points_[static_cast<std::size_t>(k + step)];
        if (a.gainDb >= level && b.gainDb < level) {
            // Solved for the frequency: linear in frequency between the two points.
            return interpolate(a.gainDb, a.frequency, b.gainDb, b.frequency, level);
        }
    }
    return std::nullopt;
}

AcFigures AcMeasures::Figures() const {
    AcFigures figures;
    if (points_.empty()) return figures;
    // Half the power: 20 log10(sqrt(2)) dB.
    const double halfPower = 10.0 * std::log10(2.0);
    std::size_t peak = 0;
    for (std::size_t k = 1; k < points_.size(); ++k) {
        if (points_[k].gainDb > points_[peak].gainDb) peak = k;
    }
    figures.peakDb = points_[peak].gainDb;
    figures.peakFrequency = points_[peak].frequency;
    const double peakEdge = points_[peak].gainDb - halfPower;
    const std::optional<double> below = crossing(peak, -1, peakEdge);
    const std::optional<double> above = crossing(peak, +1, peakEdge);
    if (below && above) {
        figures.lowerEdge = below;
        figures.upperEdge = above;
        figures.bandwidth = *above - *below;
        // The centre of the band is the geometric mean of its edges, which for a resonance is
        // its resonant frequency whether or not the sweep has a point there.
        figures.q = std::sqrt(*below * *above) / *figures.bandwidth;
    } else if (points_.front().gainDb >= peakEdge) {
        figures.upperEdge = crossing(peak, +1, points_.front().gainDb - halfPower);
        figures.bandwidth = figures.upperEdge;
    } else if (points_.back().gainDb >= peakEdge) {
        figures.lowerEdge = crossing(peak, -1, points_.back().gainDb - halfPower);
    }
    figures.unityFrequency = crossing(0, +1, 0.0);
    if (figures.unityFrequency) figures.phaseMargin = 180.0 + phaseAt(*figures.unityFrequency);
    return figures;
}

}  // namespace veltsim
