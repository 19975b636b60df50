#include "desktop.h"

#include <QApplication>

#include <cstdio>

#include "module_folder.h"

namespace veltsim::gui {

namespace {

SessionOptions forDesktop(SessionOptions options) {
    options.desktop = true;
    options.input = SessionOptions::Input::None;
    options.catchInterrupts = false;
    return options;
}

}  // namespace

Desktop::Desktop(SessionOptions options, const std::string& program) : liveFolder_(LiveModuleFolder(program)) {
    // Before anything loads "grapher.dll": the session chooses the plots folder at its start.
    if (!liveFolder_.empty()) PutModuleFolderFirst(liveFolder_);
    session_ = std::make_unique<Session>(forDesktop(std::move(options)));
    requests_ = std::make_unique<DesktopRequests>(*session_);
}

Desktop::~Desktop() {
    // The window looks at the session: it goes first.
    window_.reset();
    requests_.reset();
    session_.reset();
}

bool Desktop::Start() {
    if (started_) return window_ != nullptr;
    started_ = true;
    if (!session_->Start()) return false;
    if (liveFolder_.empty()) {
        session_->Log().AddText(0, "live plots: the live plotting module was not found; pages are drawn into files", nullptr, 1);
    }
    window_ = std::make_unique<MainWindow>(*session_, *requests_);
    window_->show();
    return true;
}

int Desktop::Execute() {
    if (!Start()) {
        session_->Shutdown();
        return 1;
    }
    session_->Run();
    window_->SessionEnded();
    window_->close();
    session_->Shutdown();
    return 0;
}

int RunDesktop(SessionOptions options, const std::string& program) {
    if (!VeltSelectFace("qt")) {
        std::fputs("veltsim: --gui needs a display to show its windows (set DISPLAY, or QT_QPA_PLATFORM=offscreen)\n", stderr);
        return 1;
    }
    QCoreApplication::setApplicationName(QStringLiteral("veltsim"));
    Desktop desktop(std::move(options), program);
    return desktop.Execute();
}

}  // namespace veltsim::gui
