#include "main_window.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace veltsim::gui {

namespace {

// Ten times a second: more would not be seen, and each look costs the run a little.
constexpr int kRefreshMs = 100;

}  // namespace

MainWindow::MainWindow(Session& session, DesktopRequests& requests)
    : session_(session), requests_(requests), deck_(new DeckView(this)), status_(std::make_unique<RunStatusBar>(*statusBar())) {
    setWindowTitle(QStringLiteral("veltsim"));
    setCentralWidget(deck_);
    resize(760, 560);
    QToolBar& tools = *addToolBar(tr("Actions"));
    tools.setObjectName(QStringLiteral("actions"));

    QMenu& file = *menuBar()->addMenu(tr("&File"));
    tools.addAction(AddAction(file, tr("&Open deck…"), QKeySequence::Open, [this] { requests_.OpenDeck(); }));
    tools.addAction(AddCommand(file, tr("&Reload"), QKeySequence(Qt::Key_F5), QStringLiteral("reload")));
    recentMenu_ = file.addMenu(tr("Recent decks"));
    file.addSeparator();
    QAction* quit = AddAction(file, tr("&Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { requests_.Quit(); });

    QMenu& simulation = *menuBar()->addMenu(tr("&Simulation"));
    tools.addSeparator();
    run_ = AddCommand(simulation, tr("&Run"), QKeySequence(Qt::CTRL | Qt::Key_R), QStringLiteral("run"));
    pause_ = AddAction(simulation, tr("&Pause"), QKeySequence(Qt::CTRL | Qt::Key_P),
                       [this] { requests_.Submit(held_ ? "resume" : "pause"); });
    stop_ = AddCommand(simulation, tr("&Stop"), QKeySequence(Qt::CTRL | Qt::Key_T), QStringLiteral("stop"));
    for (QAction* action : {run_, pause_, stop_}) tools.addAction(action);

    QMenu& instruments = *menuBar()->addMenu(tr("&Instruments"));
    tools.addSeparator();
    tools.addAction(AddAction(instruments, tr("New &meter"), {}, [this] { NewInstrument("XMM", meters_); }));
    tools.addAction(AddAction(instruments, tr("New &oscilloscope"), {}, [this] { NewInstrument("XSC", scopes_); }));

    QMenu& view = *menuBar()->addMenu(tr("&View"));
    showLog_ = AddAction(view, tr("&Command line and log"), QKeySequence(Qt::CTRL | Qt::Key_L), [this] { requests_.ShowLog(showLog_->isChecked()); });
    showLog_->setCheckable(true);
    showLog_->setChecked(true);
    tools.addSeparator();
    tools.addAction(showLog_);
    tools.addAction(quit);

    FillRecent();
    connect(&timer_, &QTimer::timeout, this, &MainWindow::Refresh);
    timer_.start(kRefreshMs);
    Refresh();
}

MainWindow::~MainWindow() = default;

QAction* MainWindow::AddAction(QMenu& menu, const QString& text, const QKeySequence& keys, std::function<void()> act) {
    QAction* action = menu.addAction(text);
    action->setShortcut(keys);
    // The plot, instrument and log windows are the application's too: Ctrl+P pauses and Ctrl+Q
    // quits whichever of them a person is looking at.
    action->setShortcutContext(Qt::ApplicationShortcut);
    connect(action, &QAction::triggered, this, std::move(act));
    return action;
}

QAction* MainWindow::AddCommand(QMenu& menu, const QString& text, const QKeySequence& keys, const QString& command) {
    return AddAction(menu, text, keys, [this, command] { requests_.Submit(command.toStdString()); });
}

void MainWindow::NewInstrument(const char* kind, int& count) {
    // Shown at once: an instrument is made to be looked at.
    const std::string refId = kind + std::to_string(++count);
    requests_.Submit("new " + refId);
    requests_.Submit("show " + refId);
}

void MainWindow::FillRecent() {
    recentMenu_->clear();
    for (const QString& deck : recent_.List()) {
        connect(recentMenu_->addAction(deck), &QAction::triggered, this, [this, deck] { requests_.Submit("load " + deck.toStdString()); });
    }
    recentMenu_->setEnabled(!recentMenu_->isEmpty());
}

void MainWindow::Refresh() {
    CInstrumentInterface* simulator = session_.Simulator();
    if (!simulator) return;
    const RunStatus status = ReadRunStatus(*simulator);
    pace_.Sample(status, GetTickCount());
    status_->Show(status, pace_);
    const bool going = status.state != RunStatus::State::Stopped;
    held_ = status.state == RunStatus::State::Held;
    run_->setEnabled(!going);
    pause_->setEnabled(going);
    pause_->setText(held_ ? tr("Res&ume") : tr("&Pause"));
    stop_->setEnabled(going);
    const CCmdLogDlg* log = session_.Log().GetDialog();
    showLog_->setChecked(log && log->IsWindowVisible());
    if (status.deckReads != deckReads_) DeckRead(status);
}

void MainWindow::DeckRead(const RunStatus& status) {
    deckReads_ = status.deckReads;
    const QString path = QString::fromStdString(status.deck);
    setWindowTitle(QStringLiteral("veltsim — %1").arg(QFileInfo(path).fileName()));
    deck_->ShowFile(path);
    deck_->MarkLine(static_cast<int>(status.errorLine));
    recent_.Add(path);
    FillRecent();
}

void MainWindow::SessionEnded() {
    ended_ = true;
    timer_.stop();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (ended_) {
        event->accept();
        return;
    }
    // The session decides, asking first while a run goes on; it closes the window when it ends.
    event->ignore();
    requests_.Quit();
}

}  // namespace veltsim::gui
