// The agency module's entry points, which the application finds by name.

#include "agency_snapin.h"
#include "snapin_protocol.h"

VELTSIM_MODULE_EXPORT CInstrumentInterface* VeltSimCreateSnapIn() { return new veltsim::AgencySnapIn(); }

VELTSIM_MODULE_EXPORT void VeltSimDestroySnapIn(CInstrumentInterface* snapIn) {
    delete static_cast<veltsim::AgencySnapIn*>(snapIn);
}
