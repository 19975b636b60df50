// The simulator's run state as instruments drive it: property 4004 of the instrument agency.
#include "veltutil/framework/gui_fe.h"
#include "veltutil/framework/instrument_interface.h"
#include "veltutil/instruments/instrument_base.h"
#include "veltutil/instruments/instrument_doc_base.h"
#include "veltutil/properties/variant.h"

namespace {

constexpr long kPropRunState = 4004;
constexpr long kStopped = 0;
constexpr long kPaused = 1;
constexpr long kRunning = 2;
constexpr int kInstrumentAgency = -2;

// An agency that fails to change state leaves the instrument as it was; nothing to report.
void setRunState(CInstrumentInterface& agency, long state) {
    try {
        agency.SetProperty(kPropRunState, OrvVariant(state), nullptr, nullptr);
    } catch (...) {
    }
}

// One extra reference while the agency works: a removal meanwhile then does not delete the
// instrument under its caller. Given back however the call ends, never below 0.
class ReferenceHold {
public:
    explicit ReferenceHold(CInterfaceBase& object) : object_(object) { object_.IncRefCount(); }
    ~ReferenceHold() {
        if (object_.GetRefCount() > 0) object_.DecRefCount();
    }
    ReferenceHold(const ReferenceHold&) = delete;
    ReferenceHold& operator=(const ReferenceHold&) = delete;

private:
    CInterfaceBase& object_;
};

}  // namespace

CInstrumentInterface* CInstrumentBase::AgencyToSet(long state) {
    CGuiFE* gui = m_pDoc->GetGuiFE();
    CInstrumentInterface* agency = gui ? gui->GetNthSnapIn(kInstrumentAgency) : nullptr;
    if (!agency) return nullptr;
    try {
        OrvVariant current;
        if (agency->GetProperty(kPropRunState, current, nullptr, nullptr) == S_OK) {
            const long* value = current.GetInt();
            if (value && *value == state) return nullptr;
        }
    } catch (...) {
        // A state that cannot be read is set all the same.
    }
    return agency;
}

void CInstrumentBase::set_simulator_start() {
    m_nSimFlag = 0;
    CInstrumentInterface* agency = AgencyToSet(kRunning);
    if (!agency) return;
    ReferenceHold hold(*this);
    setRunState(*agency, kRunning);
}

void CInstrumentBase::set_simulator_pause() {
    CInstrumentInterface* agency = AgencyToSet(kPaused);
    if (!agency) return;
    setRunState(*agency, kPaused);
    m_nSimFlag = 0;
}

void CInstrumentBase::set_simulator_stop() {
    if (CInstrumentInterface* agency = AgencyToSet(kStopped)) setRunState(*agency, kStopped);
}
