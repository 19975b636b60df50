#pragma once

#include <atomic>
#include <memory>
#include <thread>

#include <veltutil/veltutil.h>

namespace veltsim {

// Reads lines from a file descriptor (standard input) on a thread of its own and types each
// into a window of the user-interface thread, character by character and then Return, by
// posting the messages that a keyboard would: a line typed while a simulation runs is
// answered within that run, when the simulator's pause query pumps the messages. At the end
// of the input it sets its flag and posts an empty message, so that the user-interface thread
// looks at it.
class InputReader {
public:
    InputReader() = default;
    InputReader(const InputReader&) = delete;
    InputReader& operator=(const InputReader&) = delete;
    ~InputReader() { Stop(); }

    void Start(int fd, HWND target);
    // Stops the thread (it looks for the request every 50 ms) and waits for it.
    void Stop();
    bool Ended() const { return ended_; }

private:
    void Read(int fd, HWND target);

    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> ended_{false};
};

}  // namespace veltsim
