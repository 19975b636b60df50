#include "veltutil/framework/registered_events.h"

namespace {

constexpr long kGroupSize = 2001;
constexpr long kLastRegistered = 8 * kGroupSize;

struct DefinedEvent {
    long id;
    const char* text;
};

constexpr DefinedEvent kDefined[] = {
    {0, "(General) Do nothing"},
    {1, "(General) Register for all events"},
    {2, "(General) The state of the event source has changed"},
    {2001, "(CNC) A component has been created"},
    {2002, "(CNC) A component has been deleted"},
    {2003, "(CNC) A component has been opened or closed"},
    {2004, "(CNC) A wire has been attached/detached from a component"},
    {4002, "(Simulator) A specific analysis has begun"},
    {4003, "(Simulator) A specific analysis has ended"},
    {4004, "(Simulator) The plotter is being opened and initialized"},
    {4005, "(Simulator) New data is being added to the plotter"},
    {4006, "(Simulator) The plotter is being closed"},
    {4007, "(Simulator) Do we wish to pause now?"},
    {6003, "(Instrument Agency) On Switch Pressed, Do a setup"},
    {6004, "(Instrument Agency) Start On Switch Analysis"},
    {6005, "(Instrument Agency) Stop On Switch Analysis"},
};

constexpr const char* kGroupFallback[] = {
    "(General) Unknown Registered Event",
    "(CNC) Unknown Registered Event",
    "(Simulator) Unknown Registered Event",
    "(Instrument Agency) Unknown Registered Event",
    "(Instrument Manager) Unknown Registered Event",
    "(Instrument) Unknown Registered Event",
    "(Schematic) Unknown Registered Event",
    "(Grapher) Unknown Registered Event",
};

}  // namespace

int isRegisteredEvent(long id) { return id >= 0 && id <= kLastRegistered ? 1 : 0; }

const char* EventToString(long id) {
    if (!isRegisteredEvent(id)) return "Unregistered Event";
    if (id == kLastRegistered) return "Unknown Registered Event";
    for (const DefinedEvent& event : kDefined) {
        if (event.id == id) return event.text;
    }
    return kGroupFallback[id / kGroupSize];
}
