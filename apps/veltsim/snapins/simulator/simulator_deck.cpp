// The simulator's deck commands: load, reload, nodes, meas, spice.

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "control_block.h"
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

// ngspice aligns its tables (print) with tabs at every eighth column, as a terminal shows them;
// the log would expand them by its own rule, which is not a terminal's.
std::string withTabsExpanded(const std::string& line) {
    constexpr std::size_t kTerminalTab = 8;
    std::string expanded;
    for (char c : line) {
        if (c == '\t') {
            expanded.append(kTerminalTab - expanded.size() % kTerminalTab, ' ');
        } else {
            expanded += c;
        }
    }
    return expanded;
}

// ngspice's status lines about its own working, which answer no command.
bool isChatter(const std::string& line) {
    static const char* const kStatus[] = {"Background thread ", "Doing analysis at TEMP", "Using SPARSE ", "No. of Data Rows",
                                          "Reference value"};
    const std::string text = Trimmed(line);
    return std::any_of(std::begin(kStatus), std::end(kStatus), [&](const char* status) { return text.rfind(status, 0) == 0; });
}

std::string joined(const std::vector<std::string>& words, std::size_t first) {
    std::string text;
    for (std::size_t i = first; i < words.size(); ++i) text += (i > first ? " " : "") + words[i];
    return text;
}

// ngspice names the line of the deck it stumbled on ("Error on line 5 or its substitute:"),
// counting the title as line 1, as the file does.
long errorLineOf(const std::vector<std::string>& errors) {
    static constexpr std::string_view kMark = "Error on line ";
    for (const std::string& text : errors) {
        const std::size_t at = text.find(kMark);
        if (at != std::string::npos) return std::atol(text.c_str() + at + kMark.size());
    }
    return 0;
}

}  // namespace

long SimulatorSnapIn::Load(const Args& args) {
    if (args.size() != 1) return Fail("load: give one deck file");
    Deck deck;
    std::string error;
    if (!ReadDeck(args[0], deck, error)) return Fail(error);
    lastRead_ = deck.path;
    ++deckReads_;
    errorLine_ = 0;
    const std::vector<std::string> unreadable = UnreadableIncludes(deck);
    if (!unreadable.empty()) {
        for (std::size_t i = 0; i + 1 < unreadable.size(); ++i) Say(unreadable[i]);
        return Fail(unreadable.back());
    }
    if (!PrepareEngine()) return S_FALSE;
    std::vector<std::string> errors;
    // A .control block would run here, in this thread, as ngspice read the deck: it is run by run.
    const bool accepted = engine_.LoadCircuit(WithoutControlBlock(LinesForNgspice(deck)), errors);
    ChannelBatch batch;
    channel_.TakeAll(batch);
    for (const std::string& text : batch.texts) ToAuditTrail(WithoutStreamPrefix(text));
    ReportExit();
    if (!accepted) {
        deck_.reset();
        errorLine_ = errorLineOf(errors);
        SayTable(nullptr, "ngspice rejected the deck " + deck.path + ":", errors);
        ++failures_;
        return S_FALSE;
    }
    std::string analyses;
    for (const std::string& card : deck.analyses) analyses += (analyses.empty() ? "" : ", ") + card;
    Say("loaded " + deck.path + ": " + deck.title);
    if (const std::size_t commands = ControlBlock(deck.lines).size()) {
        analyses += (analyses.empty() ? "" : ", ") + std::string("a .control block of ") + CountOf(commands, "command");
    }
    Say("analyses: " + (analyses.empty() ? std::string("none (use op, tran, ac, dc, noise, tf or pz)") : analyses));
    deck_ = std::move(deck);
    savesChanged_ = false;
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
        failed = failed || IsNgspiceError(text);
        const std::string line = WithoutStreamPrefix(text);
        if (isChatter(line)) {
            ToAuditTrail(line);
        } else {
            Say(withTabsExpanded(line));
        }
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
