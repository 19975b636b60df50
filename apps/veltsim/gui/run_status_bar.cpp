#include "run_status_bar.h"

#include <cmath>

namespace veltsim::gui {

RunStatusBar::RunStatusBar(QStatusBar& bar)
    : progress_(new QProgressBar(&bar)), rate_(new QLabel(&bar)), elapsed_(new QLabel(&bar)), state_(new QLabel(&bar)) {
    progress_->setRange(0, kProgressSteps);
    progress_->setValue(0);
    progress_->setMaximumWidth(240);
    bar.addPermanentWidget(state_);
    bar.addPermanentWidget(rate_);
    bar.addPermanentWidget(elapsed_);
    bar.addPermanentWidget(progress_);
}

void RunStatusBar::Show(const RunStatus& status, const RunPace& pace) {
    const bool going = status.state != RunStatus::State::Stopped;
    // A run of an analysis without a span has no end to measure against: the bar says busy.
    if (going && !status.fraction) {
        progress_->setRange(0, 0);
    } else {
        progress_->setRange(0, kProgressSteps);
        if (going) progress_->setValue(static_cast<int>(std::lround(*status.fraction * kProgressSteps)));
    }
    state_->setText(status.state == RunStatus::State::Held ? QObject::tr("paused") : going ? QObject::tr("running") : QString());
    rate_->setText(going ? QObject::tr("%1 steps/s").arg(std::lround(pace.StepsPerSecond())) : QString());
    elapsed_->setText(QObject::tr("%1 s").arg(pace.Elapsed() / 1000.0, 0, 'f', 1));
}

}  // namespace veltsim::gui
