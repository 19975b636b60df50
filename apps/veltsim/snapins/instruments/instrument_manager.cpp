#include "instrument_manager.h"

#include <filesystem>

#include "command_help.h"
#include "command_line_log.h"
#include "file_path.h"
#include "instrument_file.h"
#include "snapin_protocol.h"
#include "text_util.h"

namespace veltsim {

namespace {

constexpr CTreeLog::OutputStyle kReplyStyle = 0;

const std::vector<CommandHelp> kCommands = {
    {"new", "REFID", "makes an instrument: XMM... a meter, XSC... an oscilloscope"},
    {"delete", "REFID", "removes the instrument"},
    {"show", "REFID", "shows the instrument's panel (an oscilloscope's page too) and says what it shows"},
    {"hide", "REFID", "hides the panel and the settings window"},
    {"setnode", "REFID PIN VALUE",
     "wires pin PIN to a signal ($ unwires it); an oscilloscope takes its time base on pin 3, its trigger level on 4, "
     "volts per division on 5 (A) and 6 (B)"},
    {"listing", "", "lists the instruments"},
};

// The document's replies that refuse a command.
constexpr const char* kRefusals[] = {"Unable to find instrument: ", "Unable to set node: ", "Unable to create instrument: ",
                                     "Command not understood: ", "Address not accepted", "Address required", "failed"};

bool isRefusal(const std::string& reply) {
    for (const char* refusal : kRefusals) {
        if (reply.rfind(refusal, 0) == 0) return true;
    }
    return false;
}

}  // namespace

// The manager's sink on the simulator's event source: a deck was loaded.
class InstrumentManager::SimulatorWatch final : public CEventSink {
public:
    explicit SimulatorWatch(InstrumentManager& manager) : CEventSink("Instruments", "watches the decks"), manager_(manager) {}

    long HandleEventIndirect(CEventSource*, const CEventSource::EventData* data) override {
        if (!data || data->eventId != EVENT_STATE_CHANGED) return E_NOINTERFACE;
        const CString* deck = data->input ? data->input->GetString() : nullptr;
        if (deck) manager_.DeckLoaded(deck->str());
        return S_OK;
    }

private:
    InstrumentManager& manager_;
};

InstrumentManager::InstrumentManager()
    : CInstrumentInterface("Instruments", "meters and oscilloscopes"), doc_(this, *this),
      watch_(std::make_unique<SimulatorWatch>(*this)) {}

InstrumentManager::~InstrumentManager() = default;

long InstrumentManager::Initialize(CGuiFE* gui) {
    const long result = CInstrumentInterface::Initialize(gui);
    if (result != S_OK) return result;
    if (doc_.Initialize(gui) != S_OK) Say("instruments: the instrument agency or its plotting source is missing");
    if (CTreeLog* log = doc_.GetCmdLog().GetCmdLog()) log->AttachSnapIn(this);
    simulatorEvents_ = SimulatorEvents();
    if (simulatorEvents_) simulatorEvents_->RegisterEventHook(EVENT_STATE_CHANGED, watch_.get(), nullptr);
    return S_OK;
}

long InstrumentManager::Uninitialize() {
    Store();
    if (simulatorEvents_) simulatorEvents_->UnregisterEventHook(EVENT_STATE_CHANGED, watch_.get(), nullptr);
    simulatorEvents_ = nullptr;
    if (CTreeLog* log = doc_.GetCmdLog().GetCmdLog()) log->AttachSnapIn(nullptr);
    doc_.Uninitialize();
    return CInstrumentInterface::Uninitialize();
}

CEventSource* InstrumentManager::SimulatorEvents() {
    CInstrumentInterface* simulator = GetGuiFE().GetNthSnapIn(-1);
    return simulator ? simulator->GetNthItem(ComItem::ItemEventSource, 0).GetEventSource() : nullptr;
}

long InstrumentManager::GetProperty(long id, OrvVariant& value, const OrvVariant* in, CTreeInstance* instance) {
    if (id == kPropCommandHelp) {
        value.SetValue(CommandHelpText(kCommands).c_str());
        return S_OK;
    }
    if (id == kPropFailures) {
        value.SetValue(failures_);
        return S_OK;
    }
    return CInstrumentInterface::GetProperty(id, value, in, instance);
}

long InstrumentManager::ExecuteUnlockedCmd(const char* command, CTreeLog*) {
    const std::string line = Trimmed(command ? command : "");
    if (line.empty()) return S_OK;
    const long failuresBefore = failures_;
    const std::size_t instrumentsBefore = doc_.TopLevelInstruments().size();
    std::string fault;
    if (!CatchDataFaults([&] { doc_.ExecuteCmd(line.c_str()); }, fault)) Fail(fault);
    CopyReplies();
    const std::vector<std::string> words = Words(line);
    const std::size_t instrumentsAfter = doc_.TopLevelInstruments().size();
    if (words.size() > 1 && words[0] == "new" && instrumentsAfter > instrumentsBefore) Say("made " + words[1]);
    if (words.size() > 1 && words[0] == "delete") Say(instrumentsAfter < instrumentsBefore ? "removed " + words[1] : "no instrument " + words[1]);
    return failures_ > failuresBefore ? S_FALSE : S_OK;
}

void InstrumentManager::CopyReplies() {
    auto* log = dynamic_cast<CCmdLog*>(doc_.GetCmdLog().GetCmdLog());
    CTreeCtrl* tree = log && log->GetDialog() ? log->GetDialog()->GetTree() : nullptr;
    _TREEITEM* root = nullptr;
    if (!tree || log->GetRootText(root) != S_OK) return;
    HTREEITEM command = nullptr;
    for (HTREEITEM item = tree->GetChildItem(root); item; item = tree->GetNextSiblingItem(item)) command = item;
    if (!command) return;
    for (HTREEITEM reply = tree->GetChildItem(command); reply; reply = tree->GetNextSiblingItem(reply)) {
        std::string text = tree->GetItemText(reply).str();
        // The tree holds the text with its tabs expanded, which leaves blanks at the end.
        text.erase(text.find_last_not_of(' ') + 1);
        if (isRefusal(text)) {
            Fail(text);
        } else {
            Say(text);
        }
    }
}

void InstrumentManager::Say(const std::string& text) {
    if (CTreeLog* log = CommandLineLog(GetGuiFE())) log->AddText(kReplyStyle, text.c_str(), nullptr, 1);
}

void InstrumentManager::Fail(const std::string& text) {
    ++failures_;
    Say(text);
}

void InstrumentManager::DeckLoaded(const std::string& deck) {
    // A deck loaded again keeps its instruments as they are.
    if (SamePath(deck, deck_)) return;
    // Instruments made before any deck was loaded go with the first one.
    const bool first = deck_.empty();
    Store();
    deck_ = deck;
    kept_.clear();
    const std::string file = InstrumentFileOf(deck);
    std::error_code missing;
    const bool stored = std::filesystem::exists(file, missing);
    if (!first || stored) doc_.RemoveAll();
    if (!stored) return;
    int restored = 0;
    std::string error;
    if (RestoreInstruments(doc_, file, restored, error)) {
        Say("instruments of the circuit: " + std::to_string(restored) + " from " + file);
    } else {
        Fail("cannot restore the instruments from " + file + ": " + error);
    }
    // What was read, even of a damaged file, is written back only once it changes.
    kept_ = InstrumentBytes(doc_);
}

void InstrumentManager::Store() {
    if (deck_.empty()) return;
    const std::string file = InstrumentFileOf(deck_);
    const std::string now = InstrumentBytes(doc_);
    std::error_code missing;
    // A circuit that never had instruments gets no file; unchanged ones are not written again.
    if (now == kept_ || (doc_.TopLevelInstruments().empty() && !std::filesystem::exists(file, missing))) return;
    std::string error;
    if (SaveInstruments(doc_, file, error)) {
        kept_ = now;
    } else {
        Fail("cannot keep the instruments in " + file + ": " + error);
    }
}

}  // namespace veltsim
