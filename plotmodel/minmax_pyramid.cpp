#include "plotmodel/minmax_pyramid.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

namespace plotmodel {

namespace {

// Samples per block of the lowest level: a query scans at most this many samples at each
// end, and the levels take 8 bytes per block, so about a byte per sample in all.
constexpr std::size_t kBlock = 16;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr Range kNoRange{std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};

bool sameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

void widen(Range& range, double value) {
    range.lo = std::min(range.lo, value);
    range.hi = std::max(range.hi, value);
}

double leastPositive(double least, double value) {
    return value > 0 && !(value >= least) ? value : least;
}

}  // namespace

void MinMaxPyramid::Reset() {
    levels_.clear();
    count_ = 0;
    ++generation_;
    monotonic_ = true;
    x_ = y_ = kNoRange;
    leastPositiveX_ = leastPositiveY_ = kNaN;
}

void MinMaxPyramid::Merge(Extremes& into, const Extremes& from, const double* ys) const {
    if (from.min != kNone && (into.min == kNone || ys[from.min] < ys[into.min])) into.min = from.min;
    if (from.max != kNone && (into.max == kNone || ys[from.max] > ys[into.max])) into.max = from.max;
}

// Recomputes the blocks of `level` from `fromBlock` on out of the level below.
void MinMaxPyramid::Rebuild(std::size_t level, std::size_t fromBlock, const double* ys) {
    const std::vector<Extremes>& below = levels_[level - 1];
    std::vector<Extremes>& blocks = levels_[level];
    blocks.resize((below.size() + 1) / 2);
    for (std::size_t block = fromBlock; block < blocks.size(); ++block) {
        Extremes merged = below[2 * block];
        if (2 * block + 1 < below.size()) Merge(merged, below[2 * block + 1], ys);
        blocks[block] = merged;
    }
}

void MinMaxPyramid::Update(const double* xs, const double* ys, std::size_t count) {
    if (count < count_ || (count_ > 0 && !(sameBits(xs[count_ - 1], lastX_) && sameBits(ys[count_ - 1], lastY_))) ||
        levels_.empty())
        Reset();
    if (count == count_) return;
    if (levels_.empty()) levels_.emplace_back();
    std::size_t from = count_;
    std::vector<Extremes>& base = levels_[0];
    base.resize((count + kBlock - 1) / kBlock);
    for (std::size_t i = from; i < count; ++i) {
        double x = xs[i], y = ys[i];
        if (!std::isfinite(x) || (i > 0 && x < xs[i - 1])) monotonic_ = false;
        if (std::isfinite(x)) {
            widen(x_, x);
            leastPositiveX_ = leastPositive(leastPositiveX_, x);
        }
        if (!std::isfinite(y)) continue;
        widen(y_, y);
        leastPositiveY_ = leastPositive(leastPositiveY_, y);
        Merge(base[i / kBlock], {static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(i)}, ys);
    }
    if (count >= kNone) monotonic_ = false;
    // The levels above change from the block that held the first new sample onwards.
    std::size_t block = from / kBlock;
    for (std::size_t level = 1; levels_[level - 1].size() > 1; ++level) {
        if (levels_.size() <= level) levels_.emplace_back();
        block /= 2;
        Rebuild(level, block, ys);
    }
    count_ = count;
    lastX_ = xs[count - 1];
    lastY_ = ys[count - 1];
}

MinMaxPyramid::Extremes MinMaxPyramid::Find(const double* ys, std::size_t begin, std::size_t end) const {
    Extremes found;
    auto scan = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i)
            if (std::isfinite(ys[i])) Merge(found, {static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(i)}, ys);
    };
    std::size_t first = (begin + kBlock - 1) / kBlock, last = end / kBlock;  // whole blocks [first, last)
    if (first >= last) {
        scan(begin, end);
        return found;
    }
    scan(begin, first * kBlock);
    scan(last * kBlock, end);
    // Bottom-up over the levels: an odd block at either end is taken whole, the rest are
    // covered by their parents.
    for (std::size_t level = 0; first < last; ++level, first /= 2, last /= 2) {
        const std::vector<Extremes>& blocks = levels_[level];
        if (first % 2 == 1) Merge(found, blocks[first++], ys);
        if (last % 2 == 1) Merge(found, blocks[--last], ys);
    }
    return found;
}

std::size_t MinMaxPyramid::Bytes() const {
    std::size_t bytes = 0;
    for (const std::vector<Extremes>& level : levels_) bytes += level.capacity() * sizeof(Extremes);
    return bytes;
}

std::vector<MinMaxPyramid::Column> MinMaxPyramid::Columns(const double* xs, const double* ys,
                                                          const std::vector<double>& edges) const {
    std::vector<Column> columns(edges.empty() ? 0 : edges.size() - 1);
    std::size_t begin = LowerBound(xs, count_, edges.empty() ? 0 : edges[0]);
    for (std::size_t k = 0; k < columns.size(); ++k) {
        std::size_t end = std::max(begin, LowerBound(xs, count_, edges[k + 1]));
        Column& column = columns[k];
        column.extremes = Find(ys, begin, end);
        // A column with a finite sample has its ends at or before its lowest and after it.
        if (column.extremes.min != kNone) {
            std::size_t first = begin, last = end - 1;
            while (!std::isfinite(ys[first])) ++first;
            while (!std::isfinite(ys[last])) --last;
            column.first = static_cast<std::uint32_t>(first);
            column.last = static_cast<std::uint32_t>(last);
        }
        begin = end;
    }
    return columns;
}

std::size_t LowerBound(const double* xs, std::size_t count, double x) {
    return static_cast<std::size_t>(std::lower_bound(xs, xs + count, x) - xs);
}

}  // namespace plotmodel
