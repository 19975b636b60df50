#include "transient_results.h"

#include <cmath>

namespace veltsim {

namespace {

// Steps that ngspice took alike differ in their last bits; steps it chose apart differ by far
// more. The rule's choice was matched on runs whose steps differ by 1e-15 (alike) and by 7e-5
// (apart) of their length.
constexpr double kEqualSteps = 1e-9;

bool equalSteps(double a, double b) { return std::abs(a - b) <= kEqualSteps * std::max(std::abs(a), std::abs(b)); }

}  // namespace

void TransientResults::Add(double x, double y) {
    const Point p{x, y};
    if (x >= window_.from && x <= window_.to) takeInside(p);
    if (!ended_ && start_) {
        coverOrEnd(p);
    } else if (!ended_ && x >= window_.from) {
        if (previous_) {
            // The window starts after the first step: at its edge, with an interpolated value.
            const Point& a = *previous_;
            cover({window_.from, a.y + (y - a.y) * (window_.from - a.x) / (x - a.x)});
            openingPair_ = true;
            if (x > window_.from) coverOrEnd(p);
        } else {
            cover(p);
        }
    }
    previous_ = p;
}

void TransientResults::takeInside(Point p) {
    if (points_ == 0) firstInside_ = p;
    if (points_ > 0) trapezoid_ += (p.x - lastInside_.x) * (p.y + lastInside_.y) / 2.0;
    lastInside_ = p;
    ++points_;
    min_ = std::min(min_, p.y);
    max_ = std::max(max_, p.y);
}

void TransientResults::coverOrEnd(Point p) {
    if (p.x < window_.to) {
        cover(p);
        return;
    }
    const Point& a = *previous_;
    cover({window_.to, a.y + (p.y - a.y) * (window_.to - a.x) / (p.x - a.x)});
    ended_ = true;
}

void TransientResults::cover(Point p) {
    if (!start_) start_ = p.x;
    last_ = p;
    pending_.push_back(p);
    integrate(pending_, openingPair_, sums_, false);
}

void TransientResults::integrate(std::vector<Point>& pending, bool& openingPair, Sums& sums, bool all) {
    auto add = [&](std::size_t from, std::size_t count, double width, std::initializer_list<double> weights) {
        std::size_t k = from;
        for (double weight : weights) {
            sums.value += width * weight * pending[k].y;
            sums.squares += width * weight * pending[k].y * pending[k].y;
            k += count;
        }
    };
    auto step = [&](std::size_t k) { return pending[k + 1].x - pending[k].x; };
    std::size_t i = 0;
    if (openingPair && (pending.size() >= 3 || (all && pending.size() == 2))) {
        // The first two intervals as one trapezoid over their ends.
        const std::size_t end = pending.size() >= 3 ? 2 : 1;
        add(0, end, (pending[end].x - pending[0].x) / 2.0, {1.0, 1.0});
        i = end;
        openingPair = false;
    }
    while (!openingPair && i + 1 < pending.size()) {
        const std::size_t intervals = pending.size() - 1 - i;
        if (intervals < 3 && !all) break;
        if (intervals >= 3 && equalSteps(step(i), step(i + 1)) && equalSteps(step(i + 1), step(i + 2))) {
            add(i, 1, (pending[i + 3].x - pending[i].x) / 8.0, {1.0, 3.0, 3.0, 1.0});
            i += 3;
        } else if (intervals >= 2 && equalSteps(step(i), step(i + 1))) {
            add(i, 1, (pending[i + 2].x - pending[i].x) / 6.0, {1.0, 4.0, 1.0});
            i += 2;
        } else {
            add(i, 1, step(i) / 2.0, {1.0, 1.0});
            i += 1;
        }
    }
    pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(i));
}

TransientResults::Sums TransientResults::integrals() const {
    std::vector<Point> pending = pending_;
    bool openingPair = openingPair_;
    Sums sums = sums_;
    integrate(pending, openingPair, sums, true);
    return sums;
}

std::optional<double> TransientResults::Average() const {
    if (points_ < 2) return std::nullopt;
    return trapezoid_ / (lastInside_.x - firstInside_.x);
}

double TransientResults::Rms() const {
    const double width = To() - From();
    return width > 0.0 ? std::sqrt(integrals().squares / width) : std::abs(last_ ? last_->y : 0.0);
}

}  // namespace veltsim
