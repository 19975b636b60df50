#pragma once

#include <atomic>

#include "veltutil/platform/host/loop/thread.h"
#include "veltutil/platform/host/win_types.h"

namespace veltutil::detail {

// The front end's tone: a worker thread beeping one frequency in 200 ms beeps back to back
// until it sees the stop flag. The flag is the only thing the worker shares with the user-
// interface thread. There is one tone for the whole library, so every front end starts and
// stops the same one; it is never destroyed, and its worker is stopped at the latest when the
// library is unloaded.
class Tone {
public:
    static Tone& Global();

    Tone() = default;
    ~Tone() { StopAndWait(); }
    Tone(const Tone&) = delete;
    Tone& operator=(const Tone&) = delete;

    // Does nothing while a tone sounds. A worker still finishing its last beep after a stop is
    // waited for first, so that two workers never beep at once.
    void Start(DWORD frequency);
    // The worker ends after its current beep.
    void Stop() { stop_.store(true); }
    // Stops and returns once the worker has ended: nothing outlives the caller.
    void StopAndWait();
    bool Sounding() const { return !stop_.load(); }

private:
    static DWORD run(void* self);
    void joinWorker();

    std::atomic<bool> stop_{true};
    DWORD frequency_ = 0;
    HANDLE worker_ = nullptr;
};

}  // namespace veltutil::detail
