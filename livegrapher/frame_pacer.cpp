#include "livegrapher/frame_pacer.h"

#include <time.h>

namespace livegrapher {

bool FramePacer::TakeFrame(std::uint64_t page, std::chrono::nanoseconds now) {
    auto [slot, added] = next_.try_emplace(page, now);
    if (!added && now < slot->second) return false;
    slot->second = now + kFrame;
    return true;
}

std::chrono::nanoseconds FramePacer::Wait(std::uint64_t page, std::chrono::nanoseconds now) const {
    auto slot = next_.find(page);
    return slot == next_.end() || slot->second <= now ? std::chrono::nanoseconds{} : slot->second - now;
}

std::chrono::nanoseconds CoarseNow() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

}  // namespace livegrapher
