#include "session.h"

#include <cstdlib>
#include <filesystem>

#include "plotting_module.h"
#include "snapin_protocol.h"

namespace veltsim {

namespace {

constexpr const char* kDefaultPlotsFolder = "veltsim-plots";
// A second Ctrl-C this soon after the one that stopped a run quits.
constexpr DWORD kQuitInterval = 1000;

bool messagesWaiting() {
    MSG msg;
    return PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE) != FALSE;
}

}  // namespace

Session::Session(SessionOptions options)
    : options_(std::move(options)), log_("veltsim command line", options_.print), console_(log_) {}

Session::~Session() { Shutdown(); }

bool Session::Start() {
    if (started_) return !startFailed_;
    started_ = true;
    // A thread's message queue comes into being when the thread first uses it; until then what
    // the reader and the interrupt watch post to this thread's windows would be dropped.
    messagesWaiting();
    // Before any module can start a thread of its own, which would take SIGINT otherwise.
    if (options_.catchInterrupts) interrupts_.Start([this](DWORD tick) { Interrupted(tick); });
    for (const std::string& file : options_.modules) {
        auto module = std::make_unique<SnapInModule>();
        std::string error;
        if (!module->Load(file, error)) {
            if (options_.print) options_.print(error);
            startFailed_ = true;
            return false;
        }
        modules_.push_back(std::move(module));
    }
    initialReferences_ = CountReferences();
    ChoosePlotsFolder();
    // At a terminal nobody answers a message box: what it says goes into the log, and its
    // default button answers ("<<Load Grapher_dll failed>>" is one).
    if (!options_.desktop) {
        previousBoxes_ = SetMessageBoxService([this](const MessageBoxRequest& box) {
            log_.AddText(0, ("message: " + std::string(box.text.str())).c_str(), nullptr, 1);
            return DefaultMessageBoxAnswer(box.type);
        });
    }

    log_.Initialize(nullptr);
    if (!options_.desktop) log_.SetCmdLogName("veltsim command line");
    log_.AttachSnapIn(&console_);
    log_.Show(1);

    container_.Create(&frontEnd_);
    for (CInstrumentInterface* snapIn : SnapIns()) container_.AddSnapin(snapIn);
    frontEnd_.Initialize(&container_);
    ComItem item(&log_, true);
    item.SetName(kCommandLineLogName);
    frontEnd_.Register(item);
    for (CInstrumentInterface* snapIn : SnapIns()) snapIn->Initialize(&frontEnd_);
    // The first request for the simulator hooks the front end's sink to its events.
    frontEnd_.GetNthSnapIn(-1);
    wired_ = true;

    if (options_.input != SessionOptions::Input::None) {
        reader_.Start(options_.inputFd, log_.GetDialog()->GetCommandEntry()->GetSafeHwnd(),
                      options_.input == SessionOptions::Input::Typed ? InputReader::Mode::Type : InputReader::Mode::Keep);
    }
    return true;
}

int Session::Execute() {
    if (Start()) Run();
    Shutdown();
    return startFailed_ || failures_ > 0 ? 1 : 0;
}

void Session::Shutdown() {
    if (!wired_) return;
    wired_ = false;
    reader_.Stop();
    interrupts_.Stop();
    failures_ = CountFailures();
    // The snap-ins may still answer while they are uninitialised (storing the instruments).
    container_.Clear_Snapins_and_GuIF();
    frontEnd_.Unregister(ComItem(&log_, false));
    log_.AttachSnapIn(nullptr);
    log_.Uninitialize();
    if (!options_.desktop) SetMessageBoxService(std::move(previousBoxes_));
}

void Session::ChoosePlotsFolder() {
    plotting_.Take();
    auto setOutput = reinterpret_cast<GRAPHERSETOUTPUTDIRECTORYPROC>(
        GetProcAddress(plotting_.Module(), "GrapherSetOutputDirectory"));
    // Another plotting module keeps its own choice, which this application does not know.
    if (!setOutput) return;
    std::string folder = options_.plots;
    const char* variable = std::getenv("VELT_GRAPHER_OUTPUT");
    if (folder.empty()) folder = variable && *variable ? variable : kDefaultPlotsFolder;
    std::error_code error;
    plotsFolder_ = std::filesystem::absolute(folder, error).lexically_normal().string();
    setOutput(plotsFolder_.c_str());
}

std::string Session::PlotsIndex() const {
    if (plotsFolder_.empty()) return "";
    const std::filesystem::path index = std::filesystem::path(plotsFolder_) / "index.html";
    std::error_code error;
    return std::filesystem::exists(index, error) ? index.string() : "";
}

CInstrumentInterface* Session::Simulator() {
    for (const auto& module : modules_) {
        if (module->SnapIn()->GetType() == CInstrumentInterface::TypeSimulator) return module->SnapIn();
    }
    return nullptr;
}

std::vector<CInstrumentInterface*> Session::SnapIns() {
    std::vector<CInstrumentInterface*> snapIns{&console_};
    for (const auto& module : modules_) snapIns.push_back(module->SnapIn());
    return snapIns;
}

Session::References Session::CountReferences() {
    References counts{{frontEnd_.GetName(), frontEnd_.GetRefCount()}, {log_.GetName(), log_.GetRefCount()}};
    for (CInstrumentInterface* snapIn : SnapIns()) {
        counts.emplace_back(snapIn->GetName(), snapIn->GetRefCount());
        if (CEventSource* source = snapIn->GetNthItem(ComItem::ItemEventSource, 0).GetEventSource()) {
            counts.emplace_back(std::string(snapIn->GetName()) + " events", source->GetRefCount());
        }
    }
    return counts;
}

long Session::CountFailures() {
    long failures = 0;
    for (CInstrumentInterface* snapIn : SnapIns()) {
        OrvVariant value;
        if (snapIn->GetProperty(kPropFailures, value, nullptr, nullptr) == S_OK && value.GetInt()) failures += *value.GetInt();
    }
    return failures;
}

bool Session::AnyBusy() {
    for (CInstrumentInterface* snapIn : SnapIns()) {
        OrvVariant value;
        if (snapIn->GetProperty(kPropBusy, value, nullptr, nullptr) == S_OK && value.GetInt() && *value.GetInt()) return true;
    }
    return false;
}

BOOL Session::OnIdle(long count) {
    const BOOL more = CCorouteWinApp::OnIdle(count);
    if (!wired_ || quitPosted_) return more;
    if (ReadyToQuit()) {
        // Only at the loop's own level: a yield would take the quit message as its own end.
        quitPosted_ = true;
        PostQuitMessage(0);
        return FALSE;
    }
    if (options_.input != SessionOptions::Input::Typed) TypeNextLine();
    return more;
}

bool Session::ReadyToQuit() {
    if (frontEnd_.GetMessageProcessing()->GetYieldLevel() > 0 || messagesWaiting() || AnyBusy()) return false;
    if (console_.QuitRequested()) return true;
    if (options_.input == SessionOptions::Input::Typed) return reader_.Ended();
    // Ended first: every line read is kept by then.
    const bool inputEnded = options_.input == SessionOptions::Input::None || reader_.Ended();
    TakeInputLines();
    return !options_.desktop && inputEnded && nextLine_ >= options_.script.size();
}

void Session::TakeInputLines() {
    for (const std::string& text : reader_.TakeLines()) {
        for (ScriptLine& line : ScriptLines(text)) options_.script.push_back(std::move(line));
    }
}

void Session::Interrupted(DWORD tick) {
    const bool again = lastInterrupt_ && tick - *lastInterrupt_ < kQuitInterval;
    lastInterrupt_ = tick;
    console_.ExecuteCmd(AnyBusy() && !again ? "stop" : "quit", 0, &log_);
}

void Session::TypeNextLine() {
    TakeInputLines();
    if (nextLine_ >= options_.script.size() || messagesWaiting()) return;
    if (waitForRun_ && AnyBusy()) return;
    const ScriptLine& line = options_.script[nextLine_++];
    CEdit& entry = *log_.GetDialog()->GetCommandEntry();
    PostTypedText(entry, line.text.c_str());
    PostTypedText(entry, "\r");
    // A line can only have started a run when none was going on; one typed during a run
    // (status, stop) lets the script go on as soon as it is answered.
    waitForRun_ = !line.background && !AnyBusy();
}

}  // namespace veltsim
