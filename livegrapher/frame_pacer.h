#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <unordered_map>

// When a page's window may be brought up to date. A client that refreshes on every data call
// would otherwise redraw a page thousands of times a second: each page is shown at most once
// per frame (about 30 a second); a refresh inside a frame waits for the next one.

namespace livegrapher {

class FramePacer {
public:
    using Clock = std::function<std::chrono::nanoseconds()>;
    static constexpr std::chrono::nanoseconds kFrame{1'000'000'000 / 30};

    // True when the page may be shown at `now`; it then holds the frame that starts there.
    bool TakeFrame(std::uint64_t page, std::chrono::nanoseconds now);
    // The page was shown out of turn at `now` (a forced refresh): its frame starts again.
    void Shown(std::uint64_t page, std::chrono::nanoseconds now) { next_[page] = now + kFrame; }
    // How long after `now` the page may be shown again (zero: now).
    std::chrono::nanoseconds Wait(std::uint64_t page, std::chrono::nanoseconds now) const;
    void Forget(std::uint64_t page) { next_.erase(page); }

private:
    std::unordered_map<std::uint64_t, std::chrono::nanoseconds> next_;
};

// The monotonic clock at the kernel's coarse resolution (a few milliseconds, far below a frame):
// it is read on every paced refresh, which may be every data call.
std::chrono::nanoseconds CoarseNow();

}  // namespace livegrapher
