// The simulator's deck commands: load, reload, nodes, meas, spice.

#include "file_path.h"
#include "simulator_snapin.h"
#include "text_table.h"
#include "text_util.h"

namespace veltsim {

namespace {

const char* typeName(NODE_TYPE type) {
    switch (type) {
    case NODE_TIME: return "time";
    case NODE_FREQUENCY: return "frequency";
    case NODE_VOLTAGE: return "voltage";
    case NODE_CURRENT: return "current";
    default: return "";
    }
}

std::string joined(const std::vector<std::string>& words, std::size_t first) {
    std::string text;
    for (std::size_t i = first; i < words.size(); ++i) text += (i > first ? " " : "") + words[i];
    return text;
}

}  // namespace

long SimulatorSnapIn::Load(const Args& args) {
    if (args.size() != 1) return Fail("load: give one deck file");
    Deck deck;
    std::string error;
    if (!ReadDeck(args[0], deck, error)) return Fail(error);
    lastRead_ = deck.path;
    if (!PrepareEngine()) return S_FALSE;
    std::vector<std::string> errors;
    const bool accepted = engine_.LoadCircuit(LinesForNgspice(deck), errors);
    ChannelBatch batch;
    channel_.TakeAll(batch);
    for (const std::string& text : batch.texts) ToAuditTrail(WithoutStreamPrefix(text));
    ReportExit();
    if (!accepted) {
        deck_.reset();
        SayTable(nullptr, "ngspice rejected the deck " + deck.path + ":", errors);
        ++failures_;
        return S_FALSE;
    }
    std::string analyses;
    for (const std::string& card : deck.analyses) analyses += (analyses.empty() ? "" : ", ") + card;
    Say("loaded " + deck.path + ": " + deck.title);
    Say("analyses: " + (analyses.empty() ? std::string("none (use op, tran or ac)") : analyses));
    deck_ = std::move(deck);
    // The last run's signals and what was measured of them belong to the deck before.
    analyses_.clear();
    measures_.clear();
    // The probes and measure settings belong to the deck: an edited one keeps them.
    const int version = settings_.version + 1;
    if (!SamePath(deck_->path, settingsDeck_)) settings_ = ProbeSettings{};
    settingsDeck_ = deck_->path;
    settings_.version = version;
    // The instruments keep their settings with the circuit: a new one is theirs to look at.
    OrvVariant path(deck_->path.c_str());
    OrvVariant answer;
    CEventSource::EventData changed{EVENT_STATE_CHANGED, &path, &answer, nullptr};
    events_.BroadCastEvent(&changed, 0, nullptr, 0);
    return S_OK;
}

long SimulatorSnapIn::Reload(const Args& args) {
    if (!args.empty()) return Fail("reload: takes no arguments (load FILE reads another deck)");
    if (lastRead_.empty()) return Fail("reload: no deck loaded");
    return Load({lastRead_});
}

long SimulatorSnapIn::Nodes(const Args&) {
    if (analyses_.empty()) return Fail("nodes: no run yet, so no signals known");
    // Every analysis of one deck names the same nodes; the first one with the most tells all.
    const AnalysisRecord* widest = analyses_.front().get();
    for (const auto& record : analyses_) {
        if (record->Signals().size() > widest->Signals().size()) widest = record.get();
    }
    TextTable table({"signal", "suite name", "ngspice name", "type"});
    for (const SignalName& signal : widest->Signals()) {
        table.AddRow({std::string(signal.spice.GetNode()), signal.velt.str(), signal.ngspice,
                      typeName(signal.spice.GetNodeType())});
    }
    for (const std::string& line : table.Lines()) Say(line);
    return S_OK;
}

long SimulatorSnapIn::Spice(const Args& args) {
    if (args.empty()) return Fail("spice: give an ngspice command");
    if (!PrepareEngine()) return S_FALSE;
    const int result = engine_.Command(joined(args, 0));
    ChannelBatch batch;
    channel_.TakeAll(batch);
    bool failed = result != 0;
    for (const std::string& text : batch.texts) {
        Say(WithoutStreamPrefix(text));
        failed = failed || IsNgspiceError(text);
    }
    if (ReportExit()) return S_FALSE;
    if (failed) return Fail("ngspice could not carry out: " + joined(args, 0));
    return S_OK;
}

long SimulatorSnapIn::Meas(const Args&) {
    if (!deck_) return Fail("meas: no deck loaded");
    if (deck_->measures.empty()) return Fail("meas: the deck has no .meas statements");
    if (!engine_.IsReady()) return Fail("meas: ngspice has no results (run first)");
    // ngspice prints its .meas results at the end of each analysis, rounded; measured again
    // in its current plot, the result is also a vector, read here at full precision.
    TextTable table({"name", "analysis", "value"});
    bool failed = false;
    for (const std::string& statement : deck_->measures) {
        std::string analysis, name;
        if (!SplitMeasure(statement, analysis, name)) continue;
        const AnalysisRecord* record = nullptr;
        for (const auto& candidate : analyses_) {
            if (candidate->Type() == analysis) record = candidate.get();
        }
        double value = 0.0;
        const bool measured = record && engine_.Command("setplot " + record->Plot()) == 0 &&
                              engine_.Command("meas " + joined(Words(statement), 1)) == 0 && engine_.VectorValue(name, value);
        failed = failed || !measured;
        table.AddRow({name, analysis, measured ? FormatValue(value) : "failed"});
    }
    ChannelBatch batch;
    channel_.TakeAll(batch);
    for (const std::string& text : batch.texts) ToAuditTrail(WithoutStreamPrefix(text));
    for (const std::string& line : table.Lines()) Say(line);
    ReportExit();
    if (failed) return Fail("meas: some statements could not be measured (see the audit trail)");
    return S_OK;
}

}  // namespace veltsim
