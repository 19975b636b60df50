#include "sweep_buffer.h"

#include <algorithm>

namespace veltsim {

void SweepBuffer::Add(double time, double a, double b) {
    samples_.push_back({time, a, b});
    while (samples_.size() > 2 && samples_.front().time < time - 2 * timeBase_) samples_.pop_front();
}

Sweep SweepBuffer::Find(double level, std::size_t maxPoints) const {
    Sweep sweep;
    if (samples_.empty()) return sweep;
    const double last = samples_.back().time;
    double start = last - timeBase_;
    for (std::size_t i = samples_.size() - 1; i > 0; --i) {
        const Sample& before = samples_[i - 1];
        const Sample& after = samples_[i];
        if (!(before.a < level && after.a >= level)) continue;
        const double crossing = before.time + (after.time - before.time) * (level - before.a) / (after.a - before.a);
        if (crossing + timeBase_ <= last) {
            start = crossing;
            sweep.triggered = true;
            break;
        }
    }
    const auto first = std::lower_bound(samples_.begin(), samples_.end(), start,
                                        [](const Sample& sample, double time) { return sample.time < time; });
    const auto end = std::upper_bound(first, samples_.end(), start + timeBase_,
                                      [](double time, const Sample& sample) { return time < sample.time; });
    const std::size_t count = static_cast<std::size_t>(end - first);
    const std::size_t picks = std::min(count, maxPoints);
    for (std::size_t k = 0; k < picks; ++k) {
        // Evenly spread, the first and the last sample among them.
        const std::size_t i = picks == 1 ? 0 : k * (count - 1) / (picks - 1);
        const Sample& sample = first[static_cast<std::ptrdiff_t>(i)];
        sweep.points.push_back({sample.time - start, sample.a, sample.b});
    }
    return sweep;
}

}  // namespace veltsim
