#include "dc_sweep.h"

#include "probe_signal.h"
#include "spice_number.h"
#include "text_table.h"
#include "text_util.h"

namespace veltsim {

namespace {

// "v-sweep" -> "V": the unit of what the scale sweeps.
const char* unitOf(const std::string& scale) {
    if (scale.rfind("v-", 0) == 0) return "V";
    if (scale.rfind("i-", 0) == 0) return "A";
    if (scale.rfind("temp-", 0) == 0) return "°C";
    if (scale.rfind("res-", 0) == 0) return "Ω";
    return "";
}

ResultCell number(double value) { return {FormatValue(value), value}; }

}  // namespace

std::optional<DcSweep> ParseDcSweep(const std::string& card) {
    const std::vector<std::string> words = Words(card);
    if (words.size() < 5) return std::nullopt;
    const std::string command = ToLower(words[0]);
    if (command != ".dc" && command != "dc") return std::nullopt;
    DcSweep sweep;
    sweep.inner = words[1];
    double stop = 0.0;
    if (words.size() >= 9 && ParseSpiceNumber(words[6], sweep.outerStart) && ParseSpiceNumber(words[7], stop) &&
        ParseSpiceNumber(words[8], sweep.outerStep)) {
        sweep.outer = words[5];
    }
    return sweep;
}

bool StartsCurve(const AnalysisRecord& record, std::size_t row) {
    // ngspice sets the inner source to its start value afresh for every outer value, so the
    // value repeats exactly.
    return row > 0 && record.ScaleIndex() >= 0 && record.Scale(row) == record.Scale(0);
}

std::vector<std::size_t> CurveStarts(const AnalysisRecord& record) {
    std::vector<std::size_t> starts;
    for (std::size_t row = 0; row < record.Rows(); ++row) {
        if (row == 0 || StartsCurve(record, row)) starts.push_back(row);
    }
    return starts;
}

std::string SweepAxisTitle(const AnalysisRecord& record, const DcSweep* sweep) {
    if (record.ScaleIndex() < 0) return "";
    const std::string& scale = record.Signals()[static_cast<std::size_t>(record.ScaleIndex())].ngspice;
    const std::string unit = unitOf(scale);
    return (sweep ? sweep->inner : scale) + (unit.empty() ? "" : " (" + unit + ")");
}

ResultTable SweepResults(const AnalysisRecord& record, const std::vector<std::string>& probes, const DcSweep* sweep) {
    const std::vector<std::size_t> starts = CurveStarts(record);
    const bool family = starts.size() > 1;
    const bool outerKnown = family && sweep && !sweep->outer.empty();
    ResultTable table;
    table.headings = {"probe"};
    if (family) table.headings.push_back(outerKnown ? sweep->outer : "curve");
    for (const char* heading : {"points", "from", "to", "at from", "at to", "min", "min at", "max", "max at"}) {
        table.headings.emplace_back(heading);
    }
    std::vector<ProbeSignal> signals;
    for (const std::string& probe : probes) {
        ProbeSignal signal;
        std::string missing;
        if (ProbeSignal::Bind(record, probe, signal, missing) && signal.Signal() != record.ScaleIndex()) signals.push_back(std::move(signal));
    }
    for (const ProbeSignal& signal : signals) {
        const ResultCell name{signal.Name(record), std::nullopt};
        const auto value = [&](std::size_t row) { return signal.Real(record, row); };
        for (std::size_t curve = 0; curve < starts.size(); ++curve) {
            const std::size_t first = starts[curve];
            const std::size_t end = curve + 1 < starts.size() ? starts[curve + 1] : record.Rows();
            std::size_t low = first;
            std::size_t high = first;
            for (std::size_t row = first + 1; row < end; ++row) {
                if (value(row) < value(low)) low = row;
                if (value(row) > value(high)) high = row;
            }
            std::vector<ResultCell> cells{name};
            if (family) {
                const double index = static_cast<double>(curve);
                cells.push_back(outerKnown ? number(sweep->outerStart + index * sweep->outerStep)
                                           : ResultCell{std::to_string(curve + 1), index + 1.0});
            }
            cells.push_back({std::to_string(end - first), static_cast<double>(end - first)});
            for (const double cell : {record.Scale(first), record.Scale(end - 1), value(first), value(end - 1), value(low),
                                      record.Scale(low), value(high), record.Scale(high)}) {
                cells.push_back(number(cell));
            }
            table.rows.push_back(std::move(cells));
        }
    }
    return table;
}

}  // namespace veltsim
