#include "simulator_snapin.h"

#include "command_help.h"
#include "command_line_log.h"
#include "snapin_protocol.h"
#include "text_table.h"
#include "text_util.h"

namespace veltsim {

namespace {

// A run keeps at most this many steps waiting for the user-interface thread; ngspice waits
// when they are not taken (so a pause holds it within this many steps).
constexpr std::size_t kChannelRows = 1024;
constexpr CTreeLog::OutputStyle kReplyStyle = 0;
constexpr CTreeLog::OutputStyle kDetailStyle = 2;

}  // namespace

struct SimulatorSnapIn::Command {
    const char* name;
    const char* arguments;
    const char* summary;
    long (SimulatorSnapIn::*run)(const Args& args);
    bool duringRun;  // answered while a run goes on; the others would call into ngspice
};

const std::vector<SimulatorSnapIn::Command>& SimulatorSnapIn::Commands() {
    static const std::vector<Command> commands = {
        {"load", "FILE", "reads a SPICE deck and hands it to ngspice; another deck's probes and measure settings start afresh",
         &SimulatorSnapIn::Load, false},
        {"reload", "", "reads the deck again after an edit, keeping probes, window, frequency and instruments",
         &SimulatorSnapIn::Reload, false},
        {"run", "", "runs the analyses of the deck, or its .control block, while the command line stays live", &SimulatorSnapIn::RunDeck, false},
        {"op", "", "runs an operating point", &SimulatorSnapIn::RunAnalysis, false},
        {"tran", "STEP STOP [START [MAXSTEP]]", "runs a transient analysis", &SimulatorSnapIn::RunAnalysis, false},
        {"ac", "dec|oct|lin POINTS FSTART FSTOP", "runs an AC sweep", &SimulatorSnapIn::RunAnalysis, false},
        {"dc", "SOURCE START STOP STEP [SOURCE2 START2 STOP2 STEP2]", "runs a DC sweep (a family of curves with a second source)",
         &SimulatorSnapIn::RunAnalysis, false},
        {"noise", "V(OUT[,REF]) SOURCE dec|oct|lin POINTS FSTART FSTOP", "runs a noise analysis", &SimulatorSnapIn::RunAnalysis, false},
        {"tf", "OUTPUT SOURCE", "computes a small-signal transfer function and the impedances", &SimulatorSnapIn::RunAnalysis, false},
        {"pz", "IN+ IN- OUT+ OUT- vol|cur pz|pol|zer", "computes poles and zeros", &SimulatorSnapIn::RunAnalysis, false},
        {"stop", "", "ends the run, keeping the data so far", &SimulatorSnapIn::Stop, true},
        {"pause", "", "holds the run", &SimulatorSnapIn::Pause, true},
        {"resume", "", "lets a held run go on", &SimulatorSnapIn::Resume, true},
        {"status", "", "tells what the simulator is doing", &SimulatorSnapIn::Status, true},
        {"nodes", "", "lists the signals of the last run in SPICE form, with the suite's and ngspice's names",
         &SimulatorSnapIn::Nodes, true},
        {"probe", "[NAME...]", "measures these signals in every analysis (no names: lists the probes)",
         &SimulatorSnapIn::Probe, true},
        {"unprobe", "NAME...|all", "stops measuring these signals", &SimulatorSnapIn::Unprobe, true},
        {"window", "FROM TO|all", "measures transients between these times only", &SimulatorSnapIn::Window, true},
        {"at", "FREQUENCY", "reads AC gain and phase at this frequency", &SimulatorSnapIn::At, true},
        {"ref", "NAME|none", "takes AC gains against this signal instead of 1 V", &SimulatorSnapIn::Reference, true},
        {"results", "", "prints the measures of every probe in every analysis of the last run",
         &SimulatorSnapIn::Results, true},
        {"meas", "", "prints ngspice's own results of the deck's .meas statements", &SimulatorSnapIn::Meas, false},
        {"spice", "COMMAND...", "hands a command to ngspice as it is", &SimulatorSnapIn::Spice, false},
        {"help", "", "lists these commands", &SimulatorSnapIn::Help, true},
    };
    return commands;
}

SimulatorSnapIn::SimulatorSnapIn()
    : CInstrumentInterface("Simulator", "ngspice"),
      channel_(kChannelRows),
      engine_(channel_),
      driver_(channel_, engine_, events_, *this) {}

SimulatorSnapIn::~SimulatorSnapIn() = default;

long SimulatorSnapIn::Initialize(CGuiFE* gui) {
    const long result = CInstrumentInterface::Initialize(gui);
    std::string error;
    if (result == S_OK && !plots_.Prepare(*gui, error) && !error.empty()) Say(error);
    return result;
}

long SimulatorSnapIn::Uninitialize() {
    driver_.RequestStop();
    plots_.Close();
    return CInstrumentInterface::Uninitialize();
}

long SimulatorSnapIn::ClearAllPages(CString* text) {
    if (text) text->Empty();
    plots_.Close();
    return S_OK;
}

ComItem SimulatorSnapIn::GetNthItem(ComItem::ItemType type, int n) {
    if (type == ComItem::ItemEventSource && n == 0) return ComItem(&events_, false);
    if (type == ComItem::ItemGrapher && n == 0) return plots_.Item();
    return CInstrumentInterface::GetNthItem(type, n);
}

int SimulatorSnapIn::GetNumItems(ComItem::ItemType type) const {
    if (type == ComItem::ItemEventSource) return 1;
    if (type == ComItem::ItemGrapher) return plots_.Item() ? 1 : 0;
    return CInstrumentInterface::GetNumItems(type);
}

long SimulatorSnapIn::GetProperty(long id, OrvVariant& value, const OrvVariant* in, CTreeInstance* instance) {
    switch (id) {
    case kPropCommandHelp: {
        std::vector<CommandHelp> help;
        for (const Command& command : Commands()) help.push_back({command.name, command.arguments, command.summary});
        value.SetValue(CommandHelpText(help).c_str());
        return S_OK;
    }
    case kPropBusy:
        value.SetValue(driver_.IsBusy() ? 1L : 0L);
        return S_OK;
    case kPropFailures:
        value.SetValue(failures_);
        return S_OK;
    case kPropSignalIndex: {
        const CString* name = in ? in->GetString() : nullptr;
        const int signal = name && driver_.IsBusy() && !analyses_.empty() ? analyses_.back()->Find(VeltFromTyped(name->str())) : -1;
        if (signal < 0) return S_FALSE;
        value.SetValue(2L * signal);
        return S_OK;
    }
    case kPropSignalName: {
        const CString* name = in ? in->GetString() : nullptr;
        if (!name || !KnownSignal(name->str())) return S_FALSE;
        value.SetValue(SpiceFromVelt(VeltFromTyped(name->str())).GetNode());
        return S_OK;
    }
    case kPropRunState:
        value.SetValue(!driver_.IsBusy() ? 0L : driver_.IsPaused() ? 1L : 2L);
        return S_OK;
    case kPropRunSteps:
        value.SetValue(static_cast<long>(driver_.Steps()));
        return S_OK;
    case kPropRunFraction:
        if (!driver_.IsBusy() || !span_) return S_FALSE;
        value.SetValue(span_->Fraction(driver_.LastAbscissa()));
        return S_OK;
    case kPropDeck:
        if (lastRead_.empty()) return S_FALSE;
        value.SetValue(lastRead_.c_str());
        return S_OK;
    case kPropDeckReads:
        value.SetValue(deckReads_);
        return S_OK;
    case kPropDeckErrorLine:
        value.SetValue(errorLine_);
        return S_OK;
    default:
        return CInstrumentInterface::GetProperty(id, value, in, instance);
    }
}

long SimulatorSnapIn::ExecuteUnlockedCmd(const char* command, CTreeLog*) {
    Args words = Words(command ? command : "");
    if (words.empty()) return S_OK;
    const std::string name = ToLower(words.front());
    for (const Command& entry : Commands()) {
        if (name != entry.name) continue;
        if (!entry.duringRun && driver_.IsBusy()) return Fail(name + ": not while a run is in progress (stop it first)");
        words.erase(words.begin());
        if (entry.run == &SimulatorSnapIn::RunAnalysis) words.insert(words.begin(), name);
        return (this->*entry.run)(words);
    }
    return Fail("unknown simulator command: " + words.front() + " (help lists them)");
}

long SimulatorSnapIn::Help(const Args&) {
    TextTable table({"command", "arguments", "what it does"});
    for (const Command& command : Commands()) table.AddRow({command.name, command.arguments, command.summary});
    for (const std::string& line : table.Lines()) Say(line);
    return S_OK;
}

CTreeLog* SimulatorSnapIn::ReplyLog() { return CommandLineLog(GetGuiFE()); }

HTREEITEM SimulatorSnapIn::Say(const std::string& text) {
    HTREEITEM item = nullptr;
    if (CTreeLog* log = ReplyLog()) log->AddText(kReplyStyle, text.c_str(), &item, 1);
    return item;
}

long SimulatorSnapIn::Fail(const std::string& text) {
    ++failures_;
    Say(text);
    return S_FALSE;
}

HTREEITEM SimulatorSnapIn::SayUnder(HTREEITEM parent, const std::string& text) {
    CTreeLog* log = ReplyLog();
    if (!log) return nullptr;
    HTREEITEM item = nullptr;
    if (!parent || log->AddText(parent, kReplyStyle, text.c_str(), &item, 1) != S_OK) {
        log->AddText(TVI_ROOT, kReplyStyle, text.c_str(), &item, 1);
    }
    return item;
}

void SimulatorSnapIn::SayTable(HTREEITEM parent, const std::string& title, const std::vector<std::string>& lines) {
    HTREEITEM heading = parent ? SayUnder(parent, title) : Say(title);
    for (const std::string& line : lines) SayUnder(heading, line);
}

void SimulatorSnapIn::ToAuditTrail(const std::string& text) {
    if (CTreeLog* log = GetGuiFE().GetNthItem(ComItem::ItemCmdLog, -1).GetCmdLog()) {
        log->AddText(kDetailStyle, text.c_str(), nullptr, 0);
    }
}

bool SimulatorSnapIn::PrepareEngine() {
    std::string error;
    const bool ready = engine_.Prepare(error);
    ChannelBatch batch;
    channel_.TakeAll(batch);
    for (const std::string& text : batch.texts) ToAuditTrail(WithoutStreamPrefix(text));
    if (!ready) {
        ReportExit();
        Fail(error);
    }
    return ready;
}

bool SimulatorSnapIn::ReportExit() {
    int status = 0;
    std::string crash;
    if (engine_.TakeExit(status)) {
        Fail("ngspice exited (status " + std::to_string(status) + ")");
    } else if (engine_.TakeCrash(crash)) {
        Fail(crash);
    } else {
        return false;
    }
    // The deck stays loaded: the engine hands it to the fresh ngspice.
    Say("a fresh ngspice takes over at the next command that needs one");
    return true;
}

AnalysisRecord::Fetch SimulatorSnapIn::EngineFetch() {
    return [this](const AnalysisRecord& record, int signal, std::vector<double>& values, bool& complex) {
        // During a run the engine answers nothing but a halt.
        if (driver_.IsBusy()) return AnalysisRecord::Fetched::kNotNow;
        const std::string& name = record.Signals()[static_cast<std::size_t>(signal)].ngspice;
        const bool fetched = engine_.FetchVector(record.Plot(), name, values, complex);
        ReportExit();
        return fetched ? AnalysisRecord::Fetched::kYes : AnalysisRecord::Fetched::kNever;
    };
}

const AnalysisMeasures& SimulatorSnapIn::MeasuresOf(std::size_t analysis) {
    std::unique_ptr<AnalysisMeasures>& measures = measures_[analysis];
    if (!measures || measures->Version() != settings_.version) {
        measures = std::make_unique<AnalysisMeasures>(*analyses_[analysis], settings_);
        measures->AddAll(*analyses_[analysis]);
    }
    return *measures;
}

}  // namespace veltsim
