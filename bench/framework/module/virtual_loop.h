#pragma once

#include <cstddef>

#include "veltutil/framework/event_sink.h"

namespace veltbench {

// The plain loop of virtual calls, built into a shared module of its own, as any dispatcher in
// a library is: its calls to receivers in the program travel as far as the source's do.
[[gnu::visibility("default")]] long VirtualLoopInModule(CEventSink* const* sinks, std::size_t count,
                                                        CEventSource* source,
                                                        const CEventSource::EventData* data);

}  // namespace veltbench
