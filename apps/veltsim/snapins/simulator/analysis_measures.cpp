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
        const int signal = record.Find(VeltFromTyped(probe));
        if (signal < 0) {
            unknown_.push_back(probe);
        } else {
            columns_.push_back({signal, TransientMeasures(settings.window), AcMeasures()});
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
        for (Column& column : columns_) column.ac.Add(x, record.Value(row, column.signal), reference);
        return;
    }
    for (Column& column : columns_) column.transient.Add(x, record.Real(row, column.signal));
}

void AnalysisMeasures::AddAll(const AnalysisRecord& record) {
    for (std::size_t row = 0; row < record.Rows(); ++row) Add(record, row);
}

std::vector<std::string> AnalysisMeasures::TableLines(const AnalysisRecord& record, const ProbeSettings& settings) const {
    auto nameOf = [&](const Column& column) { return std::string(record.Signals()[column.signal].spice.GetNode()); };
    if (isOperatingPoint(record)) {
        TextTable table({"probe", "value"});
        for (const Column& column : columns_) {
            table.AddRow({nameOf(column), record.Rows() ? FormatValue(record.Real(0, column.signal)) : "-"});
        }
        return table.Lines();
    }
    if (isAc(record)) {
        TextTable table({"probe", "points", "frequency", "gain (dB)", "phase (deg)"});
        for (const Column& column : columns_) {
            double gain = 0.0;
            double phase = 0.0;
            const bool known = settings.acFrequency > 0.0 && column.ac.At(settings.acFrequency, gain, phase);
            table.AddRow({nameOf(column), std::to_string(column.ac.Points()), FormatValue(settings.acFrequency),
                          known ? FormatValue(gain) : "-", known ? FormatValue(phase) : "-"});
        }
        return table.Lines();
    }
    TextTable table({"probe", "points", "from", "to", "min", "max", "rms", "integral"});
    for (const Column& column : columns_) {
        const TransientMeasures& m = column.transient;
        if (m.Points() == 0) {
            table.AddRow({nameOf(column), "0"});
            continue;
        }
        table.AddRow({nameOf(column), std::to_string(m.Points()), FormatValue(m.From()), FormatValue(m.To()),
                      FormatValue(m.Min()), FormatValue(m.Max()), FormatValue(m.Rms()), FormatValue(m.Integral())});
    }
    return table.Lines();
}

}  // namespace veltsim
