#pragma once

#include <cstdint>

#include "veltutil/export.h"
#include "veltutil/framework/event_sink.h"

// The front end's own sink on the simulator: answers the analysis begin and end events and the
// pause query, and keeps the user interface alive by yielding on every 52nd pause query.
class VELTUTIL_API CGuiFE_EventSink : public CEventSink {
public:
    CGuiFE_EventSink(const char* name, CGuiFE* context);
    ~CGuiFE_EventSink() override;

    long HandleEventIndirect(CEventSource* source, const CEventSource::EventData* data) override;

private:
    std::int32_t pauseQueries_ = 0;
};
