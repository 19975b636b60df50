#pragma once

#include "veltutil/platform/veltbase/veltbase_export.h"

// Base of the objects that the suite registers as handlers of its broadcast notifications.
class VELTBASE_API CEventHandler {
public:
    CEventHandler();
    virtual ~CEventHandler();
};
