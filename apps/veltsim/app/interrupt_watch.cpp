#include "interrupt_watch.h"

#include <ctime>

namespace veltsim {

namespace {

constexpr UINT kInterruptMessage = WM_USER + 2;
constexpr long kPollNs = 50'000'000;

sigset_t interruptSet() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    return set;
}

}  // namespace

InterruptWatch::InterruptWatch() = default;

InterruptWatch::~InterruptWatch() { Stop(); }

void InterruptWatch::Start(Handler onInterrupt) {
    if (window_) return;
    window_ = std::make_unique<MessageWindow>("veltsim interrupts", kInterruptMessage,
                                              [handler = std::move(onInterrupt)](WPARAM tick) { handler(static_cast<DWORD>(tick)); });
    const sigset_t interrupt = interruptSet();
    pthread_sigmask(SIG_BLOCK, &interrupt, &previousMask_);
    stop_ = false;
    thread_ = std::thread([this, target = window_->GetSafeHwnd()] { Watch(target); });
}

void InterruptWatch::Stop() {
    if (!window_) return;
    stop_ = true;
    thread_.join();
    const sigset_t interrupt = interruptSet();
    const timespec now{0, 0};
    while (sigtimedwait(&interrupt, nullptr, &now) == SIGINT) {
    }
    pthread_sigmask(SIG_SETMASK, &previousMask_, nullptr);
    window_.reset();
}

void InterruptWatch::Watch(HWND target) {
    const sigset_t interrupt = interruptSet();
    const timespec poll{0, kPollNs};
    while (!stop_) {
        if (sigtimedwait(&interrupt, nullptr, &poll) == SIGINT) PostMessage(target, kInterruptMessage, GetTickCount(), 0);
    }
}

}  // namespace veltsim
