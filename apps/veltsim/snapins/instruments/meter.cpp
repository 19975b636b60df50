#include "meter.h"

#include "text_table.h"

namespace veltsim {

Meter::Meter(InstrumentDoc& doc, const CString& refID)
    : VeltInstrument(doc, refID, "Meter", 1, InstrumentPanel::kMeterLines) {}

std::vector<std::string> Meter::Describe() const {
    std::vector<std::string> lines{std::string(GetName()) + (Pin(1).empty() ? " not wired" : " on " + Pin(1))};
    if (readings_.Points() == 0) {
        lines.push_back("no readings yet");
        return lines;
    }
    // The mean is the integral over the span it covers; a single point is its own mean.
    const double span = readings_.To() - readings_.From();
    const double mean = span > 0.0 ? readings_.Integral() / span : readings_.Min();
    lines.push_back("rms " + FormatValue(readings_.Rms()));
    lines.push_back("mean " + FormatValue(mean));
    lines.push_back("min " + FormatValue(readings_.Min()));
    lines.push_back("max " + FormatValue(readings_.Max()));
    return lines;
}

void Meter::Begin(const std::vector<long>& signals, long time) {
    readings_ = TransientMeasures();
    signal_ = signals.front();
    time_ = time;
}

void Meter::Take(const double* step) {
    if (signal_ >= 0) readings_.Add(step[time_], step[signal_]);
}

}  // namespace veltsim
