#include "run_driver.h"

#include "snapin_protocol.h"

namespace veltsim {

namespace {

constexpr UINT kStartMessage = WM_USER + 1;
// While waiting for ngspice, the thread is handed to the message loop for at most this long
// at a time, so that new steps are taken up within about a millisecond.
constexpr DWORD kDataWaitMs = 1;
constexpr DWORD kPausedWaitMs = 50;
// After a halt ngspice reports the end of its thread; should that report never come, the run
// ends anyway once the thread is gone for this long.
constexpr DWORD kHaltGraceMs = 1000;

}  // namespace

RunDriver::RunDriver(RunChannel& channel, NgspiceEngine& engine, CEventSource& events, RunListener& listener)
    : channel_(channel), engine_(engine), events_(events), listener_(listener) {}

RunDriver::~RunDriver() = default;

bool RunDriver::Start(CGuiFE& frontEnd, const std::string& command) {
    if (state_ != kIdle) return false;
    if (!window_) window_ = std::make_unique<MessageWindow>("veltsim run", kStartMessage, [this](WPARAM) { Run(); });
    frontEnd_ = &frontEnd;
    command_ = command;
    state_ = kPending;
    if (!window_->Post()) {
        state_ = kIdle;
        return false;
    }
    return true;
}

bool RunDriver::RequestStop() {
    if (state_ == kIdle || stopRequested_) return false;
    stopRequested_ = true;
    stopTick_ = GetTickCount();
    return true;
}

bool RunDriver::Pause() {
    if (state_ == kIdle || paused_ || stopRequested_) return false;
    paused_ = true;
    return true;
}

bool RunDriver::Resume() {
    if (!paused_) return false;
    paused_ = false;
    return true;
}

void RunDriver::Run() {
    if (state_ != kPending) return;
    state_ = kRunning;
    summary_ = RunSummary{};
    scaleIndex_ = -1;
    lastAbscissa_ = 0.0;
    const DWORD startTick = GetTickCount();
    channel_.Reopen();
    // A stop asked for before the run began ends it before ngspice is asked.
    halted_ = stopRequested_;
    summary_.started = !halted_ && engine_.StartBackground(command_);
    bool ended = !summary_.started;
    bool inAnalysis = false;
    DWORD haltedTick = 0;
    ChannelBatch batch;
    std::size_t next = 0;  // the first entry of the batch not delivered yet
    while (!ended) {
        if (stopRequested_ && !halted_) {
            HaltNow();
            haltedTick = GetTickCount();
        }
        if (paused_ && !halted_) {
            Wait(kPausedWaitMs);
            continue;
        }
        if (next == batch.entries.size()) {
            channel_.TakeAll(batch);
            next = 0;
        }
        next = Deliver(batch, next, ended, inAnalysis);
        if (ended) break;
        if (halted_ && !engine_.IsRunning() && GetTickCount() - haltedTick > kHaltGraceMs) break;
        if (batch.entries.empty()) Wait(kDataWaitMs);
    }
    // What ngspice said last, after its final step, still belongs to this run.
    auto outputTexts = [&](std::size_t from) {
        for (std::size_t i = from; i < batch.entries.size(); ++i) {
            const ChannelBatch::Entry& entry = batch.entries[i];
            if (entry.kind == ChannelBatch::kText) listener_.Output(batch.texts[entry.index]);
        }
    };
    outputTexts(next);
    channel_.TakeAll(batch);
    outputTexts(0);
    // An engine that ended during the run took the rest of the run with it.
    summary_.lost = summary_.started && !engine_.IsReady();
    halted_ = halted_ || summary_.lost;
    if (inAnalysis) {
        OrvVariant in(analysisType_.c_str());
        Raise(EVENT_ANALYSIS_END, in);
        listener_.AnalysisEnded(!halted_);
    }
    summary_.stopped = halted_;
    summary_.milliseconds = GetTickCount() - startTick;
    state_ = kIdle;
    paused_ = false;
    stopRequested_ = false;
    listener_.RunEnded(summary_);
}

std::size_t RunDriver::Deliver(const ChannelBatch& batch, std::size_t from, bool& ended, bool& inAnalysis) {
    for (std::size_t i = from; i < batch.entries.size(); ++i) {
        const ChannelBatch::Entry& entry = batch.entries[i];
        switch (entry.kind) {
        case ChannelBatch::kText:
            listener_.Output(batch.texts[entry.index]);
            break;
        case ChannelBatch::kPlot: {
            const PlotStart& plot = batch.plots[entry.index];
            OrvVariant in(plot.type.c_str());
            if (inAnalysis) {
                Raise(EVENT_ANALYSIS_END, in);
                listener_.AnalysisEnded(true);
            }
            scaleIndex_ = -1;
            for (std::size_t i = 0; i < plot.vectors.size() && scaleIndex_ < 0; ++i) {
                if (plot.vectors[i] == "time" || plot.vectors[i] == "frequency") scaleIndex_ = static_cast<int>(i);
            }
            inAnalysis = true;
            analysisType_ = plot.type;
            stepWidth_ = static_cast<long>(2 * plot.vectors.size());
            listener_.AnalysisBegun(plot);
            Raise(EVENT_ANALYSIS_BEGIN, in);
            break;
        }
        case ChannelBatch::kRow:
            // Steps that ngspice made after a stop was asked for are not taken.
            if (stopRequested_ || !inAnalysis) break;
            if (scaleIndex_ >= 0) lastAbscissa_ = batch.values[entry.index + 2 * static_cast<std::size_t>(scaleIndex_)];
            ++summary_.steps;
            listener_.Step(&batch.values[entry.index]);
            if (events_.GetCount(kEventNewData) > 0) {
                // Borrowed, not copied: the variant neither writes nor frees the step.
                stepData_.SetValue(OrvVariant::VarDouble, stepWidth_, const_cast<double*>(&batch.values[entry.index]), 0);
                Raise(kEventNewData, stepData_);
            }
            stepArgument_.SetValue(lastAbscissa_);
            Raise(EVENT_PAUSE_QUERY, stepArgument_);
            // A pause typed while this step was answered holds the rest of the batch too.
            if (paused_) return i + 1;
            break;
        case ChannelBatch::kEnd:
            ended = true;
            break;
        }
    }
    return batch.entries.size();
}

void RunDriver::Raise(long eventId, OrvVariant& in) {
    CEventSource::EventData data{eventId, &in, &answer_, nullptr};
    events_.BroadCastEvent(&data, 0, nullptr, 0);
}

void RunDriver::HaltNow() {
    channel_.Cancel();
    engine_.Halt();
    halted_ = true;
    summary_.stopLatencyMs = GetTickCount() - stopTick_;
}

void RunDriver::Wait(DWORD milliseconds) {
    MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (frontEnd_) frontEnd_->YieldTime(0);
}

}  // namespace veltsim
