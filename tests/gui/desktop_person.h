#pragma once

#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "desktop.h"

namespace veltsimtest {

// A person at the desktop while it runs its own loop: each step waits until what it looks for
// is there, then acts, as real input on the widgets. A Qt timer looks every 10 ms; it fires
// wherever the host's loop waits or a run yields, so the person acts also during a run. A
// step that waits longer than 60 s fails the check, and the person quits, so that a fault
// fails and never hangs.
class DesktopPerson {
public:
    using Check = std::function<bool()>;
    using Act = std::function<void()>;

    DesktopPerson& Then(std::string what, Check until, Act act) {
        steps_.push_back({std::move(what), std::move(until), std::move(act)});
        return *this;
    }

    // Runs the desktop to its end with these steps; its exit status.
    int Run(veltsim::gui::Desktop& desktop) {
        QTimer timer;
        std::size_t next = 0;
        auto since = std::chrono::steady_clock::now();
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (next >= steps_.size()) return;
            Step& step = steps_[next];
            if (step.until()) {
                ++next;
                since = std::chrono::steady_clock::now();
                step.act();
            } else if (std::chrono::steady_clock::now() - since > std::chrono::seconds(60)) {
                ADD_FAILURE() << "waited in vain for: " << step.what;
                next = steps_.size();
                PostTypedText(*desktop.GetSession().Log().GetDialog()->GetCommandEntry(), "quit\r");
            }
        });
        timer.start(10);
        const int status = desktop.Execute();
        EXPECT_EQ(next, steps_.size()) << "the session ended before: " << (next < steps_.size() ? steps_[next].what : "");
        return status;
    }

private:
    struct Step {
        std::string what;
        Check until;
        Act act;
    };
    std::vector<Step> steps_;
};

}  // namespace veltsimtest
