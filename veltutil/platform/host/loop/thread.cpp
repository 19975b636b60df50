#include "veltutil/platform/host/loop/thread.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace {

struct Completion {
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
};

// The completion record is shared with the thread, so that a handle closed early does not
// pull it from under a thread that is still running.
struct ThreadObject {
    std::shared_ptr<Completion> completion = std::make_shared<Completion>();
    std::thread thread;
};

ThreadObject* objectOf(HANDLE handle) { return static_cast<ThreadObject*>(handle); }

}  // namespace

HANDLE CreateThread(LPTHREAD_START_ROUTINE start, void* parameter) {
    if (start == nullptr) return nullptr;
    auto object = std::make_unique<ThreadObject>();
    try {
        object->thread = std::thread([completion = object->completion, start, parameter] {
            start(parameter);
            std::lock_guard lock(completion->mutex);
            completion->done = true;
            completion->ended.notify_all();
        });
    } catch (const std::system_error&) {
        return nullptr;
    }
    return object.release();
}

DWORD WaitForSingleObject(HANDLE thread, DWORD milliseconds) {
    ThreadObject* object = objectOf(thread);
    if (object == nullptr) return WAIT_FAILED;
    Completion& completion = *object->completion;
    std::unique_lock lock(completion.mutex);
    auto isDone = [&completion] { return completion.done; };
    if (milliseconds == INFINITE) {
        completion.ended.wait(lock, isDone);
        return WAIT_OBJECT_0;
    }
    return completion.ended.wait_for(lock, std::chrono::milliseconds(milliseconds), isDone) ? WAIT_OBJECT_0
                                                                                            : WAIT_TIMEOUT;
}

BOOL CloseHandle(HANDLE thread) {
    ThreadObject* object = objectOf(thread);
    if (object == nullptr) return FALSE;
    bool done = WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
    if (done) {
        object->thread.join();
    } else {
        object->thread.detach();
    }
    delete object;
    return TRUE;
}
