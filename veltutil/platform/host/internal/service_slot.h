#pragma once

#include <functional>
#include <utility>

// Modal questions (message boxes, file dialogs, pop-up menus, help requests) each go through
// one replaceable service: a program or a test installs a function that answers, and without
// one the question gets the answer it would get with nobody at the terminal.

namespace veltutil::detail {

// The slot of one service. Each service's .cpp owns the only instance, so the slot lives in
// velthost and every module of the process asks the same service.
template <class Request, class Reply, Reply (*DefaultReply)(const Request&)>
class ServiceSlot {
public:
    using Service = std::function<Reply(const Request&)>;

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

}  // namespace veltutil::detail
