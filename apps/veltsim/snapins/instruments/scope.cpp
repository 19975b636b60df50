#include "scope.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "instrument_doc.h"
#include "spice_number.h"
#include "text_table.h"

namespace veltsim {

namespace {

// Redraws while the transient runs, at most this often.
constexpr DWORD kDrawMs = 250;
// A sweep holds all of its time base but no more points than a page draws usefully.
constexpr std::size_t kMaxSweepPoints = 2000;
constexpr unsigned long kPageId = 1;
constexpr unsigned long kGraphId = 1;
// The screen follows a run at most this often.
constexpr DWORD kScreenMs = 33;
constexpr int kTimeBasePin = 3;
constexpr int kLevelPin = 4;
constexpr int kVoltsPerDivPin[2] = {5, 6};
constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

}  // namespace

Scope::Scope(InstrumentDoc& doc, const CString& refID)
    : VeltInstrument(doc, refID, "Oscilloscope", 2, InstrumentPanel::Kind::Scope) {}

Scope::~Scope() { ClosePage(); }

std::vector<std::string> Scope::Describe() const {
    auto channel = [&](const char* name, int pin) { return std::string(name) + " " + (Pin(pin).empty() ? "not wired" : Pin(pin)); };
    return {channel("A", 1),
            channel("B", 2),
            "time base " + FormatValue(timeBase_) + " s",
            level_ ? "trigger rising through " + FormatValue(*level_) + " V on A" : "trigger rising through the middle of A",
            "A " + FormatValue(voltsPerDiv_[0]) + " V/div",
            "B " + FormatValue(voltsPerDiv_[1]) + " V/div"};
}

std::vector<SettingField> Scope::SettingFields() const {
    return {{"Channel A", 1}, {"Channel B", 2}, {"Time base (s)", kTimeBasePin}, {"Trigger level (V)", kLevelPin},
            {"A volts/div", kVoltsPerDivPin[0]}, {"B volts/div", kVoltsPerDivPin[1]}};
}

std::string Scope::Setting(int pin) const {
    if (pin == kTimeBasePin) return FormatValue(timeBase_);
    if (pin == kLevelPin) return level_ ? FormatValue(*level_) : "";
    for (int channel = 0; channel < 2; ++channel) {
        if (pin == kVoltsPerDivPin[channel]) return FormatValue(voltsPerDiv_[channel]);
    }
    return VeltInstrument::Setting(pin);
}

Sweep Scope::CurrentSweep(std::size_t maxPoints) const { return buffer_.Find(Level(), maxPoints); }

void Scope::OnInsert(int n) {
    VeltInstrument::OnInsert(n);
    screen_ = std::make_unique<ScopeScreen>();
    screen_->Create("", WS_CHILD | WS_VISIBLE, Panel()->ScreenArea(), Panel(), ScopeScreen::kWindowId);
    UpdateScreen();
}

void Scope::OnRemoveEnd() {
    // The screen goes before the panel it lies on.
    screen_.reset();
    VeltInstrument::OnRemoveEnd();
}

void Scope::UpdateScreen() {
    lastScreen_ = GetTickCount();
    if (!screen_) return;
    ScreenView view;
    view.sweep = CurrentSweep(static_cast<std::size_t>(std::max(2L, screen_->Graticule().Width())));
    view.timeBase = timeBase_;
    view.voltsPerDiv[0] = voltsPerDiv_[0];
    view.voltsPerDiv[1] = voltsPerDiv_[1];
    view.level = Level();
    view.wired[0] = !Pin(1).empty();
    view.wired[1] = !Pin(2).empty();
    screen_->SetView(std::move(view));
}

double Scope::Level() const {
    if (level_) return *level_;
    return seenA_ ? (lowA_ + highA_) / 2 : 0.0;
}

bool Scope::SetSetting(int pin, const std::string& value, std::string& error) {
    double number = 0.0;
    if (pin == kTimeBasePin) {
        if (!ParseSpiceNumber(value, number) || !(number > 0.0) || !std::isfinite(number)) {
            error = "the time base is a time above 0 (2m, 500u)";
            return false;
        }
        timeBase_ = number;
    } else if (pin == kLevelPin) {
        if (value.empty()) {
            level_.reset();
        } else if (ParseSpiceNumber(value, number) && std::isfinite(number)) {
            level_ = number;
        } else {
            error = "the trigger level is a voltage (0.5, 100m), or $ for the middle of channel A";
            return false;
        }
    } else if (pin == kVoltsPerDivPin[0] || pin == kVoltsPerDivPin[1]) {
        if (!ParseSpiceNumber(value, number) || !(number > 0.0) || !std::isfinite(number)) {
            error = "volts per division are a voltage above 0 (0.5, 200m)";
            return false;
        }
        voltsPerDiv_[pin - kVoltsPerDivPin[0]] = number;
    } else {
        error = "no pin " + std::to_string(pin) +
                " (1 and 2 take signals, 3 the time base, 4 the trigger level, 5 and 6 the volts per division)";
        return false;
    }
    Doc().Replies().Say(std::string(GetName()) + " " + Describe()[static_cast<std::size_t>(pin) - 1]);
    Draw();
    return true;
}

void Scope::SerializeSettings(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << timeBase_ << static_cast<std::int32_t>(level_.has_value()) << level_.value_or(0.0) << voltsPerDiv_[0] << voltsPerDiv_[1];
        return;
    }
    double timeBase = 0.0;
    std::int32_t hasLevel = 0;
    double level = 0.0;
    ar >> timeBase >> hasLevel >> level;
    double voltsPerDiv[2] = {1.0, 1.0};
    if (!OlderData()) ar >> voltsPerDiv[0] >> voltsPerDiv[1];
    if (!(timeBase > 0.0) || !std::isfinite(timeBase)) throw CString("Error: stored oscilloscope time base is not a time");
    for (const double perDiv : voltsPerDiv) {
        if (!(perDiv > 0.0) || !std::isfinite(perDiv)) throw CString("Error: stored oscilloscope volts per division are not a voltage");
    }
    voltsPerDiv_[0] = voltsPerDiv[0];
    voltsPerDiv_[1] = voltsPerDiv[1];
    timeBase_ = timeBase;
    level_ = hasLevel ? std::optional<double>(level) : std::nullopt;
}

void Scope::Begin(const std::vector<long>& signals, long time) {
    a_ = signals[0];
    b_ = signals[1];
    time_ = time;
    buffer_.Reset(timeBase_);
    seenA_ = false;
    lastDraw_ = GetTickCount();
}

void Scope::Take(const double* step) {
    const double a = a_ >= 0 ? step[a_] : kNoValue;
    buffer_.Add(step[time_], a, b_ >= 0 ? step[b_] : kNoValue);
    if (a_ >= 0) {
        lowA_ = seenA_ ? std::min(lowA_, a) : a;
        highA_ = seenA_ ? std::max(highA_, a) : a;
        seenA_ = true;
    }
    if (page_.IsOpened() && GetTickCount() - lastDraw_ >= kDrawMs) Draw();
    if (Panel() && Panel()->IsWindowVisible() && GetTickCount() - lastScreen_ >= kScreenMs) UpdateScreen();
}

void Scope::Clear() {
    buffer_.Reset(timeBase_);
    seenA_ = false;
    Draw();
    UpdateScreen();
}

void Scope::Shown(bool shown) {
    if (shown) {
        OpenPage();
    } else {
        ClosePage();
    }
}

void Scope::OpenPage() {
    CGrapherSource* source = Doc().InstrumentPlots();
    if (page_.IsOpened() || !source) return;
    module_.Take();
    if (source->Create(kPageId, page_) != S_OK || !page_.IsOpened()) return;
    const std::string name = GetName();
    page_.SetPageTabname(name.c_str());
    page_.SetTitle((name + ": oscilloscope").c_str());
    drawnWiring_.clear();
    Draw();
}

void Scope::ClosePage() {
    if (page_.IsOpened()) {
        page_.CloseChartsAndGraphsOnPageNow();
        page_.CloseNow();
    }
    // A page whose close failed still names its module object when it is destroyed.
    if (!static_cast<CGraphPage*>(page_)) module_.Release();
}

void Scope::Draw() {
    lastDraw_ = GetTickCount();
    if (!page_.IsOpened()) return;
    CStdGrapherGraph& graph = page_.GetStdGrapherGraph();
    const std::string wiring = Pin(1) + "\n" + Pin(2);
    if (wiring != drawnWiring_ || !graph.IsOpened()) {
        if (page_.OpenStdGraph(kGraphId, DIAGRAM_SINGLE_VALUE) != S_OK) return;
        int trace = 0;
        for (int pin = 1; pin <= 2; ++pin) {
            if (Pin(pin).empty()) continue;
            graph.AddTrace();
            graph.SetTraceLabel(trace++, ((pin == 1 ? "A: " : "B: ") + Pin(pin)).c_str(), ChartType{});
        }
        graph.SetAxisLabel(AXIS_POSITION_0, "Time after the trigger", "s");
        graph.SetAxisLabel(AXIS_POSITION_3, "Voltage", "V");
        drawnWiring_ = wiring;
    }
    const Sweep sweep = CurrentSweep(kMaxSweepPoints);
    graph.SetTitle((FormatValue(timeBase_) + " s sweep, " + (sweep.triggered ? "triggered" : "not triggered")).c_str());
    graph.SetAxisRange(AXIS_POSITION_0, 0.0, timeBase_);
    graph.DeleteGraphData();
    for (const Sweep::Point& point : sweep.points) {
        graph.SetXAxisGraphData(point.time);
        int trace = 0;
        if (!Pin(1).empty()) graph.SetNthGraphData(trace++, point.a, 0, 0, 0, 0, 0, 0, 0);
        if (!Pin(2).empty()) graph.SetNthGraphData(trace++, point.b, 0, 0, 0, 0, 0, 0, 0);
        if (trace > 0) graph.AddData(0, 0);
    }
    graph.UpdateDisplay();
}

}  // namespace veltsim
