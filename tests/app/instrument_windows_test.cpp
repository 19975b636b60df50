// The instruments' windows as a person sees them: what the panels and the scope's screen paint
// (recorded headless), the settings windows that type the same lines as the terminal, and the
// places the windows keep.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "instrument_doc.h"
#include "instrument_file.h"
#include "scope.h"
#include "session_support.h"
#include "tests/support/message_pump.h"
#include "tests/support/temp_dir.h"

using veltsim::InstrumentPanel;
using veltsim::Scope;
using veltsim::ScopeScreen;
using veltsim::SettingsWindow;

namespace {

class Replies final : public veltsim::InstrumentReplies {
public:
    void Say(const std::string& text) override { said.push_back(text); }
    void Fail(const std::string& text) override { failed.push_back(text); }
    std::vector<std::string> said, failed;
};

// An application with a main window and a document of instruments over it, without a simulator
// or a command line: the document takes the windows' lines itself.
struct Desk {
    Desk() {
        main.Create("veltsim", WS_POPUP | WS_VISIBLE, CRect(200, 150, 1000, 750), nullptr);
        app.m_pMainWnd = &main;
    }

    Scope& NewScope() {
        doc.ExecuteCmd("new XSC1");
        return *static_cast<Scope*>(doc.FindInstrument("XSC1", "", 1));
    }

    CWinApp app;
    CWnd main;
    Replies replies;
    veltsim::InstrumentDoc doc{nullptr, replies};
};

std::vector<const DrawRecord*> drawn(const CRecordingDC& dc, DrawOp op, COLORREF color) {
    std::vector<const DrawRecord*> found;
    for (const DrawRecord& record : dc.Records()) {
        if (record.op == op && (op == DrawOp::Text ? record.textColor : record.pen.lopnColor) == color) found.push_back(&record);
    }
    return found;
}

std::vector<std::string> texts(const CRecordingDC& dc) {
    std::vector<std::string> found;
    for (const DrawRecord& record : dc.Records()) {
        if (record.op == DrawOp::Text) found.push_back(record.text.str());
    }
    return found;
}

// Where the screen puts a value: 0 V on the middle line, a division an eighth of the height.
POINT expectedPlace(const CRect& grid, double timeBase, double time, double volts, double voltsPerDiv) {
    return {std::lround(grid.left + time / timeBase * grid.Width()),
            std::lround(grid.top + grid.Height() / 2.0 - volts / voltsPerDiv * grid.Height() / 8)};
}

}  // namespace

// The screen of 400 x 300 pixels above its strip: the graticule, each channel's sweep at its
// own volts per division, clipped to the graticule, the trigger marker at the level on channel
// A's scale, and the settings as text.
TEST(ScopeScreen, PaintsTheGraticuleBothTracesTheMarkerAndTheSettings) {
    constexpr double kPi = 3.14159265358979323846;
    veltsim::SweepBuffer buffer;
    buffer.Reset(1e-3);
    for (int i = 0; i <= 5000; ++i) {
        const double t = i * 1e-6;
        buffer.Add(t, 1.5 * std::sin(2 * kPi * 1000 * t), 0.5 * std::cos(2 * kPi * 1000 * t));
    }
    ScopeScreen screen;
    screen.Create("", WS_POPUP, CRect(0, 0, 400, 300 + ScopeScreen::kStripHeight), nullptr);
    const CRect grid = screen.Graticule();
    ASSERT_EQ(grid, CRect(0, 0, 400, 300));
    veltsim::ScreenView view;
    view.sweep = buffer.Find(0.3, static_cast<std::size_t>(grid.Width()));
    view.voltsPerDiv[0] = 0.5;
    view.level = 0.3;
    view.wired[0] = view.wired[1] = true;
    screen.SetView(view);
    CRecordingDC dc;
    screen.PrintClient(&dc, 0);

    const auto lines = drawn(dc, DrawOp::Line, ScopeScreen::kGridColor);
    ASSERT_EQ(lines.size(), 11u + 9u);
    EXPECT_EQ(lines[10]->rect, CRect(399, 0, 399, 300));
    EXPECT_EQ(lines.back()->rect, CRect(0, 299, 400, 299));

    ASSERT_EQ(view.sweep.points.size(), 400u);
    for (int channel = 0; channel < 2; ++channel) {
        SCOPED_TRACE(channel);
        const auto traces = drawn(dc, DrawOp::Polyline, ScopeScreen::kTraceColor[channel]);
        ASSERT_EQ(traces.size(), 1u);
        EXPECT_TRUE(traces[0]->clipped);
        EXPECT_EQ(traces[0]->clip, grid);
        ASSERT_EQ(traces[0]->points.size(), view.sweep.points.size());
        for (std::size_t i = 0; i < view.sweep.points.size(); ++i) {
            const veltsim::Sweep::Point& point = view.sweep.points[i];
            const POINT expected = expectedPlace(grid, 1e-3, point.time, channel ? point.b : point.a, view.voltsPerDiv[channel]);
            ASSERT_EQ(traces[0]->points[i].x, expected.x) << i;
            ASSERT_EQ(traces[0]->points[i].y, expected.y) << i;
        }
    }
    const auto marker = drawn(dc, DrawOp::Line, ScopeScreen::kMarkerColor);
    ASSERT_EQ(marker.size(), 1u);
    EXPECT_EQ(marker[0]->rect.top, expectedPlace(grid, 1e-3, 0, 0.3, 0.5).y);
    EXPECT_EQ(marker[0]->rect.left, 0);
    EXPECT_EQ(texts(dc), (std::vector<std::string>{"0.0001 s/div", "A 0.5 V/div", "B 1 V/div", "trigger 0.3 V"}));

    // Channel B unwired draws no trace; a level above the screen keeps its marker on the top edge.
    view.wired[1] = false;
    view.level = 10;
    screen.SetView(view);
    dc.Clear();
    screen.PrintClient(&dc, 0);
    EXPECT_TRUE(drawn(dc, DrawOp::Polyline, ScopeScreen::kTraceColor[1]).empty());
    EXPECT_EQ(drawn(dc, DrawOp::Line, ScopeScreen::kMarkerColor).at(0)->rect.top, 0);
}

// The scope's panel paints its read-outs and holds the screen, which shows the scope's settings;
// show and hide take the panel and the settings window together.
TEST(InstrumentWindows, TheScopePanelPaintsItsReadoutsAndCarriesTheScreen) {
    Desk desk;
    Scope& scope = desk.NewScope();
    desk.doc.ExecuteCmd("setnode XSC1 5 200m");
    desk.doc.ExecuteCmd("setnode XSC1 4 0.7");
    InstrumentPanel& panel = *scope.Panel();
    CRecordingDC dc;
    panel.PrintClient(&dc, 0);
    EXPECT_EQ(texts(dc), scope.Describe());
    for (int i = 0; i < InstrumentPanel::kScopeLines; ++i) EXPECT_EQ(dc.Records()[static_cast<std::size_t>(i)].rect, panel.ReadoutRect(i));

    CRect onPanel;
    scope.Screen()->GetWindowRect(&onPanel);
    panel.ScreenToClient(&onPanel);
    EXPECT_EQ(onPanel, panel.ScreenArea());
    EXPECT_EQ(scope.Screen()->View().voltsPerDiv[0], 0.2);
    EXPECT_EQ(scope.Screen()->View().level, 0.7);

    desk.doc.ExecuteCmd("show XSC1");
    PostClick(*panel.GetDlgItem(InstrumentPanel::kSettingsButton));
    velttest::PumpPosted();
    EXPECT_TRUE(panel.IsWindowVisible());
    EXPECT_TRUE(scope.Settings()->IsWindowVisible());
    desk.doc.ExecuteCmd("hide XSC1");
    EXPECT_FALSE(panel.IsWindowVisible());
    EXPECT_FALSE(scope.Settings()->IsWindowVisible());
    EXPECT_TRUE(desk.replies.failed.empty());
}

// The settings window types setnode lines for what was changed only, and shows what the scope
// took: a refused value comes back to the one in effect, with the refusal; a setnode typed at
// the terminal shows in the window.
TEST(InstrumentWindows, TheSettingsWindowSetsTheScopeAsTheTerminalDoes) {
    Desk desk;
    Scope& scope = desk.NewScope();
    SettingsWindow& settings = *scope.Settings();
    EXPECT_EQ(settings.Entry(2)->GetWindowText().str(), "0.001");
    CRecordingDC labels;
    settings.PrintClient(&labels, 0);
    EXPECT_EQ(texts(labels), (std::vector<std::string>{"Channel A", "Channel B", "Time base (s)", "Trigger level (V)", "A volts/div",
                                                       "B volts/div"}));

    scope.OpenSettings();
    settings.Entry(2)->SetWindowText(" 2m ");
    PostClick(*settings.GetDlgItem(SettingsWindow::kApplyButton));
    velttest::PumpPosted();
    EXPECT_EQ(desk.replies.said, (std::vector<std::string>{"XSC1 time base 0.002 s"}));
    EXPECT_EQ(scope.Describe()[2], "time base 0.002 s");
    EXPECT_EQ(settings.Entry(2)->GetWindowText().str(), "0.002");
    EXPECT_EQ(scope.Screen()->View().timeBase, 0.002);
    desk.doc.ExecuteCmd("show XSC1");
    EXPECT_NE(desk.replies.said.back().find("time base 0.002 s"), std::string::npos);

    desk.replies.said.clear();
    settings.Entry(4)->SetWindowText("fast");
    settings.Entry(5)->SetWindowText("1 m");
    settings.Entry(3)->SetWindowText("0.25");
    settings.Apply();
    ASSERT_EQ(desk.replies.failed.size(), 2u);
    EXPECT_EQ(desk.replies.failed[0], "XSC1: B volts/div: \"1 m\" is not one word");
    EXPECT_EQ(desk.replies.failed[1], "XSC1: volts per division are a voltage above 0 (0.5, 200m)");
    EXPECT_EQ(desk.replies.said, (std::vector<std::string>{"XSC1 trigger rising through 0.25 V on A"}));
    EXPECT_EQ(settings.Entry(4)->GetWindowText().str(), "1");
    EXPECT_EQ(settings.Entry(5)->GetWindowText().str(), "1");

    settings.Entry(2)->SetWindowText("-1");
    settings.Apply();
    EXPECT_EQ(desk.replies.failed.size(), 3u);
    EXPECT_EQ(settings.Entry(2)->GetWindowText().str(), "0.002");

    settings.Entry(3)->SetWindowText("");
    settings.Apply();
    EXPECT_EQ(scope.Describe()[3], "trigger rising through the middle of A");
    desk.doc.ExecuteCmd("setnode XSC1 6 50m");
    EXPECT_EQ(settings.Entry(5)->GetWindowText().str(), "0.05");
}

// Both windows keep their place relative to the main window: closed and opened again after the
// main window moved, they stand where they stood beside it; stored with the circuit, the scope
// comes back with its settings window open where it was, and its settings.
TEST(InstrumentWindows, TheWindowsKeepTheirPlaceAcrossClosingAndStoring) {
    TempDir dir;
    const std::string file = dir / "rc.cir.instruments";
    CRect settingsPlace;
    {
        Desk desk;
        Scope& scope = desk.NewScope();
        desk.doc.ExecuteCmd("show XSC1");
        desk.doc.ExecuteCmd("setnode XSC1 3 5m");
        desk.doc.ExecuteCmd("setnode XSC1 6 2");
        scope.OpenSettings();
        SettingsWindow& settings = *scope.Settings();
        settings.SetWindowPos(nullptr, 640, 500, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        settings.GetWindowRect(&settingsPlace);
        PostClose(settings);
        velttest::PumpPosted();
        EXPECT_FALSE(settings.IsWindowVisible());

        desk.main.SetWindowPos(nullptr, 230, 170, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        PostClick(*scope.Panel()->GetDlgItem(InstrumentPanel::kSettingsButton));
        velttest::PumpPosted();
        CRect reopened;
        settings.GetWindowRect(&reopened);
        EXPECT_TRUE(settings.IsWindowVisible());
        EXPECT_EQ(reopened, CRect(settingsPlace.left + 30, settingsPlace.top + 20, settingsPlace.right + 30, settingsPlace.bottom + 20));
        settings.GetWindowRect(&settingsPlace);

        std::string error;
        ASSERT_TRUE(veltsim::SaveInstruments(desk.doc, file, error)) << error;
    }
    Desk desk;
    desk.main.SetWindowPos(nullptr, 230, 170, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    int restored = 0;
    std::string error;
    ASSERT_TRUE(veltsim::RestoreInstruments(desk.doc, file, restored, error)) << error;
    auto& scope = *static_cast<Scope*>(desk.doc.FindInstrument("XSC1", "", 1));
    CRect place;
    scope.Settings()->GetWindowRect(&place);
    EXPECT_EQ(place, settingsPlace);
    EXPECT_TRUE(scope.Settings()->IsWindowVisible());
    EXPECT_TRUE(scope.Panel()->IsWindowVisible());
    EXPECT_EQ(scope.Setting(3), "0.005");
    EXPECT_EQ(scope.Setting(6), "2");
    EXPECT_EQ(scope.Settings()->Entry(5)->GetWindowText().str(), "2");
}

// A scope stored before its settings window and volts per division were: it loads with its
// time base, 1 V per division and the settings window closed.
TEST(InstrumentWindows, AScopeStoredBeforeTheSettingsWindowStillLoads) {
    TempDir dir;
    const std::string file = dir / "old.cir.instruments";
    {
        CFile out(file.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        CArchive archive(&out, CArchive::store);
        archive << CString("veltsim instruments") << std::int32_t{1} << std::int32_t{1} << CString("XSC1");
        archive << std::int32_t{0x40000000} << std::int32_t{1} << -1000.0 << -1000.0 << CString("Oscilloscope");
        archive << std::uint32_t{2} << CString("V(out)") << CString("");
        archive << 0.004 << std::int32_t{1} << 0.5;
        archive.Close();
    }
    Desk desk;
    int restored = 0;
    std::string error;
    ASSERT_TRUE(veltsim::RestoreInstruments(desk.doc, file, restored, error)) << error;
    auto& scope = *static_cast<Scope*>(desk.doc.FindInstrument("XSC1", "", 1));
    EXPECT_EQ(scope.Describe(), (std::vector<std::string>{"A V(out)", "B not wired", "time base 0.004 s", "trigger rising through 0.5 V on A",
                                                          "A 1 V/div", "B 1 V/div"}));
    EXPECT_TRUE(scope.Panel()->IsWindowVisible());
    EXPECT_FALSE(scope.Settings()->IsWindowVisible());
}

namespace {

CWnd* ownedWindow(const CWnd& owner, const std::string& caption) {
    for (CWnd* window : owner.GetChildren()) {
        if (window->GetWindowText().str() == caption) return window;
    }
    return nullptr;
}

// The value of the sweep the page shows, in column `column`, at `time` (interpolated).
double pageValue(const veltsimtest::Csv& sweep, std::size_t column, double time) {
    for (std::size_t row = 2; row < sweep.size(); ++row) {
        const double t0 = std::atof(sweep[row - 1][0].c_str());
        const double t1 = std::atof(sweep[row][0].c_str());
        if (time > t1 && row + 1 < sweep.size()) continue;
        const double v0 = std::atof(sweep[row - 1][column].c_str());
        const double v1 = std::atof(sweep[row][column].c_str());
        return t1 > t0 ? v0 + (v1 - v0) * (time - t0) / (t1 - t0) : v0;
    }
    return NAN;
}

}  // namespace

// In the application, after a transient: the meter's panel paints the readings the terminal
// prints, units and node included; the scope's screen shows the sweep its page shows, channel
// A (V(out)) and B (V(in)) each in its colour at its volts per division, with the trigger
// marker at the level where trace A begins. B's volts per division were set in the settings
// window, opened from the panel, which typed its line into the command line.
TEST(InstrumentWindows, AfterARunThePanelsShowWhatTheInstrumentsMeasured) {
    TempDir dir;
    const std::string deck = dir / "rc.cir";
    std::filesystem::copy_file(veltsimtest::Sample("rc_lowpass.cir"), deck);
    CWnd main;
    main.Create("veltsim", WS_POPUP, CRect(0, 0, 800, 600), nullptr);
    std::vector<std::string> meterShows, meterPainted;
    CRecordingDC screenPainted;
    CRect grid;
    const veltsimtest::SessionRun run = veltsimtest::RunScript(
        "load " + deck + "; new XMM1; setnode XMM1 1 out; new XSC1; setnode XSC1 1 out; setnode XSC1 2 in; setnode XSC1 3 2m; "
                         "setnode XSC1 4 1.2; show XMM1; show XSC1; listing; run; show XMM1; show XSC1",
        dir / "plots", [&](const std::string& line) {
            AfxGetApp()->m_pMainWnd = &main;
            if (line.find("XMM1 Meter: ") != std::string::npos) {
                meterShows.push_back(line.substr(line.find("XMM1 Meter: ") + 12));
                CRecordingDC dc;
                if (CWnd* panel = ownedWindow(main, "XMM1: meter")) panel->PrintClient(&dc, 0);
                meterPainted = texts(dc);
            }
            // What a person does between the commands: opens the settings window from the
            // panel once it is shown, then changes a field and applies it.
            if (line.find("XSC1 Oscilloscope: ") != std::string::npos && line.find("B 1 V/div") != std::string::npos) {
                PostClick(*ownedWindow(main, "XSC1: oscilloscope")->GetDlgItem(InstrumentPanel::kSettingsButton));
            }
            if (line.find("XSC1[CEventSink-->Oscilloscope]") != std::string::npos) {
                auto* settings = dynamic_cast<SettingsWindow*>(ownedWindow(main, "XSC1 settings"));
                if (settings && settings->IsWindowVisible()) {
                    settings->Entry(5)->SetWindowText("500m");
                    PostClick(*settings->GetDlgItem(SettingsWindow::kApplyButton));
                }
            }
            if (line.find("XSC1 Oscilloscope: ") != std::string::npos) {
                CWnd* panel = ownedWindow(main, "XSC1: oscilloscope");
                auto* screen = panel ? dynamic_cast<ScopeScreen*>(panel->GetDlgItem(ScopeScreen::kWindowId)) : nullptr;
                screenPainted.Clear();
                if (screen) screen->PrintClient(&screenPainted, 0);
                if (screen) grid = screen->Graticule();
            }
        });
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.Find("> setnode XSC1 6 500m") + 1, run.Find("XSC1 B 0.5 V/div"));
    EXPECT_LT(run.Find("XSC1 B 0.5 V/div"), run.Find("> run"));
    ASSERT_EQ(meterShows.size(), 2u);
    ASSERT_EQ(meterPainted.size(), 5u);
    std::string painted = meterPainted[0];
    for (std::size_t i = 1; i < meterPainted.size(); ++i) painted += ", " + meterPainted[i];
    EXPECT_EQ(painted, meterShows.back());
    EXPECT_EQ(painted.substr(0, 20), "XMM1 on V(out), rms ");
    EXPECT_EQ(painted.substr(painted.size() - 2), " V");

    const veltsimtest::Page page = veltsimtest::FindPage(dir / "plots", "XSC1: oscilloscope");
    ASSERT_EQ(page.graphCsv.size(), 1u);
    const veltsimtest::Csv sweep = veltsimtest::ReadCsv(page.graphCsv.front());
    ASSERT_GT(sweep.size(), 1000u);
    ASSERT_EQ(sweep.front(), (std::vector<std::string>{"Time after the trigger (s)", "A: V(out)", "B: V(in)"}));
    const double perDiv[2] = {1.0, 0.5};
    for (int channel = 0; channel < 2; ++channel) {
        SCOPED_TRACE(channel);
        const auto traces = drawn(screenPainted, DrawOp::Polyline, ScopeScreen::kTraceColor[channel]);
        ASSERT_EQ(traces.size(), 1u);
        const std::vector<POINT>& points = traces[0]->points;
        EXPECT_GE(points.size(), static_cast<std::size_t>(grid.Width() - 1));
        EXPECT_LE(points.size(), static_cast<std::size_t>(grid.Width()));
        // A pixel's worth of volts, and how far the sine moves in half a pixel's time.
        const double pixelVolts = perDiv[channel] * 8 / grid.Height();
        const double tolerance = 1.5 * pixelVolts + 2 * 3.1416 * 1000 * 2 * (2e-3 / grid.Width() / 2);
        for (const POINT& point : points) {
            const double time = (point.x - grid.left) * 2e-3 / grid.Width();
            const double volts = (grid.top + grid.Height() / 2.0 - point.y) * pixelVolts;
            ASSERT_NEAR(volts, pageValue(sweep, 1 + static_cast<std::size_t>(channel), time), tolerance) << point.x;
        }
    }
    const auto marker = drawn(screenPainted, DrawOp::Line, ScopeScreen::kMarkerColor);
    ASSERT_EQ(marker.size(), 1u);
    EXPECT_EQ(marker[0]->rect.top, expectedPlace(grid, 2e-3, 0, 1.2, 1).y);
    EXPECT_NEAR(drawn(screenPainted, DrawOp::Polyline, ScopeScreen::kTraceColor[0]).at(0)->points.front().y, marker[0]->rect.top, 1);
}

// While a long transient runs, the meter's panel already paints readings and the scope's
// screen a trace: a person types "show XMM1" until the panel shows them, then stops the run.
TEST(InstrumentWindows, ThePanelsFollowARun) {
    TempDir dir;
    const std::string deck = veltsimtest::LongDeck(dir / "");
    CWnd main;
    main.Create("veltsim", WS_POPUP, CRect(0, 0, 800, 600), nullptr);
    int keys[2] = {-1, -1};
    ASSERT_EQ(pipe(keys), 0);
    auto type = [&](const char* line) {
        if (keys[1] >= 0 && write(keys[1], line, std::strlen(line)) < 0) ADD_FAILURE() << "cannot type " << line;
    };
    std::vector<std::string> lines, paintedDuringRun;
    bool running = false;
    CRecordingDC screenDuringRun;
    veltsim::SessionOptions options;
    type(("load " + deck + "\nnew XMM1\nsetnode XMM1 1 out\nshow XMM1\nnew XSC1\nsetnode XSC1 1 out\nshow XSC1\nrun\n").c_str());
    options.input = veltsim::SessionOptions::Input::Typed;
    options.inputFd = keys[0];
    options.print = [&](const std::string& line) {
        lines.push_back(line);
        AfxGetApp()->m_pMainWnd = &main;
        if (line.find("analysis (Transient Analysis) begun") != std::string::npos) {
            running = true;
            type("show XMM1\n");
        }
        if (running && line.find("XMM1 Meter: ") != std::string::npos && paintedDuringRun.empty()) {
            CRecordingDC dc;
            ownedWindow(main, "XMM1: meter")->PrintClient(&dc, 0);
            if (texts(dc).size() > 1 && texts(dc)[1].rfind("rms ", 0) == 0) {
                paintedDuringRun = texts(dc);
                ownedWindow(main, "XSC1: oscilloscope")->GetDlgItem(ScopeScreen::kWindowId)->PrintClient(&screenDuringRun, 0);
            }
            type(paintedDuringRun.empty() ? "show XMM1\n" : "stop\n");
        }
        if (line.find("stopped by request") != std::string::npos || line.find("analysis ended") != std::string::npos) {
            running = false;
            type("quit\n");
            close(std::exchange(keys[1], -1));
        }
    };
    {
        veltsim::Session session(std::move(options));
        EXPECT_EQ(session.Execute(), 0);
    }
    close(keys[0]);
    EXPECT_EQ(paintedDuringRun.size(), 5u);
    const auto trace = drawn(screenDuringRun, DrawOp::Polyline, ScopeScreen::kTraceColor[0]);
    ASSERT_EQ(trace.size(), 1u);
    EXPECT_GT(trace[0]->points.size(), 100u);
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) { return line.find("stopped by request") != std::string::npos; }));
}
