#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "plotmodel/axis_scale.h"

// A summary of one trace's Y values for drawing it at any zoom in time proportional to the
// pixel columns, not to the samples: levels of per-block lowest and highest samples, kept by
// index so that a one-sample spike is found at every level. The pyramid does not own the
// samples; each call takes the trace's arrays as they are now, and Update must have seen them
// since they last changed. Extra memory is about one byte per sample.
//
// NaN and the infinities are gaps: never a lowest or highest sample, never in the extremes.

namespace plotmodel {

class MinMaxPyramid {
public:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    // Indices of the lowest and highest finite Y of some samples; kNone when there is none.
    struct Extremes {
        std::uint32_t min = kNone, max = kNone;
    };

    // What one pixel column holds: its first and last finite sample (the ends that lines to
    // the neighbouring columns start from), and its lowest and highest.
    struct Column {
        std::uint32_t first = kNone, last = kNone;
        Extremes extremes;
    };

    MinMaxPyramid() { Reset(); }

    // Catches up with the trace: samples past Count() are added. A trace that got shorter, or
    // whose last summarised sample changed (its points were replaced), is summarised anew.
    void Update(const double* xs, const double* ys, std::size_t count);

    std::size_t Count() const { return count_; }
    // Counts the times the summary started over, so that a picture drawn from it can tell.
    unsigned Generation() const { return generation_; }
    // Every X finite, none below the one before, and few enough samples to index: only then
    // can columns be found by X. Otherwise the trace is drawn by plain decimation.
    bool Monotonic() const { return monotonic_; }
    // The extremes of the samples [begin, end), end <= Count().
    Extremes Find(const double* ys, std::size_t begin, std::size_t end) const;
    // The finite X and Y values' extremes (lo > hi when there are none), and the smallest
    // positive ones, which a logarithmic axis shows from (NaN when there are none).
    Range XRange() const { return x_; }
    Range YRange() const { return y_; }
    double LeastPositiveX() const { return leastPositiveX_; }
    double LeastPositiveY() const { return leastPositiveY_; }
    // The bytes that the summary takes beside the samples.
    std::size_t Bytes() const;

    // The samples of each column between consecutive `edges` (ascending X values; column k
    // holds the samples with edges[k] <= x < edges[k + 1]). Monotonic traces only.
    std::vector<Column> Columns(const double* xs, const double* ys, const std::vector<double>& edges) const;

private:
    void Reset();
    void Merge(Extremes& into, const Extremes& from, const double* ys) const;
    void Rebuild(std::size_t level, std::size_t fromBlock, const double* ys);

    std::vector<std::vector<Extremes>> levels_;  // level k: blocks of kBlock << k samples
    std::size_t count_ = 0;
    unsigned generation_ = 0;
    double lastX_ = 0, lastY_ = 0;  // the last sample summarised, to notice replaced points
    bool monotonic_ = true;
    Range x_{}, y_{};
    double leastPositiveX_ = 0, leastPositiveY_ = 0;
};

// The first of `count` ascending X values that is not below x.
std::size_t LowerBound(const double* xs, std::size_t count, double x);

}  // namespace plotmodel
