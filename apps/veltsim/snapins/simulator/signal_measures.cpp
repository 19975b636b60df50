#include "signal_measures.h"

#include <cmath>

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

void AcMeasures::Add(double frequency, std::complex<double> value, std::complex<double> reference) {
    double gain = 0.0;
    double phase = 0.0;
    const CComplex origin{};
    gainPhase_.ComputeGainAndPhase(gain, phase, toComplex(reference), origin, toComplex(value), origin);
    // A gain of exactly 0 has no level in dB; it shows as minus infinity.
    points_.push_back({frequency, 20.0 * std::log10(gain), phase});
}

bool AcMeasures::At(double frequency, double& gainDb, double& phaseDegrees) const {
    for (std::size_t i = 0; i < points_.size(); ++i) {
        const Point& upper = points_[i];
        if (upper.frequency < frequency) continue;
        if (upper.frequency == frequency || i == 0) {
            if (upper.frequency != frequency) return false;
            gainDb = upper.gainDb;
            phaseDegrees = upper.phase;
            return true;
        }
        const Point& lower = points_[i - 1];
        // A linear sweep may start at 0 Hz, which has no logarithm.
        const bool logarithmic = lower.frequency > 0.0;
        const double x0 = logarithmic ? std::log10(lower.frequency) : lower.frequency;
        const double x1 = logarithmic ? std::log10(upper.frequency) : upper.frequency;
        const double x = logarithmic ? std::log10(frequency) : frequency;
        gainDb = interpolate(x0, lower.gainDb, x1, upper.gainDb, x);
        phaseDegrees = interpolate(x0, lower.phase, x1, upper.phase, x);
        return true;
    }
    return false;
}

}  // namespace veltsim
