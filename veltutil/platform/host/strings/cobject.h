#pragma once

#include "veltutil/platform/host/host_export.h"

class CObject;

// The run-time class of a framework object: its name and its base class's run-time class (null
// for CObject), so that code can ask an object what it is without RTTI across modules.
struct VELTHOST_API CRuntimeClass {
    const char* m_lpszClassName;
    const CRuntimeClass* m_pBaseClass;

    // Whether this class is `base` or derives from it.
    bool IsDerivedFrom(const CRuntimeClass* base) const;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

// In the class body: the class has its own run-time class.
#define DECLARE_DYNAMIC(class_name)                                                                \
public:                                                                                            \
    static const CRuntimeClass class##class_name;                                                  \
    const CRuntimeClass* GetRuntimeClass() const override;

// In one source file of the class.
#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                              \
    const CRuntimeClass class_name::class##class_name{#class_name, RUNTIME_CLASS(base_class_name)}; \
    const CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

// Root of the framework's object hierarchy: objects that framework containers can hold. A class
// without DECLARE_DYNAMIC answers its nearest declared base's run-time class.
class VELTHOST_API CObject {
public:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
    virtual ~CObject();

    static const CRuntimeClass classCObject;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    bool IsKindOf(const CRuntimeClass* runtimeClass) const { return GetRuntimeClass()->IsDerivedFrom(runtimeClass); }
};
