#include "agency_snapin.h"

#include "snapin_protocol.h"

namespace veltsim {

namespace {

// The front end's plotting source that the instruments draw through; the simulator takes 0.
constexpr long kInstrumentPlottingSource = 1;
constexpr long kAnalysisEvents[] = {EVENT_ANALYSIS_BEGIN, EVENT_ANALYSIS_END};

}  // namespace

// The agency's sink on the simulator's event source.
class AgencySnapIn::SimulatorWatch final : public CEventSink {
public:
    explicit SimulatorWatch(AgencySnapIn& agency) : CEventSink("Instrument Agency", "watches the simulator"), agency_(agency) {}

    long HandleEventIndirect(CEventSource*, const CEventSource::EventData* data) override {
        return data ? agency_.OnSimulatorEvent(*data) : E_NOINTERFACE;
    }

private:
    AgencySnapIn& agency_;
};

AgencySnapIn::AgencySnapIn()
    : CInstrumentInterface("Instrument Agency", "passes the simulation to the instruments"),
      watch_(std::make_unique<SimulatorWatch>(*this)) {}

AgencySnapIn::~AgencySnapIn() = default;

long AgencySnapIn::Initialize(CGuiFE* gui) {
    const long result = CInstrumentInterface::Initialize(gui);
    if (result != S_OK) return result;
    grapher_ = gui->NewComItem("Instrument plots", ComItem::ItemGrapher, kInstrumentPlottingSource);
    CInstrumentInterface* simulator = Simulator();
    simulatorEvents_ = simulator ? simulator->GetNthItem(ComItem::ItemEventSource, 0).GetEventSource() : nullptr;
    if (simulatorEvents_) {
        for (long id : kAnalysisEvents) simulatorEvents_->RegisterEventHook(id, watch_.get(), nullptr);
    }
    return S_OK;
}

long AgencySnapIn::Uninitialize() {
    Forward(false);
    if (simulatorEvents_) {
        for (long id : kAnalysisEvents) simulatorEvents_->UnregisterEventHook(id, watch_.get(), nullptr);
    }
    simulatorEvents_ = nullptr;
    grapher_ = ComItem();
    return CInstrumentInterface::Uninitialize();
}

CInstrumentInterface* AgencySnapIn::Simulator() { return GetGuiFE().GetNthSnapIn(-1); }

ComItem AgencySnapIn::GetNthItem(ComItem::ItemType type, int n) {
    if (n == 0 && type == ComItem::ItemEventSource) return ComItem(&events_, false);
    if (n == 0 && type == ComItem::ItemGrapher) return grapher_;
    return CInstrumentInterface::GetNthItem(type, n);
}

int AgencySnapIn::GetNumItems(ComItem::ItemType type) const {
    if (type == ComItem::ItemEventSource) return 1;
    if (type == ComItem::ItemGrapher) return grapher_ ? 1 : 0;
    return CInstrumentInterface::GetNumItems(type);
}

long AgencySnapIn::GetProperty(long id, OrvVariant& value, const OrvVariant* in, CTreeInstance* instance) {
    if (id == kPropCommandHelp) {
        value.SetValue("");
        return S_OK;
    }
    if (id == kPropRunState) {
        CInstrumentInterface* simulator = Simulator();
        return simulator ? simulator->GetProperty(id, value, in, instance) : S_FALSE;
    }
    return CInstrumentInterface::GetProperty(id, value, in, instance);
}

long AgencySnapIn::SetProperty(long id, const OrvVariant& value, const OrvVariant* in, CTreeInstance* instance) {
    if (id != kPropRunState) return CInstrumentInterface::SetProperty(id, value, in, instance);
    CInstrumentInterface* simulator = Simulator();
    const long* wanted = value.GetInt();
    OrvVariant state;
    if (!simulator || !wanted || simulator->GetProperty(kPropRunState, state, nullptr, nullptr) != S_OK || !state.GetInt()) {
        return S_FALSE;
    }
    const long now = *state.GetInt();
    if (now == *wanted) return S_OK;
    const char* command = *wanted == 0 ? "stop" : *wanted == 1 ? "pause" : now == 1 ? "resume" : "run";
    return simulator->ExecuteCmd(command, 0, nullptr);
}

long AgencySnapIn::OnSimulatorEvent(const CEventSource::EventData& data) {
    switch (data.eventId) {
    case EVENT_ANALYSIS_BEGIN:
        Forward(events_.GetCount(kEventNewData) > 0);
        Raise(EVENT_SWITCH_SETUP, data.input);
        Raise(EVENT_SWITCH_START, data.input);
        return S_OK;
    case kEventNewData:
        Raise(kEventNewData, data.input);
        return S_OK;
    case EVENT_ANALYSIS_END:
        Raise(EVENT_SWITCH_STOP, data.input);
        Forward(false);
        return S_OK;
    default:
        return E_NOINTERFACE;
    }
}

void AgencySnapIn::Raise(long id, const OrvVariant* in) {
    CEventSource::EventData data{id, in, &answer_, nullptr};
    events_.BroadCastEvent(&data, 0, nullptr, 0);
}

void AgencySnapIn::Forward(bool on) {
    if (on == forwarding_ || !simulatorEvents_) return;
    forwarding_ = on;
    if (on) {
        simulatorEvents_->RegisterEventHook(kEventNewData, watch_.get(), nullptr);
    } else {
        simulatorEvents_->UnregisterEventHook(kEventNewData, watch_.get(), nullptr);
    }
}

}  // namespace veltsim
