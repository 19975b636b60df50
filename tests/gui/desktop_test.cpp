#include <QAbstractButton>
#include <QApplication>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "desktop_person.h"
#include "tests/face/face_support.h"
#include "tests/support/scripted_services.h"
#include "tests/support/temp_dir.h"

namespace {

using veltsim::gui::Desktop;
using veltsim::gui::MainWindow;
using veltsimtest::DesktopPerson;

// ngspice's engine beside the program it serves, not beside the checks.
const bool kEngineFound = ::setenv("VELTSIM_ENGINE", VELTSIM_ENGINE_PROGRAM, 0) == 0;

// The RC low-pass sample made long (500,008 steps), so that a run lasts long enough to be paused.
std::string longDeck(const TempDir& dir) {
    std::ifstream sample(VELT_TEST_SOURCE_DIR "/samples/rc_lowpass.cir");
    const std::string path = dir / "rc_long.cir";
    std::ofstream deck(path);
    for (std::string line; std::getline(sample, line);) deck << (line.rfind(".tran", 0) == 0 ? ".tran 20n 1 0 20n" : line) << "\n";
    return path;
}

// A line of the tree without the blanks that its expanded tabs leave at its end.
std::string textOf(CTreeCtrl& tree, HTREEITEM item) {
    std::string text = tree.GetItemText(item).str();
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

// The log's top-level lines (the commands as typed), each with the lines under it.
std::vector<std::string> commandsIn(CCmdLog& log) {
    std::vector<std::string> lines;
    CTreeCtrl& tree = *log.GetDialog()->GetTree();
    for (HTREEITEM item = tree.GetRootItem(); item; item = tree.GetNextSiblingItem(item)) {
        std::string line = textOf(tree, item);
        for (HTREEITEM child = tree.GetChildItem(item); child; child = tree.GetNextSiblingItem(child)) {
            line += " | " + textOf(tree, child);
        }
        lines.push_back(line);
    }
    return lines;
}

bool logHas(CCmdLog& log, const std::string& text) {
    for (const std::string& line : commandsIn(log)) {
        if (line.find(text) != std::string::npos) return true;
    }
    return false;
}

struct DesktopChecks : ::testing::Test {
    DesktopChecks() {
        options.plots = dir / "plots";
        options.print = [this](const std::string& line) { printed.push_back(line); };
    }
    // Whether a line of the log, as printed, holds `text`: the log's window is gone with the session.
    bool Printed(const std::string& text) const {
        return std::any_of(printed.begin(), printed.end(), [&](const std::string& line) { return line.find(text) != std::string::npos; });
    }

    Desktop& Make() {
        desktop = std::make_unique<Desktop>(options, VELTSIM_PROGRAM);
        EXPECT_TRUE(desktop->Start());
        window().activateWindow();
        QApplication::setActiveWindow(&window());
        return *desktop;
    }
    MainWindow& window() { return desktop->Window(); }
    CCmdLog& log() { return desktop->GetSession().Log(); }
    void Keys(QKeyCombination keys) { QTest::keyClick(&window(), keys.key(), keys.keyboardModifiers()); }
    void Click(const QString& action) {
        auto* tools = window().findChild<QToolBar*>();
        for (QAction* each : tools->actions()) {
            if (each->text().remove('&') == action) QTest::mouseClick(tools->widgetForAction(each), Qt::LeftButton);
        }
    }
    QMenu* Menu(const QString& title) {
        for (QAction* each : window().menuBar()->actions()) {
            if (each->text().remove('&') == title) return each->menu();
        }
        return nullptr;
    }
    int Progress() { return window().Status().Progress().value(); }
    QString State() { return window().Status().State().text(); }

    TempDir dir;
    veltsim::SessionOptions options;
    std::unique_ptr<Desktop> desktop;
    std::vector<std::string> printed;
    ScriptedMessageBoxes boxes;
    ScriptedFileDialogs files;
};

TEST_F(DesktopChecks, ADeckOpenedThroughTheFileDialogRunsPausesResumesStopsAndQuits) {
    const std::string deck = longDeck(dir);
    files.Choose(deck.c_str());
    Make();
    EXPECT_EQ(window().windowTitle(), "veltsim");
    int held = 0;
    DesktopPerson person;
    person.Then("the window", [] { return true; }, [&] { Keys(Qt::CTRL | Qt::Key_O); })
        .Then("the deck", [&] { return window().windowTitle() == QString::fromUtf8("veltsim — rc_long.cir"); },
              [&] {
                  EXPECT_TRUE(window().Deck().toPlainText().contains(".tran 20n 1 0 20n"));
                  Click("Run");
              })
        .Then("the run's progress", [&] { return State() == "running" && Progress() > 0; }, [&] { Keys(Qt::CTRL | Qt::Key_P); })
        .Then("the pause", [&] { return State() == "paused"; },
              [&] {
                  held = Progress();
                  Keys(Qt::CTRL | Qt::Key_P);
              })
        .Then("the run going on", [&] { return State() == "running" && Progress() > held; }, [&] { Keys(Qt::CTRL | Qt::Key_T); })
        .Then("the stop", [&] { return State().isEmpty(); },
              [&] {
                  EXPECT_GT(Progress(), held);
                  EXPECT_LT(Progress(), veltsim::gui::RunStatusBar::kProgressSteps);
                  Keys(Qt::CTRL | Qt::Key_Q);
              });
    EXPECT_EQ(person.Run(*desktop), 0);

    ASSERT_EQ(files.Requests().size(), 1u);
    EXPECT_TRUE(files.Requests()[0].open);
    // Every action went through the command line, as typed.
    std::vector<std::string> commands;
    for (const std::string& line : printed) {
        if (line.rfind("> ", 0) == 0) commands.push_back(line.substr(2));
    }
    const std::vector<std::string> expected{"load " + deck, "run", "pause", "resume", "stop", "quit"};
    EXPECT_TRUE(std::search(commands.begin(), commands.end(), expected.begin(), expected.end()) != commands.end())
        << ::testing::PrintToString(commands);
    EXPECT_TRUE(Printed("stopped by request")) << ::testing::PrintToString(printed);
    // No question while nothing ran.
    EXPECT_TRUE(boxes.Requests().empty());
}

TEST_F(DesktopChecks, ClosingDuringARunAsksNoKeepsItGoingYesStopsAndSavesTheInstruments) {
    const std::string deck = longDeck(dir);
    options.script = veltsim::ScriptLines("load " + deck);
    Make();
    boxes.Answer(IDNO);
    boxes.Answer(IDYES);
    QMenu* instruments = Menu("Instruments");
    ASSERT_NE(instruments, nullptr);
    DesktopPerson person;
    person.Then("the deck", [&] { return window().windowTitle().endsWith("rc_long.cir"); },
                [&] { instruments->actions().at(0)->trigger(); })
        .Then("the meter", [&] { return logHas(log(), "made XMM1"); }, [&] { Click("Run"); })
        .Then("the run", [&] { return State() == "running"; }, [&] { window().close(); })
        .Then("the first question", [&] { return boxes.Requests().size() == 1; },
              [&] {
                  EXPECT_TRUE(window().isVisible());
                  EXPECT_EQ(boxes.Requests()[0].type & 0xF, static_cast<UINT>(MB_YESNO));
              })
        .Then("the run after No", [&] { return State() == "running"; }, [&] { window().close(); });
    EXPECT_EQ(person.Run(*desktop), 0);
    EXPECT_EQ(boxes.Requests().size(), 2u);
    EXPECT_TRUE(Printed("stopped by request"));
    EXPECT_TRUE(std::filesystem::exists(deck + ".instruments"));
}

TEST_F(DesktopChecks, ACommandTypedIntoTheLogWindowReachesTheSimulatorAndTheTree) {
    Make();
    auto* entry = qobject_cast<QPlainTextEdit*>(velttest::WidgetOf(*log().GetDialog()->GetCommandEntry()));
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(velttest::WidgetOf(*log().GetDialog())->isVisible());
    EXPECT_EQ(velttest::WidgetOf(*log().GetDialog())->windowTitle(), QString::fromUtf8("命令行/日志"));
    DesktopPerson person;
    person.Then("the window", [] { return true; },
                [&] {
                    QTest::keyClicks(entry, "status");
                    QTest::keyClick(entry, Qt::Key_Return);
                })
        .Then("the answer", [&] { return logHas(log(), "status | idle; no deck loaded"); }, [&] { Keys(Qt::CTRL | Qt::Key_Q); });
    EXPECT_EQ(person.Run(*desktop), 0);
}

TEST_F(DesktopChecks, ADeckErrorBringsItsLineIntoViewMarked) {
    const std::string deck = dir / "bad.cir";
    std::ofstream bad(deck);
    bad << "a deck with an error far down\n";
    for (int line = 2; line < 60; ++line) bad << "* comment " << line << "\n";
    bad << "V1 in 0 DC 1\nR1 in out 1k\nR2 out 0 foo\n.op\n.end\n";
    bad.close();
    options.script = veltsim::ScriptLines("load " + deck);
    Make();
    window().resize(600, 300);
    DesktopPerson person;
    person.Then("the error", [&] { return window().Deck().MarkedLine() != 0; },
               [&] {
                   veltsim::gui::DeckView& view = window().Deck();
                   EXPECT_EQ(view.MarkedLine(), 62);
                   EXPECT_EQ(view.textCursor().blockNumber(), 61);
                   EXPECT_TRUE(view.viewport()->rect().contains(view.cursorRect()));
                   Keys(Qt::CTRL | Qt::Key_Q);
               });
    // The deck was rejected: the session ends with a failure counted, yet as asked.
    EXPECT_EQ(person.Run(*desktop), 0);
}

}  // namespace
