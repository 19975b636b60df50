#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QTimer>

#include <functional>
#include <memory>

#include "deck_view.h"
#include "desktop_requests.h"
#include "recent_decks.h"
#include "run_status.h"
#include "run_status_bar.h"
#include "session.h"

namespace veltsim::gui {

// The desktop's main window: the deck, the run's progress, and menus and a tool bar whose
// every action is a request to the session (a command typed into the command line, the file
// dialog, the quit question), so that the desktop does nothing the command line could not.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Session& session, DesktopRequests& requests);
    ~MainWindow() override;

    // Takes the simulator's state into the window; the window's timer calls it ten times a second.
    void Refresh();
    // Once the session has ended the window stops looking at it and closes without asking.
    void SessionEnded();

    DeckView& Deck() { return *deck_; }
    RunStatusBar& Status() { return *status_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* AddAction(QMenu& menu, const QString& text, const QKeySequence& keys, std::function<void()> act);
    QAction* AddCommand(QMenu& menu, const QString& text, const QKeySequence& keys, const QString& command);
    void NewInstrument(const char* kind, int& count);
    void FillRecent();
    void DeckRead(const RunStatus& status);

    Session& session_;
    DesktopRequests& requests_;
    RecentDecks recent_;
    DeckView* deck_;
    std::unique_ptr<RunStatusBar> status_;
    RunPace pace_;
    QTimer timer_;
    QMenu* recentMenu_ = nullptr;
    QAction* run_ = nullptr;
    QAction* pause_ = nullptr;
    QAction* stop_ = nullptr;
    QAction* showLog_ = nullptr;
    long deckReads_ = 0;
    int meters_ = 0;
    int scopes_ = 0;
    bool held_ = false;
    bool ended_ = false;
};

}  // namespace veltsim::gui
