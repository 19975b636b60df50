#pragma once

#include <memory>
#include <string>

#include <veltutil/veltutil.h>

#include "instrument_doc.h"

namespace veltsim {

// The instrument manager snap-in (type 3, "Instruments"): it holds the instrument document and
// hands it the lines of its commands (new, delete, show, hide, setnode, listing, and the
// document's others by the snap-in's name: "Instruments help"). The document answers into its
// own command log; the manager copies each command's replies into the command line, under the
// line being answered, and counts the document's refusals as failures.
//
// Each circuit has instruments of its own. When the simulator loads another deck (event 2 on
// its event source) the instruments are stored beside the deck before, if any were made,
// removed or changed, and taken away; those stored beside the new deck come back in their
// place. Instruments made before the first deck go with it. A deck that never had instruments
// gets no file. At the end of the session they are stored beside the deck loaded last.
//
// Final: the base's destructor is not virtual, and the module deletes it as this class.
class InstrumentManager final : public CInstrumentInterface, private InstrumentReplies {
public:
    InstrumentManager();
    ~InstrumentManager();

    Type GetType() override { return TypeInstrumentManager; }
    // Initialises the document and watches the simulator's decks.
    long Initialize(CGuiFE* gui) override;
    // Stores the instruments, then lets go of the document and the simulator.
    long Uninitialize() override;
    // Answers the veltsim properties (command help, failures).
    long GetProperty(long id, OrvVariant& value, const OrvVariant* in, CTreeInstance* instance) override;

    InstrumentDoc& Doc() { return doc_; }

protected:
    long ExecuteUnlockedCmd(const char* command, CTreeLog* log) override;

private:
    class SimulatorWatch;

    void Say(const std::string& text) override;
    void Fail(const std::string& text) override;
    // Copies the replies to the document's last command into the command line.
    void CopyReplies();
    void DeckLoaded(const std::string& deck);
    void Store();
    CEventSource* SimulatorEvents();

    InstrumentDoc doc_;
    std::unique_ptr<SimulatorWatch> watch_;
    CEventSource* simulatorEvents_ = nullptr;
    std::string deck_;
    // The instruments as last read from or written to the deck's file; empty when none was.
    std::string kept_;
    long failures_ = 0;
};

}  // namespace veltsim
