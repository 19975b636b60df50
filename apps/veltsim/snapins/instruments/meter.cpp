#include "meter.h"

#include "text_table.h"

namespace veltsim {

namespace {

// The unit of what a signal name reads: V(...) volts, I(...) amperes, none for an expression.
std::string unitOf(const std::string& signal) {
    if (signal.size() < 2 || signal[1] != '(') return "";
    if (signal[0] == 'V' || signal[0] == 'v') return " V";
    if (signal[0] == 'I' || signal[0] == 'i') return " A";
    return "";
}

}  // namespace

Meter::Meter(InstrumentDoc& doc, const CString& refID) : VeltInstrument(doc, refID, "Meter", 1, InstrumentPanel::Kind::Meter) {}

std::vector<SettingField> Meter::SettingFields() const { return {{"Node", 1}}; }

std::vector<std::string> Meter::Describe() const {
    std::vector<std::string> lines{std::string(GetName()) + (Pin(1).empty() ? " not wired" : " on " + Pin(1))};
    if (readings_.Points() == 0) {
        lines.push_back("no readings yet");
        return lines;
    }
    // The mean is the integral over the span it covers; a single point is its own mean.
    const double span = readings_.To() - readings_.From();
    const double mean = span > 0.0 ? readings_.Integral() / span : readings_.Min();
    const std::string unit = unitOf(Pin(1));
    lines.push_back("rms " + FormatValue(readings_.Rms()) + unit);
    lines.push_back("mean " + FormatValue(mean) + unit);
    lines.push_back("min " + FormatValue(readings_.Min()) + unit);
    lines.push_back("max " + FormatValue(readings_.Max()) + unit);
    return lines;
}

void Meter::Begin(const std::vector<long>& signals, long time) {
    readings_ = TransientMeasures();
    signal_ = signals.front();
    time_ = time;
}

void Meter::Take(const double* step) {
    if (signal_ < 0) return;
    readings_.Add(step[time_], step[signal_]);
    RefreshWhileRunning();
}

}  // namespace veltsim
