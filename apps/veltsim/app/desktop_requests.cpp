#include "desktop_requests.h"

#include "snapin_protocol.h"

namespace veltsim {

namespace {

constexpr UINT kRequestMessage = WM_USER + 3;
constexpr const char* kDeckFilter = "SPICE decks (*.cir;*.sp;*.spi;*.net)|*.cir;*.sp;*.spi;*.net|All files (*)|*||";

}  // namespace

DesktopRequests::DesktopRequests(Session& session)
    : session_(session), window_(std::make_unique<MessageWindow>("veltsim desktop requests", kRequestMessage, [this](WPARAM) { RunNext(); })) {}

DesktopRequests::~DesktopRequests() = default;

void DesktopRequests::Post(std::function<void()> job) {
    jobs_.push_back(std::move(job));
    window_->Post();
}

void DesktopRequests::RunNext() {
    if (jobs_.empty()) return;
    // Taken off first: a job may pump messages (a modal question) and so run the next one.
    std::function<void()> job = std::move(jobs_.front());
    jobs_.pop_front();
    job();
}

void DesktopRequests::Submit(std::string command) {
    Post([this, command = std::move(command)] { session_.Log().ExecuteCmd(command.c_str()); });
}

void DesktopRequests::OpenDeck() {
    Post([this] {
        CFileDialog dialog(TRUE, "cir", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kDeckFilter);
        if (dialog.DoModal() == IDOK) session_.Log().ExecuteCmd(("load " + std::string(dialog.GetPathName().str())).c_str());
    });
}

void DesktopRequests::ShowLog(bool show) {
    Post([this, show] { session_.Log().Show(show ? 1 : 0); });
}

void DesktopRequests::Quit() {
    Post([this] {
        CInstrumentInterface* simulator = session_.Simulator();
        OrvVariant busy;
        const bool running = simulator && simulator->GetProperty(kPropBusy, busy, nullptr, nullptr) == S_OK && busy.GetInt() && *busy.GetInt();
        if (running && MessageBox(nullptr, "A simulation is running. Stop it and quit?", "veltsim", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
        session_.Log().ExecuteCmd("quit");
    });
}

}  // namespace veltsim
