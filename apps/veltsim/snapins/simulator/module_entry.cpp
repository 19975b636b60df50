// The simulator module's entry points, which the application finds by name.

#include "simulator_snapin.h"
#include "snapin_protocol.h"

VELTSIM_MODULE_EXPORT CInstrumentInterface* VeltSimCreateSnapIn() { return new veltsim::SimulatorSnapIn(); }

VELTSIM_MODULE_EXPORT void VeltSimDestroySnapIn(CInstrumentInterface* snapIn) {
    delete static_cast<veltsim::SimulatorSnapIn*>(snapIn);
}
