#pragma once

#include <cstddef>
#include <limits>
#include <optional>
#include <vector>

#include "signal_measures.h"

namespace veltsim {

// Minimum, maximum, peak-to-peak, average, RMS and integral of one real signal over a window,
// fed one accepted step at a time and computed as ngspice 39's .meas computes them over the
// same FROM and TO, so that the figures agree with it to its last printed digit. What follows
// was found by measuring ngspice, not from its documentation.
//
// MIN, MAX, PP and AVG read the steps inside the window only (both edges included), AVG as
// their trapezoidal integral over the time from the first of them to the last. INTEG and RMS
// read the window from edge to edge, with values interpolated linearly at an edge that falls
// between steps, and integrate it with a composite rule: three equal intervals in a row by
// Simpson's 3/8 rule, else two by Simpson's 1/3 rule, else one by the trapezoidal rule; a
// window that starts after the first step has its first two intervals taken as one trapezoid
// over their ends, the point between them left out. RMS is the square root of the integral of
// the square over the window's width.
class TransientResults {
public:
    explicit TransientResults(MeasureWindow window = {}) : window_(window) {}

    void Add(double x, double y);

    // Whether any of the window has been covered yet.
    bool Started() const { return start_.has_value(); }
    // Steps inside the window: MIN, MAX and PP need one, AVG two.
    std::size_t Points() const { return points_; }
    // The stretch that INTEG and RMS cover: the window, cut to the steps taken so far.
    double From() const { return start_.value_or(0.0); }
    double To() const { return last_ ? last_->x : From(); }
    double Min() const { return min_; }
    double Max() const { return max_; }
    double PeakToPeak() const { return max_ - min_; }
    std::optional<double> Average() const;
    double Integral() const { return integrals().value; }
    double Rms() const;

private:
    struct Point {
        double x, y;
    };
    struct Sums {
        double value = 0.0;    // integral of the signal
        double squares = 0.0;  // integral of its square
    };

    void takeInside(Point p);
    void coverOrEnd(Point p);
    void cover(Point p);
    // Integrates the points of `pending` as far as the rule is decided, keeping the last point
    // it reached and those after it; with `all`, to the end (the window ends there).
    static void integrate(std::vector<Point>& pending, bool& openingPair, Sums& sums, bool all);
    Sums integrals() const;

    MeasureWindow window_;
    std::optional<Point> previous_;  // the last step, inside the window or not
    bool ended_ = false;             // the window's end has been covered
    // INTEG and RMS: where the covered stretch starts and ends, the points not yet integrated,
    // and what the rule has integrated so far.
    std::optional<double> start_;
    std::optional<Point> last_;
    std::vector<Point> pending_;
    bool openingPair_ = false;
    Sums sums_;
    // MIN, MAX, PP and AVG over the steps inside the window.
    std::size_t points_ = 0;
    Point firstInside_{};
    Point lastInside_{};
    double trapezoid_ = 0.0;
    double min_ = std::numeric_limits<double>::infinity();
    double max_ = -std::numeric_limits<double>::infinity();
};

}  // namespace veltsim
