#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "veltutil/framework/event_sink.h"

namespace veltbench {

// The sink every broadcast entry delivers to. Its handler is defined in its own translation
// unit and never inlined, so no entry can fold the receiver's work into its loop, as none could
// with a real module's sink.
class Receiver : public CEventSink {
public:
    Receiver();
    long HandleEventIndirect(CEventSource* source, const CEventSource::EventData* data) override;
    long Calls() const { return calls_; }

private:
    long calls_ = 0;
    long lastEvent_ = 0;
};

// The receivers of one size, built once and shared by every entry, so that all of them reach
// the same objects at the same addresses. Each receiver is a heap allocation of its own with
// unrelated blocks of a few kilobytes between them, as sinks made at different times of a
// program's life lie, rather than side by side in one run of memory.
class ReceiverSet {
public:
    static const ReceiverSet& OfSize(std::size_t count);

    const std::vector<CEventSink*>& Sinks() const { return sinks_; }
    // Calls received so far, per receiver.
    std::vector<long> Calls() const;
    // Leaves one more unrelated block on the heap: entries call it between the allocations of
    // their own structures (hooks, slots) so that those are spread out too.
    static void Spread();

private:
    explicit ReceiverSet(std::size_t count);

    std::vector<std::unique_ptr<Receiver>> owned_;
    std::vector<CEventSink*> sinks_;
};

}  // namespace veltbench
