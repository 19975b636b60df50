#include "bench/framework/receiver.h"

namespace veltbench {

Receiver::Receiver() : CEventSink("Receiver", static_cast<const char*>(nullptr)) {}

[[gnu::noinline]] long Receiver::HandleEventIndirect(CEventSource*, const CEventSource::EventData* data) {
    ++calls_;
    lastEvent_ = data->eventId;
    return S_OK;
}

}  // namespace veltbench
