#include "veltutil/framework/gui_fe.h"

#include "veltutil/platform/host/win_types.h"

CGuiFE::CGuiFE() : CInterfaceBase("CGuiFE", "Main graphical front end for the application", nullptr) {}

const char* CGuiFE::GetName() const { return CInterfaceBase::GetName(); }

const char* CGuiFE::GetFullName() const { return CInterfaceBase::GetFullName(); }

// Harmless default until the front end's yield is completed.
long CGuiFE::YieldTime(long) { return S_FALSE; }

// Harmless default until the front end's numbered properties are completed.
long CGuiFE::GetProperty(long, OrvVariant&, const OrvVariant*, CTreeInstance*) { return S_FALSE; }

// Harmless default until the front end's numbered properties are completed.
long CGuiFE::SetProperty(long, const OrvVariant&, const OrvVariant*, CTreeInstance*) {
    return S_FALSE;
}
