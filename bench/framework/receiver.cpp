#include "bench/framework/receiver.h"

#include <cstdint>
#include <map>

namespace veltbench {

Receiver::Receiver() : CEventSink("Receiver", static_cast<const char*>(nullptr)) {}

[[gnu::noinline]] long Receiver::HandleEventIndirect(CEventSource*,
                                                     const CEventSource::EventData* data) {
    ++calls_;
    lastEvent_ = data->eventId;
    return S_OK;
}

void ReceiverSet::Spread() {
    // Kept for the life of the process, like the receivers.
    static auto* blocks = new std::vector<std::unique_ptr<char[]>>;
    static std::uint64_t state = 1;
    state = state * 6364136223846793005u + 1442695040888963407u;
    blocks->push_back(std::make_unique<char[]>(2048 + (state >> 33) % 6144));
}

const ReceiverSet& ReceiverSet::OfSize(std::size_t count) {
    static auto* sets = new std::map<std::size_t, std::unique_ptr<ReceiverSet>>;
    auto& set = (*sets)[count];
    if (!set) set.reset(new ReceiverSet(count));
    return *set;
}

ReceiverSet::ReceiverSet(std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        Spread();
        owned_.push_back(std::make_unique<Receiver>());
        sinks_.push_back(owned_.back().get());
    }
}

std::vector<long> ReceiverSet::Calls() const {
    std::vector<long> calls;
    for (const auto& receiver : owned_) calls.push_back(receiver->Calls());
    return calls;
}

}  // namespace veltbench
