#include "veltutil/framework/interface_base.h"

namespace {
constexpr const char* kUnnamed = "NAME-NOT-GIVEN!!!!";
}

CInterfaceBase::CInterfaceBase(const char* name, const char* kind, const char* description)
    : name_(name ? name : kUnnamed), kind_(kind), description_(description) {}

CInterfaceBase::CInterfaceBase(const char* name, CGuiFE* context)
    : name_(name ? name : kUnnamed), kind_("CGuiFE"), context_(context) {}

// A copy is a new component: it starts with its own count of 1 and shares no references.
CInterfaceBase::CInterfaceBase(const CInterfaceBase& other)
    : name_(other.name_), kind_(other.kind_), description_(other.description_),
      context_(other.context_) {}

CInterfaceBase& CInterfaceBase::operator=(const CInterfaceBase& other) {
    name_ = other.name_;
    kind_ = other.kind_;
    description_ = other.description_;
    context_ = other.context_;
    return *this;
}

CInterfaceBase::~CInterfaceBase() = default;

const char* CInterfaceBase::GetFullName() const {
    fullName_ = name_;
    if (!kind_.IsEmpty()) {
        fullName_ += '[';
        fullName_ += kind_;
        if (!description_.IsEmpty()) {
            fullName_ += "-->";
            fullName_ += description_;
        }
        fullName_ += ']';
    }
    return fullName_;
}
