#pragma once

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

#include "run_status.h"

namespace veltsim::gui {

// The run as the status bar shows it: how far the analysis has got (simulated time over the
// stop time), steps per second, the time since it began, and whether it is held.
class RunStatusBar {
public:
    explicit RunStatusBar(QStatusBar& bar);

    void Show(const RunStatus& status, const RunPace& pace);

    QProgressBar& Progress() { return *progress_; }
    QLabel& State() { return *state_; }

    static constexpr int kProgressSteps = 1000;

private:
    QProgressBar* progress_;
    QLabel* rate_;
    QLabel* elapsed_;
    QLabel* state_;
};

}  // namespace veltsim::gui
