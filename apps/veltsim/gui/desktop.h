#pragma once

#include <memory>
#include <string>

#include "desktop_requests.h"
#include "main_window.h"
#include "session.h"

namespace veltsim::gui {

// veltsim on the desktop, on the Qt face chosen before: the session with its command line and
// log window, the live plotting module ahead of the drawing one, and the main window, until
// quit.
class Desktop {
public:
    // `program` is the running program's path, from which the live plotting module is found.
    Desktop(SessionOptions options, const std::string& program);
    ~Desktop();

    // Starts the session and shows the main window; false when the session could not start.
    bool Start();
    // Start, then the host's loop until the session ends: 0, or 1 when it could not start.
    int Execute();

    Session& GetSession() { return *session_; }
    MainWindow& Window() { return *window_; }

private:
    std::string liveFolder_;
    std::unique_ptr<Session> session_;
    std::unique_ptr<DesktopRequests> requests_;
    std::unique_ptr<MainWindow> window_;
    bool started_ = false;
};

// The desktop mode of the program: chooses the Qt face, says why on stderr and answers 1 when it
// cannot show windows here, else runs a Desktop to its end.
int RunDesktop(SessionOptions options, const std::string& program);

}  // namespace veltsim::gui
