#pragma once

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

}  // namespace veltbench
