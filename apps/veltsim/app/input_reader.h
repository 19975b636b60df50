#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <veltutil/veltutil.h>

namespace veltsim {

// Reads lines from a file descriptor (standard input) on a thread of its own, for a window of
// the user-interface thread. Typing, it types each line into the window, character by
// character and then Return, by posting the messages that a keyboard would: a line typed
// while a simulation runs is answered within that run, when the simulator's pause query pumps
// the messages. Otherwise it keeps the lines for the user-interface thread to take (TakeLines)
// and posts an empty message to the window so that it looks. At the end of the input it sets
// its flag and posts an empty message too.
class InputReader {
public:
    enum class Mode { Type, Keep };

    InputReader() = default;
    InputReader(const InputReader&) = delete;
    InputReader& operator=(const InputReader&) = delete;
    ~InputReader() { Stop(); }

    void Start(int fd, HWND target, Mode mode);
    // Stops the thread (it looks for the request every 50 ms) and waits for it.
    void Stop();
    // Every line has been typed or kept by then.
    bool Ended() const { return ended_; }
    // The lines kept since the last call.
    std::vector<std::string> TakeLines();

private:
    void Read(int fd, HWND target, Mode mode);
    void Deliver(const std::string& line, HWND target, Mode mode);

    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> ended_{false};
    std::mutex mutex_;
    std::vector<std::string> kept_;
};

}  // namespace veltsim
