#pragma once

#include "veltutil/export.h"
#include "veltutil/framework/event_source.h"
#include "veltutil/platform/host/cstring.h"

// The event source that stands for one connection to the plotting module.
//
// Only the members that component items call are declared so far; their bodies are harmless
// defaults, and are completed together with the rest of the grapher client.
class VELTUTIL_API CGrapherSource : public CEventSource {
public:
    explicit CGrapherSource(const char* name = nullptr);
    virtual ~CGrapherSource();

    virtual long Show(int show);
    virtual long GetShown(int* shown);
    virtual long ClearAllPages(CString* text);
};
