#pragma once

#include "veltutil/export.h"
#include "veltutil/platform/veltbase/event_handler.h"

// Registered event identifiers: 0 to 16008, in eight groups of 2001. Identifier 1 is the key
// under which a sink hooks to every event of a source.
constexpr long EVENT_NONE = 0;
constexpr long EVENT_ALL = 1;
constexpr long EVENT_STATE_CHANGED = 2;
constexpr long EVENT_ANALYSIS_BEGIN = 4002;
constexpr long EVENT_ANALYSIS_END = 4003;
constexpr long EVENT_PAUSE_QUERY = 4007;
constexpr long EVENT_SWITCH_SETUP = 6003;
constexpr long EVENT_SWITCH_START = 6004;
constexpr long EVENT_SWITCH_STOP = 6005;

VELTUTIL_API int isRegisteredEvent(long id);
// Fixed texts with static lifetime.
VELTUTIL_API const char* EventToString(long id);

// Exported for the other modules; built when the library loads and destroyed when it unloads.
extern VELTUTIL_API CEventHandler EventGuiFECreated;
extern VELTUTIL_API CEventHandler EventRetrieveGuiFE;
