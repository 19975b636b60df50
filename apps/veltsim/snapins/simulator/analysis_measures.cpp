#include "analysis_measures.h"

#include "text_table.h"

namespace veltsim {

namespace {

bool isAc(const AnalysisRecord& record) { return record.Type() == "ac"; }
bool isOperatingPoint(const AnalysisRecord& record) { return record.ScaleIndex() < 0; }

}  // namespace

AnalysisMeasures::AnalysisMeasures(const AnalysisRecord& record, const ProbeSettings& settings)
    : version_(settings.version) {
    for (const std::string& probe : settings.probes) {
        Column column{ProbeSignal(), TransientResults(settings.window), AcMeasures()};
        std::string missing;
        if (ProbeSignal::Bind(record, probe, column.probe, missing)) {
            columns_.push_back(std::move(column));
        } else {
            unknown_.push_back(probe);
        }
    }
    if (!settings.reference.empty()) {
        reference_ = record.Find(VeltFromTyped(settings.reference));
        if (reference_ < 0) unknown_.push_back(settings.reference);
    }
}

void AnalysisMeasures::Add(const AnalysisRecord& record, std::size_t row) {
    if (isOperatingPoint(record)) return;  // its one value is read from the record
    const double x = record.Scale(row);
    if (isAc(record)) {
        const std::complex<double> reference = reference_ < 0 ? std::complex<double>(1.0) : record.Value(row, reference_);
        for (Column& column : columns_) column.ac.Add(x, column.probe.Value(record, row), reference);
        return;
    }
    for (Column& column : columns_) column.transient.Add(x, column.probe.Real(record, row));
}

void AnalysisMeasures::AddAll(const AnalysisRecord& record) {
    for (std::size_t row = 0; row < record.Rows(); ++row) Add(record, row);
}

ResultTable AnalysisMeasures::Results(const AnalysisRecord& record, const ProbeSettings& settings) const {
    auto nameOf = [&](const Column& column) { return ResultCell{column.probe.Name(record), std::nullopt}; };
    auto number = [](double value) { return ResultCell{FormatValue(value), value}; };
    auto count = [](std::size_t n) { return ResultCell{std::to_string(n), static_cast<double>(n)}; };
    const ResultCell none{"-", std::nullopt};
    ResultTable table;
    if (isOperatingPoint(record)) {
        table.headings = {"probe", "value"};
        for (const Column& column : columns_) {
            table.rows.push_back({nameOf(column), record.Rows() ? number(column.probe.Real(record, 0)) : none});
        }
        return table;
    }
    if (isAc(record)) {
        table.headings = {"probe", "points", "peak (dB)", "peak at", "-3 dB low", "-3 dB high", "bandwidth", "Q",
                          "0 dB at", "phase margin", "frequency", "gain (dB)", "phase (deg)"};
        auto optional = [&](const std::optional<double>& value) { return value ? number(*value) : none; };
        for (const Column& column : columns_) {
            const AcFigures f = column.ac.Figures();
            double gain = 0.0;
            double phase = 0.0;
            bool interpolated = false;
            const bool known = settings.acFrequency > 0.0 && column.ac.At(settings.acFrequency, gain, phase, interpolated);
            table.rows.push_back({nameOf(column), count(column.ac.Points()), optional(f.peakDb), optional(f.peakFrequency),
                                  optional(f.lowerEdge), optional(f.upperEdge), optional(f.bandwidth), optional(f.q),
                                  optional(f.unityFrequency), optional(f.phaseMargin),
                                  settings.acFrequency > 0.0 ? number(settings.acFrequency) : none,
                                  known ? number(gain) : none, known ? number(phase) : none});
        }
        return table;
    }
    table.headings = {"probe", "points", "from", "to", "min", "max", "pp", "avg", "rms", "integral"};
    for (const Column& column : columns_) {
        const TransientResults& m = column.transient;
        if (!m.Started()) {
            table.rows.push_back({nameOf(column), count(0)});
            continue;
        }
        const bool inside = m.Points() > 0;
        const std::optional<double> average = m.Average();
        table.rows.push_back({nameOf(column), count(m.Points()), number(m.From()), number(m.To()),
                              inside ? number(m.Min()) : none, inside ? number(m.Max()) : none,
                              inside ? number(m.PeakToPeak()) : none, average ? number(*average) : none,
                              number(m.Rms()), number(m.Integral())});
    }
    return table;
}

std::vector<std::string> ResultLines(const ResultTable& results) {
    TextTable table(results.headings);
    for (const auto& row : results.rows) {
        std::vector<std::string> cells;
        for (const ResultCell& cell : row) cells.push_back(cell.text);
        table.AddRow(std::move(cells));
    }
    return table.Lines();
}

}  // namespace veltsim
