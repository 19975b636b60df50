#include "bench/framework/module/virtual_loop.h"

namespace veltbench {

long VirtualLoopInModule(CEventSink* const* sinks, std::size_t count, CEventSource* source,
                         const CEventSource::EventData* data) {
    long result = S_OK;
    for (std::size_t i = 0; i < count; ++i) {
        long answer = sinks[i]->HandleEventIndirect(source, data);
        if (answer != S_OK && result == S_OK) result = answer;
    }
    return result;
}

}  // namespace veltbench
