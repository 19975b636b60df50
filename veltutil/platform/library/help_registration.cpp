#include "veltutil/platform/library/help_registration.h"

namespace {

HelpDllRegistration& current() {
    static HelpDllRegistration registration;
    return registration;
}

}  // namespace

void SetHelpDllInstance(HINSTANCE module, UINT helpId) { current() = HelpDllRegistration{module, helpId}; }

HelpDllRegistration GetHelpDllInstance() { return current(); }
