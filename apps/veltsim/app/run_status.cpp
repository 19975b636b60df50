#include "run_status.h"

#include "snapin_protocol.h"

namespace veltsim {

namespace {

constexpr DWORD kRateInterval = 500;

long longProperty(CInstrumentInterface& snapIn, long id) {
    OrvVariant value;
    if (snapIn.GetProperty(id, value, nullptr, nullptr) != S_OK || !value.GetInt()) return 0;
    return *value.GetInt();
}

}  // namespace

RunStatus ReadRunStatus(CInstrumentInterface& simulator) {
    RunStatus status;
    const long state = longProperty(simulator, kPropRunState);
    status.state = state == 2 ? RunStatus::State::Running : state == 1 ? RunStatus::State::Held : RunStatus::State::Stopped;
    status.steps = longProperty(simulator, kPropRunSteps);
    OrvVariant value;
    if (simulator.GetProperty(kPropRunFraction, value, nullptr, nullptr) == S_OK && value.GetDouble()) status.fraction = *value.GetDouble();
    OrvVariant deck;
    if (simulator.GetProperty(kPropDeck, deck, nullptr, nullptr) == S_OK && deck.GetString()) status.deck = deck.GetString()->str();
    status.deckReads = longProperty(simulator, kPropDeckReads);
    status.errorLine = longProperty(simulator, kPropDeckErrorLine);
    return status;
}

void RunPace::Sample(const RunStatus& status, DWORD tick) {
    const bool running = status.state != RunStatus::State::Stopped;
    if (running && !running_) {
        start_ = markTick_ = tick;
        markSteps_ = 0;
        rate_ = 0.0;
    }
    running_ = running;
    if (!running) return;
    elapsed_ = tick - start_;
    if (tick - markTick_ < kRateInterval) return;
    rate_ = static_cast<double>(status.steps - markSteps_) * 1000.0 / static_cast<double>(tick - markTick_);
    markTick_ = tick;
    markSteps_ = status.steps;
}

}  // namespace veltsim
