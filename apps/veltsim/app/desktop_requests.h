#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>

#include <veltutil/veltutil.h>

#include "message_window.h"
#include "session.h"

namespace veltsim {

// What the desktop's menus and tool bar ask of a session. Each request is posted to a window
// of the user-interface thread and carried out when the host's loop takes it, as what a person
// types into the command line window is: never inside the toolkit's own event handling, and
// every command goes into the log as a typed line.
class DesktopRequests {
public:
    explicit DesktopRequests(Session& session);
    DesktopRequests(const DesktopRequests&) = delete;
    DesktopRequests& operator=(const DesktopRequests&) = delete;
    ~DesktopRequests();

    // A command line, as if typed into the command line window's entry.
    void Submit(std::string command);
    // Asks for a deck with the file dialog, then loads the chosen one.
    void OpenDeck();
    // Shows or hides the command line and log window.
    void ShowLog(bool show);
    // Quits as quit does, after asking whether to stop a run going on.
    void Quit();

private:
    void Post(std::function<void()> job);
    void RunNext();

    Session& session_;
    std::unique_ptr<MessageWindow> window_;
    std::deque<std::function<void()>> jobs_;
};

}  // namespace veltsim
