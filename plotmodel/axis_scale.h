#pragma once

#include <string>
#include <vector>

// Axis arithmetic: mapping values to pixels, linearly or by their logarithm, and choosing the
// ticks and their labels.

namespace plotmodel {

struct Range {
    double lo, hi;
};

class AxisScale {
public:
    // `range` must be finite with lo < hi, and positive for a logarithmic scale (DisplayRange
    // gives such ranges); pixelLo is where lo lands, pixelHi where hi does.
    AxisScale(Range range, bool logarithmic, double pixelLo, double pixelHi);

    // NaN for a value that the scale cannot show (not finite, or not positive on a log scale).
    double ToPixel(double value) const;
    // The value that lands on `pixel`; the inverse of ToPixel.
    double FromPixel(double pixel) const;
    Range GetRange() const { return range_; }
    bool Logarithmic() const { return logarithmic_; }

private:
    Range range_;
    bool logarithmic_;
    double pixelLo_, factor_, offset_;
};

// The range an axis shows, from the range the client set (or, with autoRange, the data's
// extremes; either may be missing: lo > hi). Degenerate and empty ranges are widened, a log
// range is kept positive, and an automatic Y range gets a twentieth of its span as margin on
// each side so that the extremes do not sit on the frame.
Range DisplayRange(Range wanted, bool logarithmic, bool margin);

struct Tick {
    double value;
    std::string label;  // empty for an unlabelled (minor) tick
};

// Ticks at 1, 2, 2.5 or 5 times a power of ten, at most maxLabels + 1 of them, all labelled.
// LinearTicks({0, 1e-3}, 5) -> 0, 200u, 400u, 600u, 800u, 1m.
std::vector<Tick> LinearTicks(Range range, int maxLabels);

// Decades, labelled (every n-th when there are more than maxLabels), with unlabelled ticks at
// 2 to 9 times each decade when few decades are shown; a range of less than two decades gets
// labels at 2 and 5 times the decades too, and one too short for two labels falls back to the
// linear ticks. LogTicks({1, 1000}, 8) -> 1, 10, 100, 1k with minor ticks between.
std::vector<Tick> LogTicks(Range range, int maxLabels);

}  // namespace plotmodel
