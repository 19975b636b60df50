#include "plotmodel/decimate.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace plotmodel {

namespace {

// Pixels this far beyond the plot are drawn where they are clipped anyway; keeping them within
// the bound keeps the numbers in the file short and finite.
constexpr double kFar = 1e5;

struct Sample {
    std::size_t index;
    Point point;
};

class ColumnRuns {
public:
    ColumnRuns(double left, double right) : left_(left), columns_(std::max<long>(1, std::lround(right - left))) {}

    long ColumnOf(double x) const {
        if (x < left_) return -1;
        return std::min(static_cast<long>(x - left_), columns_);
    }
    long Columns() const { return columns_; }

    // Adds the next drawable sample; returns the number of points emitted so far.
    std::size_t Add(std::size_t index, Point point, Polyline& out) {
        long column = ColumnOf(point.x);
        if (active_ && column == column_) {
            if (point.y < min_.point.y) min_ = {index, point};
            if (point.y > max_.point.y) max_ = {index, point};
            last_ = {index, point};
            return emitted_;
        }
        Flush(out);
        active_ = true;
        column_ = column;
        first_ = min_ = max_ = last_ = {index, point};
        return emitted_;
    }

    // Ends the current piece of the polyline.
    void Break(Polyline& out) {
        Flush(out);
        pieceOpen_ = false;
    }

    void Flush(Polyline& out) {
        if (!active_) return;
        active_ = false;
        if (!pieceOpen_) {
            out.emplace_back();
            pieceOpen_ = true;
        }
        Sample picks[4] = {first_, min_, max_, last_};
        std::sort(std::begin(picks), std::end(picks), [](const Sample& a, const Sample& b) { return a.index < b.index; });
        for (int i = 0; i < 4; ++i) {
            if (i > 0 && picks[i].index == picks[i - 1].index) continue;
            out.back().push_back(picks[i].point);
            ++emitted_;
        }
    }

private:
    double left_;
    long columns_;
    bool active_ = false, pieceOpen_ = false;
    long column_ = 0;
    Sample first_{}, min_{}, max_{}, last_{};
    std::size_t emitted_ = 0;
};

Point bounded(Point point) { return {std::clamp(point.x, -kFar, kFar), std::clamp(point.y, -kFar, kFar)}; }

bool drawable(Point point) { return !std::isnan(point.x) && !std::isnan(point.y); }

// The span of values in each column, as one short vertical stroke per column.
Polyline columnEnvelope(const double* xs, const double* ys, std::size_t count, const PixelMapping& mapping,
                        const ColumnRuns& runs, double left) {
    std::size_t slots = static_cast<std::size_t>(runs.Columns()) + 2;
    constexpr double inf = std::numeric_limits<double>::infinity();
    std::vector<double> lows(slots, inf), highs(slots, -inf);
    for (std::size_t i = 0; i < count; ++i) {
        Point point = mapping(xs[i], ys[i]);
        if (!drawable(point)) continue;
        point = bounded(point);
        std::size_t slot = static_cast<std::size_t>(runs.ColumnOf(point.x) + 1);
        lows[slot] = std::min(lows[slot], point.y);
        highs[slot] = std::max(highs[slot], point.y);
    }
    Polyline out;
    for (std::size_t slot = 1; slot + 1 < slots; ++slot) {
        if (lows[slot] > highs[slot]) continue;
        double x = left + static_cast<double>(slot - 1) + 0.5;
        out.push_back({{x, lows[slot] - 0.5}, {x, highs[slot] + 0.5}});
    }
    return out;
}

}  // namespace

Polyline Decimate(const double* xs, const double* ys, std::size_t count, const PixelMapping& mapping, double left,
                  double right, std::size_t maxPoints) {
    ColumnRuns runs(left, right);
    Polyline out;
    for (std::size_t i = 0; i < count; ++i) {
        Point point = mapping(xs[i], ys[i]);
        if (!drawable(point)) {
            runs.Break(out);
            continue;
        }
        if (runs.Add(i, bounded(point), out) > maxPoints) return columnEnvelope(xs, ys, count, mapping, runs, left);
    }
    runs.Flush(out);
    return out;
}

void ToSteps(std::vector<Point>& piece) {
    std::vector<Point> steps;
    steps.reserve(piece.size() * 2);
    for (std::size_t i = 0; i < piece.size(); ++i) {
        if (i > 0) steps.push_back({piece[i].x, piece[i - 1].y});
        steps.push_back(piece[i]);
    }
    piece.swap(steps);
}

}  // namespace plotmodel
