#include "veltutil/framework/internal/tone.h"

#include "veltutil/platform/host/loop/beep.h"

namespace veltutil::detail {

namespace {

constexpr DWORD kBeepMilliseconds = 200;

// The global tone once something asked for it; constant-initialised, so it is null before
// any constructor of the library runs.
Tone* existing = nullptr;

// Stops the worker when the library is unloaded. Built when the library is loaded, it is
// destroyed after every static object of the program that uses the library. A program that
// never sounded a tone gets none made for it here.
struct StopAtUnload {
    ~StopAtUnload() {
        if (existing != nullptr) existing->StopAndWait();
    }
} stopAtUnload;

}  // namespace

// Never destroyed: every front end stops the tone when it is destroyed, and a front end of
// static storage duration may be destroyed at any point of static destruction.
Tone& Tone::Global() {
    static Tone* tone = existing = new Tone;
    return *tone;
}

void Tone::Start(DWORD frequency) {
    if (Sounding()) return;
    joinWorker();
    frequency_ = frequency;
    stop_.store(false);
    worker_ = CreateThread(&Tone::run, this);
    if (worker_ == nullptr) stop_.store(true);
}

void Tone::StopAndWait() {
    Stop();
    joinWorker();
}

DWORD Tone::run(void* self) {
    auto* tone = static_cast<Tone*>(self);
    while (!tone->stop_.load()) Beep(tone->frequency_, kBeepMilliseconds);
    return 0;
}

void Tone::joinWorker() {
    if (worker_ == nullptr) return;
    WaitForSingleObject(worker_, INFINITE);
    CloseHandle(worker_);
    worker_ = nullptr;
}

}  // namespace veltutil::detail
