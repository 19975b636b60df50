#pragma once

#include "veltutil/platform/host/host_export.h"

// Root of the framework's object hierarchy: objects that framework containers can hold.
class VELTHOST_API CObject {
public:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
    virtual ~CObject();
};
