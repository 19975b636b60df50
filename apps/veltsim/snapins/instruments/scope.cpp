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
constexpr int kTimeBasePin = 3;
constexpr int kLevelPin = 4;
constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

}  // namespace

void SweepBuffer::Add(double time, double a, double b) {
    samples_.push_back({time, a, b});
    while (samples_.size() > 2 && samples_.front().time < time - 2 * timeBase_) samples_.pop_front();
}

Sweep SweepBuffer::Find(double level, std::size_t maxPoints) const {
    Sweep sweep;
    if (samples_.empty()) return sweep;
    const double last = samples_.back().time;
    double start = last - timeBase_;
    for (std::size_t i = samples_.size() - 1; i > 0; --i) {
        const Sample& before = samples_[i - 1];
        const Sample& after = samples_[i];
        if (!(before.a < level && after.a >= level)) continue;
        const double crossing = before.time + (after.time - before.time) * (level - before.a) / (after.a - before.a);
        if (crossing + timeBase_ <= last) {
            start = crossing;
            sweep.triggered = true;
            break;
        }
    }
    const auto first = std::lower_bound(samples_.begin(), samples_.end(), start,
                                        [](const Sample& sample, double time) { return sample.time < time; });
    const auto end = std::upper_bound(first, samples_.end(), start + timeBase_,
                                      [](double time, const Sample& sample) { return time < sample.time; });
    const std::size_t count = static_cast<std::size_t>(end - first);
    const std::size_t picks = std::min(count, maxPoints);
    for (std::size_t k = 0; k < picks; ++k) {
        // Evenly spread, the first and the last sample among them.
        const std::size_t i = picks == 1 ? 0 : k * (count - 1) / (picks - 1);
        const Sample& sample = first[static_cast<std::ptrdiff_t>(i)];
        sweep.points.push_back({sample.time - start, sample.a, sample.b});
    }
    return sweep;
}

Scope::Scope(InstrumentDoc& doc, const CString& refID)
    : VeltInstrument(doc, refID, "Oscilloscope", 2, InstrumentPanel::kScopeLines) {}

Scope::~Scope() { ClosePage(); }

std::vector<std::string> Scope::Describe() const {
    auto channel = [&](const char* name, int pin) { return std::string(name) + " " + (Pin(pin).empty() ? "not wired" : Pin(pin)); };
    return {channel("A", 1), channel("B", 2), "time base " + FormatValue(timeBase_) + " s",
            level_ ? "trigger rising through " + FormatValue(*level_) + " V on A" : "trigger rising through the middle of A"};
}

Sweep Scope::CurrentSweep() const { return buffer_.Find(Level(), kMaxSweepPoints); }

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
    } else {
        error = "no pin " + std::to_string(pin) + " (1 and 2 take signals, 3 the time base, 4 the trigger level)";
        return false;
    }
    Doc().Replies().Say(std::string(GetName()) + " " + Describe()[static_cast<std::size_t>(pin) - 1]);
    Draw();
    return true;
}

void Scope::SerializeSettings(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << timeBase_ << static_cast<std::int32_t>(level_.has_value()) << level_.value_or(0.0);
        return;
    }
    double timeBase = 0.0;
    std::int32_t hasLevel = 0;
    double level = 0.0;
    ar >> timeBase >> hasLevel >> level;
    if (!(timeBase > 0.0) || !std::isfinite(timeBase)) throw CString("Error: stored oscilloscope time base is not a time");
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
}

void Scope::Clear() {
    buffer_.Reset(timeBase_);
    seenA_ = false;
    Draw();
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
    const Sweep sweep = CurrentSweep();
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
