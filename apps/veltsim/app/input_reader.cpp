#include "input_reader.h"

#include <cerrno>

#include <poll.h>
#include <unistd.h>

#include <string>
#include <utility>

namespace veltsim {

namespace {

constexpr int kPollMs = 50;

void type(HWND target, const std::string& line) {
    for (char ch : line) {
        // The entry takes printable characters only; a tab separates words as a blank does.
        PostMessage(target, WM_CHAR, static_cast<unsigned char>(ch == '\t' ? ' ' : ch), 0);
    }
    PostMessage(target, WM_CHAR, '\r', 0);
}

}  // namespace

void InputReader::Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
}

void InputReader::Start(int fd, HWND target, Mode mode) {
    thread_ = std::thread([this, fd, target, mode] { Read(fd, target, mode); });
}

std::vector<std::string> InputReader::TakeLines() {
    std::lock_guard lock(mutex_);
    return std::exchange(kept_, {});
}

void InputReader::Deliver(const std::string& line, HWND target, Mode mode) {
    if (mode == Mode::Type) {
        type(target, line);
        return;
    }
    {
        std::lock_guard lock(mutex_);
        kept_.push_back(line);
    }
    PostMessage(target, WM_NULL, 0, 0);
}

void InputReader::Read(int fd, HWND target, Mode mode) {
    std::string pending;
    char buffer[4096];
    while (!stop_) {
        pollfd input{fd, POLLIN, 0};
        const int ready = poll(&input, 1, kPollMs);
        if (ready == 0 || (ready < 0 && errno == EINTR)) continue;
        const ssize_t got = ready < 0 ? -1 : read(fd, buffer, sizeof buffer);
        if (got <= 0) break;
        pending.append(buffer, static_cast<std::size_t>(got));
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1)) {
            std::string line = pending.substr(0, end);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            Deliver(line, target, mode);
        }
    }
    if (!pending.empty() && !stop_) Deliver(pending, target, mode);
    ended_ = true;
    PostMessage(target, WM_NULL, 0, 0);
}

}  // namespace veltsim
