#include "veltutil/platform/host/message_queue.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "veltutil/platform/host/window_registry.h"
#include "veltutil/platform/host/wnd.h"

namespace {

class MessageQueue {
public:
    // A message put at the front is the next one read, as a character made from a key press is.
    void Post(const MSG& msg, bool atFront = false) {
        {
            std::lock_guard lock(mutex_);
            if (atFront) {
                messages_.push_front(msg);
            } else {
                messages_.push_back(msg);
            }
        }
        arrived_.notify_all();
    }

    void PostQuit(int exitCode) {
        {
            std::lock_guard lock(mutex_);
            quitPending_ = true;
            quitCode_ = exitCode;
        }
        arrived_.notify_all();
    }

    bool Peek(MSG& out, HWND hwnd, UINT first, UINT last, bool remove) {
        std::lock_guard lock(mutex_);
        return TakeLocked(out, hwnd, first, last, remove);
    }

    void Get(MSG& out, HWND hwnd, UINT first, UINT last) {
        std::unique_lock lock(mutex_);
        arrived_.wait(lock, [&] { return TakeLocked(out, hwnd, first, last, true); });
    }

    // True when a message arrived within the time-out.
    bool WaitForInput(DWORD milliseconds) {
        std::unique_lock lock(mutex_);
        auto ready = [this] { return !messages_.empty() || quitPending_; };
        if (milliseconds == INFINITE) {
            arrived_.wait(lock, ready);
            return true;
        }
        return arrived_.wait_for(lock, std::chrono::milliseconds(milliseconds), ready);
    }

private:
    static bool Matches(const MSG& msg, HWND hwnd, UINT first, UINT last) {
        if (hwnd && msg.hwnd != hwnd) return false;
        if (first == 0 && last == 0) return true;
        return msg.message >= first && msg.message <= last;
    }

    bool TakeLocked(MSG& out, HWND hwnd, UINT first, UINT last, bool remove) {
        for (auto it = messages_.begin(); it != messages_.end(); ++it) {
            if (!Matches(*it, hwnd, first, last)) continue;
            out = *it;
            if (remove) messages_.erase(it);
            return true;
        }
        // The quit request is not a queued message: it is seen once the queue holds nothing else.
        if (!quitPending_ || !messages_.empty()) return false;
        out = MSG{};
        out.message = WM_QUIT;
        out.wParam = static_cast<WPARAM>(quitCode_);
        out.time = GetTickCount();
        if (remove) quitPending_ = false;
        return true;
    }

    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<MSG> messages_;
    bool quitPending_ = false;
    int quitCode_ = 0;
};

struct QueueDirectory {
    std::mutex mutex;
    std::unordered_map<DWORD, std::weak_ptr<MessageQueue>> queues;
};

QueueDirectory& directory() {
    // Never destroyed: thread-exit code may still look queues up during process exit.
    static QueueDirectory* instance = new QueueDirectory;
    return *instance;
}

// Keeps the current thread's queue alive for the thread's lifetime and listed while it lives.
struct ThreadQueue {
    ThreadQueue() : id(NextThreadId()), queue(std::make_shared<MessageQueue>()) {
        QueueDirectory& d = directory();
        std::lock_guard lock(d.mutex);
        d.queues[id] = queue;
    }
    ~ThreadQueue() {
        QueueDirectory& d = directory();
        std::lock_guard lock(d.mutex);
        d.queues.erase(id);
    }
    static DWORD NextThreadId() {
        static std::atomic<DWORD> last{0};
        return ++last;
    }

    DWORD id;
    std::shared_ptr<MessageQueue> queue;
};

ThreadQueue& currentThread() {
    thread_local ThreadQueue thread;
    return thread;
}

std::shared_ptr<MessageQueue> queueOf(DWORD threadId) {
    if (threadId == currentThread().id) return currentThread().queue;
    QueueDirectory& d = directory();
    std::lock_guard lock(d.mutex);
    auto it = d.queues.find(threadId);
    return it == d.queues.end() ? nullptr : it->second.lock();
}

MSG makeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg;
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = GetTickCount();
    return msg;
}

char typedCharacter(UINT virtualKey) {
    switch (virtualKey) {
    case VK_BACK: return '\b';
    case VK_TAB: return '\t';
    case VK_RETURN: return '\r';
    case VK_ESCAPE: return '\x1b';
    default: break;
    }
    // Letter keys type lower case: the headless keyboard has no shift state.
    if (virtualKey >= 'A' && virtualKey <= 'Z') return static_cast<char>(virtualKey - 'A' + 'a');
    if (virtualKey == ' ' || (virtualKey >= '0' && virtualKey <= '9')) return static_cast<char>(virtualKey);
    return '\0';
}

}  // namespace

DWORD GetCurrentThreadId() { return currentThread().id; }

DWORD GetTickCount() {
    using namespace std::chrono;
    auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<DWORD>(ms);
}

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD threadId = GetCurrentThreadId();
    if (hwnd && !veltutil::detail::WindowThread(hwnd, threadId)) return FALSE;
    auto queue = queueOf(threadId);
    if (!queue) return FALSE;
    queue->Post(makeMessage(hwnd, message, wParam, lParam));
    return TRUE;
}

BOOL PostThreadMessage(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
    auto queue = queueOf(threadId);
    if (!queue) return FALSE;
    queue->Post(makeMessage(nullptr, message, wParam, lParam));
    return TRUE;
}

void PostQuitMessage(int exitCode) { currentThread().queue->PostQuit(exitCode); }

BOOL PeekMessage(MSG* msg, HWND hwnd, UINT first, UINT last, UINT remove) {
    MSG found;
    if (!currentThread().queue->Peek(found, hwnd, first, last, (remove & PM_REMOVE) != 0)) return FALSE;
    if (msg) *msg = found;
    return TRUE;
}

BOOL GetMessage(MSG* msg, HWND hwnd, UINT first, UINT last) {
    if (!msg) return -1;
    currentThread().queue->Get(*msg, hwnd, first, last);
    return msg->message == WM_QUIT ? 0 : 1;
}

BOOL TranslateMessage(const MSG* msg) {
    if (!msg || msg->message != WM_KEYDOWN) return FALSE;
    char ch = typedCharacter(static_cast<UINT>(msg->wParam));
    if (ch == '\0') return FALSE;
    currentThread().queue->Post(makeMessage(msg->hwnd, WM_CHAR, static_cast<unsigned char>(ch), msg->lParam), true);
    return TRUE;
}

LRESULT DispatchMessage(const MSG* msg) {
    if (!msg) return 0;
    return SendMessage(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = veltutil::detail::WindowFromHandle(hwnd);
    return wnd ? wnd->SendMessage(message, wParam, lParam) : 0;
}

DWORD MsgWaitForMultipleObjectsEx(DWORD count, const HANDLE* /*handles*/, DWORD milliseconds, DWORD /*wakeMask*/,
                                  DWORD /*flags*/) {
    if (count != 0) return WAIT_FAILED;
    return currentThread().queue->WaitForInput(milliseconds) ? WAIT_OBJECT_0 + count : WAIT_TIMEOUT;
}
