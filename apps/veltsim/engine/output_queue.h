#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "engine_protocol.h"

namespace veltsim::engine {

// The engine's side of the socket: messages from any thread go out in the order they were
// handed over, written by a thread of its own, so that ngspice's thread only copies a step and
// goes on. Steps are gathered into one kRows message for at most kGather, or until kBatch bytes
// wait: a write, a read and a wake per step would cost more system time than ngspice's own work
// on a small circuit. Every other message (text, a plot start, the end, a reply) goes at once,
// with the steps before it.
//
// At most kCapacity bytes wait: ngspice's thread then waits for the writer, as the simulator
// holds a paused run by not reading. Other messages never wait. Once the simulator is gone,
// everything is dropped.
class OutputQueue {
public:
    explicit OutputQueue(int fd);
    OutputQueue(const OutputQueue&) = delete;
    OutputQueue& operator=(const OutputQueue&) = delete;
    // Writes what waits, then ends the writer.
    ~OutputQueue();

    void Send(Kind kind, std::string_view payload);
    void SendRow(const double* values, std::size_t width);
    // Returns once everything handed over is written (or the simulator is gone).
    void Flush();

private:
    static constexpr std::size_t kCapacity = std::size_t{1} << 20;
    static constexpr std::size_t kBatch = std::size_t{1} << 15;
    static constexpr std::chrono::milliseconds kGather{1};
    static constexpr std::size_t kNoRows = static_cast<std::size_t>(-1);

    void writeLoop();

    int fd_;
    std::mutex mutex_;
    std::condition_variable ready_;    // the writer waits for messages
    std::condition_variable written_;  // producers wait for room or for a flush
    std::string pending_;
    // Where in pending_ the last message starts when it is a kRows one. Steps of one width
    // follow each other: a plot of another width is announced by a message of its own.
    std::size_t rowsAt_ = kNoRows;
    bool writing_ = false;
    bool writerWaiting_ = false;
    bool urgent_ = false;  // a message other than steps waits
    bool closing_ = false;
    bool broken_ = false;
    std::thread writer_;
};

}  // namespace veltsim::engine
