#pragma once

#include <deque>
#include <functional>
#include <utility>
#include <vector>

// Modal questions (message boxes, file dialogs, pop-up menus, help requests) each go through
// one replaceable service: a program or a test installs a function that answers, and without
// one the question gets the answer it would get with nobody at the terminal.

namespace veltutil::detail {

template <class Request, class Reply>
using ServiceFunction = std::function<Reply(const Request&)>;

// The slot of one service. Each service's .cpp owns the only instance, so the slot lives in
// velthost and every module of the process asks the same service.
template <class Request, class Reply, Reply (*DefaultReply)(const Request&)>
class ServiceSlot {
public:
    using Service = ServiceFunction<Request, Reply>;

    // Installs `service` and returns the one it replaces; an empty service restores the default.
    Service Replace(Service service) { return std::exchange(service_, std::move(service)); }
    Reply Ask(const Request& request) const { return service_ ? service_(request) : DefaultReply(request); }

private:
    Service service_;
};

// Default replies that do not depend on the request: a value-initialised Reply, or a fixed one.
template <class Request, class Reply>
Reply EmptyReply(const Request&) {
    return Reply{};
}

template <class Request, class Reply, Reply value>
Reply FixedReply(const Request&) {
    return value;
}

// For tests and scripted sessions: installs itself through `Install`, answers from a queue
// (`Unscripted` once the queue is empty) and records every request. Restores the previous
// service when destroyed.
template <class Request, class Reply, ServiceFunction<Request, Reply> (*Install)(ServiceFunction<Request, Reply>),
          Reply (*Unscripted)(const Request&)>
class ScriptedService {
public:
    ScriptedService() : previous_(Install([this](const Request& request) { return reply(request); })) {}
    ~ScriptedService() { Install(std::move(previous_)); }
    ScriptedService(const ScriptedService&) = delete;
    ScriptedService& operator=(const ScriptedService&) = delete;

    void Answer(Reply answer) { answers_.push_back(std::move(answer)); }
    const std::vector<Request>& Requests() const { return requests_; }

private:
    Reply reply(const Request& request) {
        requests_.push_back(request);
        if (answers_.empty()) return Unscripted(request);
        Reply answer = std::move(answers_.front());
        answers_.pop_front();
        return answer;
    }

    std::deque<Reply> answers_;
    std::vector<Request> requests_;
    ServiceFunction<Request, Reply> previous_;  // last: the queues exist before `this` is handed out
};

}  // namespace veltutil::detail
