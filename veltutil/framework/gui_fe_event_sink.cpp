#include "veltutil/framework/gui_fe_event_sink.h"

#include "veltutil/framework/gui_fe.h"
#include "veltutil/framework/registered_events.h"

namespace {
// The simulator asks on every time step; yielding on each would slow the run for nothing.
constexpr std::int32_t kQueriesPerYield = 52;
}

CGuiFE_EventSink::CGuiFE_EventSink(const char* name, CGuiFE* context) : CEventSink(name, context) {}

CGuiFE_EventSink::~CGuiFE_EventSink() = default;

long CGuiFE_EventSink::HandleEventIndirect(CEventSource* source,
                                           const CEventSource::EventData* data) {
    if (data && data->input && source) {
        switch (data->eventId) {
        case EVENT_ANALYSIS_BEGIN:
        case EVENT_ANALYSIS_END:
            return S_OK;
        case EVENT_PAUSE_QUERY:
            if (pauseQueries_ >= kQueriesPerYield - 1) {
                pauseQueries_ = 0;
                if (CGuiFE* frontEnd = GetContext()) frontEnd->YieldTime(0);
            } else {
                ++pauseQueries_;
            }
            return S_OK;
        default:
            break;
        }
    }
    return CEventSink::HandleEventIndirect(source, data);
}
