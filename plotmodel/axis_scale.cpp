#include "plotmodel/axis_scale.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "plotmodel/eng_format.h"

namespace plotmodel {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// More ticks than this on one axis means the arithmetic has run out of precision.
constexpr double kMaxTickCount = 1000;

double niceStep(double span, int maxLabels) {
    double raw = span / std::max(maxLabels, 1);
    double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double multiple : {1.0, 2.0, 2.5, 5.0})
        if (multiple * power >= raw * (1 - 1e-12)) return multiple * power;
    return 10 * power;
}

// Labels at multiple × 10^k for each multiple and each decade inside the range.
std::vector<Tick> decadeMultiples(Range range, std::initializer_list<double> multiples, bool labelled) {
    std::vector<Tick> ticks;
    int first = static_cast<int>(std::floor(std::log10(range.lo)));
    int last = static_cast<int>(std::ceil(std::log10(range.hi)));
    for (int k = first; k <= last; ++k) {
        double decade = std::pow(10.0, k);
        for (double multiple : multiples) {
            double value = multiple * decade;
            if (value >= range.lo * (1 - 1e-12) && value <= range.hi * (1 + 1e-12))
                ticks.push_back({value, labelled ? EngineeringLabel(value, value) : std::string()});
        }
    }
    return ticks;
}

}  // namespace

AxisScale::AxisScale(Range range, bool logarithmic, double pixelLo, double pixelHi)
    : range_(range), logarithmic_(logarithmic), pixelLo_(pixelLo) {
    double lo = logarithmic ? std::log10(range.lo) : range.lo;
    double hi = logarithmic ? std::log10(range.hi) : range.hi;
    factor_ = (pixelHi - pixelLo) / (hi - lo);
    offset_ = lo;
}

double AxisScale::ToPixel(double value) const {
    if (!std::isfinite(value)) return kNaN;
    if (logarithmic_) {
        if (value <= 0) return kNaN;
        value = std::log10(value);
    }
    return pixelLo_ + (value - offset_) * factor_;
}

double AxisScale::FromPixel(double pixel) const {
    double value = offset_ + (pixel - pixelLo_) / factor_;
    return logarithmic_ ? std::pow(10.0, value) : value;
}

Range DisplayRange(Range wanted, bool logarithmic, bool margin) {
    double lo = wanted.lo, hi = wanted.hi;
    bool usable = std::isfinite(lo) && std::isfinite(hi) && lo <= hi && (!logarithmic || lo > 0);
    if (!usable) return logarithmic ? Range{1, 10} : Range{0, 1};
    if (logarithmic) {
        if (lo == hi) return {lo / 10, hi * 10};
        double ratio = margin ? std::pow(hi / lo, 0.05) : 1;
        return {lo / ratio, hi * ratio};
    }
    if (lo == hi) {
        double half = lo == 0 ? 1 : std::fabs(lo) * 0.1;
        return {lo - half, hi + half};
    }
    double pad = margin ? (hi - lo) * 0.05 : 0;
    Range result{lo - pad, hi + pad};
    // A span too small for doubles to tell its ends apart is widened around its middle.
    if (!(result.hi - result.lo > std::fabs(result.hi) * 1e-12)) {
        double half = std::fabs(result.hi) * 1e-9;
        return {lo - half, hi + half};
    }
    return result;
}

std::vector<Tick> LinearTicks(Range range, int maxLabels) {
    double step = niceStep(range.hi - range.lo, maxLabels);
    double first = std::ceil(range.lo / step - 1e-9), last = std::floor(range.hi / step + 1e-9);
    if (!std::isfinite(first) || !std::isfinite(last) || last - first > kMaxTickCount)
        return {{range.lo, EngineeringLabel(range.lo, range.hi - range.lo)},
                {range.hi, EngineeringLabel(range.hi, range.hi - range.lo)}};
    std::vector<Tick> ticks;
    for (double n = first; n <= last; ++n) ticks.push_back({n * step, EngineeringLabel(n * step, step)});
    return ticks;
}

std::vector<Tick> LogTicks(Range range, int maxLabels) {
    double decades = std::log10(range.hi) - std::log10(range.lo);
    std::vector<Tick> ticks;
    if (decades < 2) {
        ticks = decadeMultiples(range, {1, 2, 5}, true);
        if (ticks.size() < 2) return LinearTicks(range, maxLabels);
        for (Tick& tick : decadeMultiples(range, {3, 4, 6, 7, 8, 9}, false)) ticks.push_back(std::move(tick));
        return ticks;
    }
    int stride = static_cast<int>(std::ceil(decades / std::max(maxLabels, 1)));
    for (Tick& tick : decadeMultiples(range, {1}, true)) {
        int k = static_cast<int>(std::lround(std::log10(tick.value)));
        if (k % stride != 0) tick.label.clear();
        ticks.push_back(std::move(tick));
    }
    if (decades <= 8)
        for (Tick& tick : decadeMultiples(range, {2, 3, 4, 5, 6, 7, 8, 9}, false)) ticks.push_back(std::move(tick));
    return ticks;
}

}  // namespace plotmodel
