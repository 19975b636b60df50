#include "veltutil/platform/host/loop/beep.h"

#include <chrono>
#include <mutex>
#include <thread>
#include <utility>

namespace {

struct BeepState {
    std::mutex mutex;
    BeepService service;
};

// Never destroyed: a beeping worker may still ask for the service while static objects are
// being destroyed at exit, until whoever started it has stopped it.
BeepState& state() {
    static BeepState* beeps = new BeepState;
    return *beeps;
}

}  // namespace

BeepService SetBeepService(BeepService service) {
    BeepState& beeps = state();
    std::lock_guard lock(beeps.mutex);
    return std::exchange(beeps.service, std::move(service));
}

BOOL Beep(DWORD frequency, DWORD duration) {
    BeepService service;
    {
        BeepState& beeps = state();
        std::lock_guard lock(beeps.mutex);
        service = beeps.service;
    }
    if (service) {
        service(frequency, duration);
    } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(duration));
    }
    return TRUE;
}
