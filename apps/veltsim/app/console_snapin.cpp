#include "console_snapin.h"

#include <algorithm>
#include <sstream>

#include "snapin_protocol.h"
#include "text_table.h"
#include "text_util.h"

namespace veltsim {

namespace {

constexpr std::size_t kDefaultTrailLines = 20;

const std::vector<CommandHelp>& consoleCommands() {
    static const std::vector<CommandHelp> commands = {
        {"help", "", "lists the commands of every snap-in"},
        {"quit", "", "ends the session once the run in progress has stopped"},
        {"trail", "[LINES]", "prints the end of the audit trail (ngspice's own output)"},
    };
    return commands;
}

// Restores the log's relative root however the command ends.
class RelativeRoot {
public:
    RelativeRoot(CTreeLog& log, HTREEITEM root) : log_(log), previous_(log.SetRelativeRootText(root)) {}
    ~RelativeRoot() { log_.SetRelativeRootText(previous_); }
    RelativeRoot(const RelativeRoot&) = delete;
    RelativeRoot& operator=(const RelativeRoot&) = delete;

private:
    CTreeLog& log_;
    HTREEITEM previous_;
};

}  // namespace

std::vector<CommandHelp> CommandsOf(CInstrumentInterface& snapIn) {
    OrvVariant value;
    if (snapIn.GetProperty(kPropCommandHelp, value, nullptr, nullptr) != S_OK || !value.GetString()) return {};
    return ParseCommandHelp(value.GetString()->str());
}

ConsoleSnapIn::ConsoleSnapIn(CTreeLog& log) : CInstrumentInterface("ComUtilities", "command line"), log_(log) {}

long ConsoleSnapIn::GetProperty(long id, OrvVariant& value, const OrvVariant* in, CTreeInstance* instance) {
    if (id == kPropCommandHelp) {
        value.SetValue(CommandHelpText(consoleCommands()).c_str());
        return S_OK;
    }
    if (id == kPropFailures) {
        value.SetValue(failures_);
        return S_OK;
    }
    return CInstrumentInterface::GetProperty(id, value, in, instance);
}

long ConsoleSnapIn::ExecuteUnlockedCmd(const char* command, CTreeLog*) {
    const std::string line = Trimmed(command ? command : "");
    if (line.empty()) return S_OK;
    HTREEITEM item = nullptr;
    log_.AddText(TVI_ROOT, 0, line.c_str(), &item, 1);
    RelativeRoot root(log_, item ? item : TVI_ROOT);
    const long result = Dispatch(line);
    ++answered_;
    return result;
}

long ConsoleSnapIn::Dispatch(const std::string& line) {
    std::vector<std::string> words = Words(line);
    const std::string first = ToLower(words.front());
    if (first == "help" && words.size() == 1) return Help();
    if (first == "quit" || first == "exit") return Quit();
    if (first == "trail") return Trail(words);
    CGuiFE& frontEnd = GetGuiFE();
    for (int n = 0; n < frontEnd.NumberOfSnapIns(); ++n) {
        CInstrumentInterface* snapIn = frontEnd.GetNthSnapIn(n);
        if (snapIn && snapIn != this && ToLower(snapIn->GetName()) == first && words.size() > 1) {
            return snapIn->ExecuteCmd(Trimmed(line.substr(words.front().size())).c_str(), 0, &log_);
        }
    }
    if (CInstrumentInterface* owner = OwnerOf(first)) return owner->ExecuteCmd(line.c_str(), 0, &log_);
    ++failures_;
    Say("unknown command: " + words.front() + " (help lists the commands)");
    return S_FALSE;
}

CInstrumentInterface* ConsoleSnapIn::OwnerOf(const std::string& command) {
    CGuiFE& frontEnd = GetGuiFE();
    for (int n = 0; n < frontEnd.NumberOfSnapIns(); ++n) {
        CInstrumentInterface* snapIn = frontEnd.GetNthSnapIn(n);
        if (!snapIn || snapIn == this) continue;
        const std::vector<CommandHelp> commands = CommandsOf(*snapIn);
        if (std::any_of(commands.begin(), commands.end(), [&](const CommandHelp& c) { return c.name == command; })) {
            return snapIn;
        }
    }
    return nullptr;
}

long ConsoleSnapIn::Help() {
    CGuiFE& frontEnd = GetGuiFE();
    for (int n = 0; n < frontEnd.NumberOfSnapIns(); ++n) {
        CInstrumentInterface* snapIn = frontEnd.GetNthSnapIn(n);
        if (!snapIn) continue;
        HTREEITEM heading = nullptr;
        log_.AddText(0, snapIn->GetFullName(), &heading, 1);
        const std::vector<CommandHelp> commands = CommandsOf(*snapIn);
        if (commands.empty()) {
            log_.AddText(heading, 0, "no commands of its own", nullptr, 1);
            continue;
        }
        TextTable table({"command", "arguments", "what it does"});
        for (const CommandHelp& c : commands) table.AddRow({c.name, c.arguments, c.summary});
        for (const std::string& line : table.Lines()) log_.AddText(heading, 0, line.c_str(), nullptr, 1);
    }
    return S_OK;
}

long ConsoleSnapIn::Quit() {
    // The run is stopping already; asking again would fail.
    if (quitRequested_) {
        Say("quitting");
        return S_OK;
    }
    quitRequested_ = true;
    bool running = false;
    CGuiFE& frontEnd = GetGuiFE();
    for (int n = 0; n < frontEnd.NumberOfSnapIns(); ++n) {
        CInstrumentInterface* snapIn = frontEnd.GetNthSnapIn(n);
        OrvVariant busy;
        if (!snapIn || snapIn == this || snapIn->GetProperty(kPropBusy, busy, nullptr, nullptr) != S_OK) continue;
        if (busy.GetInt() && *busy.GetInt()) {
            running = true;
            snapIn->ExecuteCmd("stop", 0, &log_);
        }
    }
    Say(running ? "quitting once the run has stopped" : "quitting");
    return S_OK;
}

long ConsoleSnapIn::Trail(const std::vector<std::string>& args) {
    std::size_t count = kDefaultTrailLines;
    if (args.size() > 1) count = static_cast<std::size_t>(std::max(1L, std::atol(args[1].c_str())));
    auto* trail = dynamic_cast<CCmdLog*>(GetGuiFE().GetNthItem(ComItem::ItemCmdLog, -1).GetCmdLog());
    if (!trail || !trail->GetDialog()) {
        ++failures_;
        Say("trail: there is no audit trail");
        return S_FALSE;
    }
    std::vector<std::string> lines;
    std::istringstream text(trail->GetDialog()->FormatLines().str());
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    const std::size_t first = lines.size() > count ? lines.size() - count : 0;
    for (std::size_t i = first; i < lines.size(); ++i) Say(lines[i]);
    return S_OK;
}

void ConsoleSnapIn::Say(const std::string& text) { log_.AddText(0, text.c_str(), nullptr, 1); }

}  // namespace veltsim
