#pragma once

#include <memory>

#include <veltutil/veltutil.h>

namespace veltsim {

// The agency's event source; final, as the base's destructor is not virtual.
class AgencyEvents final : public CEventSource {
public:
    AgencyEvents() : CEventSource("Instrument Agency", "instruments' events") {}
};

// The instrument agency snap-in (type 2): it stands between the simulator and the instruments.
// Instrument documents hook their instruments to its event source (event 6003), and the
// instruments take the simulation's steps there; they draw through its grapher item, the front
// end's plotting source 1.
//
// It watches the simulator's analyses. When one begins it raises 6003 ("On Switch Pressed, Do a
// setup") and 6004 (start) with the analysis's type; while it runs it passes the simulator's
// steps on (4005), asking the simulator for them only while an instrument is hooked to them;
// when it ends it raises 6005 (stop). Its run state, property 4004, is the simulator's; setting
// it runs the deck, holds the run, lets it go on or stops it.
//
// Final: the base's destructor is not virtual, and the module deletes it as this class.
class AgencySnapIn final : public CInstrumentInterface {
public:
    AgencySnapIn();
    ~AgencySnapIn();

    Type GetType() override { return TypeInstrumentAgency; }
    // Takes its grapher item and hooks itself to the simulator's analyses.
    long Initialize(CGuiFE* gui) override;
    // Lets go of both.
    long Uninitialize() override;
    // The event source (ItemEventSource 0) and the grapher item (ItemGrapher 0).
    ComItem GetNthItem(ComItem::ItemType type, int n) override;
    int GetNumItems(ComItem::ItemType type) const override;
    long GetProperty(long id, OrvVariant& value, const OrvVariant* in, CTreeInstance* instance) override;
    long SetProperty(long id, const OrvVariant& value, const OrvVariant* in, CTreeInstance* instance) override;

private:
    class SimulatorWatch;

    long OnSimulatorEvent(const CEventSource::EventData& data);
    void Raise(long id, const OrvVariant* in);
    CInstrumentInterface* Simulator();
    void Forward(bool on);

    AgencyEvents events_;
    std::unique_ptr<SimulatorWatch> watch_;
    CEventSource* simulatorEvents_ = nullptr;
    ComItem grapher_;
    bool forwarding_ = false;
    OrvVariant answer_;
};

}  // namespace veltsim
