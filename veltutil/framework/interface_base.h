#pragma once

#include <cstdint>

#include "veltutil/export.h"
#include "veltutil/platform/host/strings/cstring.h"

class CGuiFE;

// The record every component begins with: name, kind, description, owning front end and a
// reference count. The count is bookkeeping for owners that share an object; nothing here frees
// the object when it falls.
class VELTUTIL_API CInterfaceBase {
public:
    CInterfaceBase(const char* name, const char* kind, const char* description);
    CInterfaceBase(const char* name, CGuiFE* context);
    CInterfaceBase(const CInterfaceBase& other);
    CInterfaceBase& operator=(const CInterfaceBase& other);
    ~CInterfaceBase();

    const char* GetName() const { return name_; }
    // Composed on each call; the text stays valid until the next call on this object.
    const char* GetFullName() const;
    const CString& GetKind() const { return kind_; }
    const CString& GetDescription() const { return description_; }
    CGuiFE* GetContext() const { return context_; }

    int GetRefCount() const { return refCount_; }
    // Hooks, counted items and sharing owners raise and lower the count directly.
    void IncRefCount() { ++refCount_; }
    void DecRefCount() { --refCount_; }

private:
    std::int32_t refCount_ = 1;
    CString name_;
    CString kind_;
    CString description_;
    CGuiFE* context_ = nullptr;
    mutable CString fullName_;
};
