// The instruments module's entry points, which the application finds by name.

#include "instrument_manager.h"
#include "snapin_protocol.h"

VELTSIM_MODULE_EXPORT CInstrumentInterface* VeltSimCreateSnapIn() { return new veltsim::InstrumentManager(); }

VELTSIM_MODULE_EXPORT void VeltSimDestroySnapIn(CInstrumentInterface* snapIn) {
    delete static_cast<veltsim::InstrumentManager*>(snapIn);
}
