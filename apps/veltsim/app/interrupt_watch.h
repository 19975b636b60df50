#pragma once

#include <signal.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include <veltutil/veltutil.h>

#include "message_window.h"

namespace veltsim {

// Ctrl-C for the user-interface thread. SIGINT is blocked in the thread that starts the watch,
// and so in every thread started from it afterwards (ngspice's too), and taken by a thread of
// the watch with sigtimedwait: whatever handler ngspice installs for it never runs, and no
// code runs in a signal handler at all. The watch's thread posts a message to a window of the
// starting thread, whose handler calls `onInterrupt` with the tick count at which the signal
// came; the message is taken wherever that thread pumps, in its loop or in the pause query's
// yield while a simulation runs. One watch at a time per process: the signal is process-wide.
class InterruptWatch {
public:
    using Handler = std::function<void(DWORD tick)>;

    InterruptWatch();
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;
    ~InterruptWatch();

    void Start(Handler onInterrupt);
    // Stops the thread (it looks every 50 ms), drops an interrupt not taken yet and unblocks
    // SIGINT in the starting thread again.
    void Stop();

private:
    void Watch(HWND target);

    std::unique_ptr<MessageWindow> window_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    sigset_t previousMask_{};
};

}  // namespace veltsim
