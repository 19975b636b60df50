#include "analysis_record.h"

#include <limits>
#include <numeric>
#include <string_view>

namespace veltsim {

namespace {

// What a signal that cannot be had reads as: real and imaginary part.
constexpr double kUnknown[2] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN()};

// A DC sweep's abscissa is named after what it sweeps: "v-sweep", "i-sweep", "temp-sweep",
// "res-sweep".
bool isSweepScale(const std::string& vector) {
    constexpr std::string_view kSuffix = "-sweep";
    return vector.size() > kSuffix.size() && vector.compare(vector.size() - kSuffix.size(), kSuffix.size(), kSuffix) == 0;
}

}  // namespace

AnalysisRecord::AnalysisRecord(const PlotStart& plot, Fetch fetch)
    : type_(plot.type), plot_(plot.name), title_(plot.title), complex_(plot.complex), fetch_(std::move(fetch)) {
    for (const std::string& vector : plot.vectors) {
        signals_.push_back(BridgeNgspiceName(vector));
        const NODE_TYPE kind = signals_.back().spice.GetNodeType();
        if (scale_ < 0 && (kind == NODE_TIME || kind == NODE_FREQUENCY || isSweepScale(vector))) scale_ = static_cast<int>(signals_.size()) - 1;
    }
    std::vector<int> all(signals_.size());
    std::iota(all.begin(), all.end(), 0);
    Keep(all);
}

void AnalysisRecord::Keep(const std::vector<int>& signals) {
    if (rows_ > 0) return;
    kept_.clear();
    column_.assign(signals_.size(), -1);
    for (int signal : signals) {
        if (signal < 0 || static_cast<std::size_t>(signal) >= signals_.size() || column_[signal] >= 0) continue;
        column_[signal] = static_cast<int>(kept_.size());
        kept_.push_back(signal);
    }
    width_ = kept_.size() * (complex_ ? 2 : 1);
}

void AnalysisRecord::AddRow(const double* values) {
    if (rows_ % kRowsPerBlock == 0) {
        blocks_.emplace_back();
        blocks_.back().reserve(kRowsPerBlock * width_);
    }
    std::vector<double>& block = blocks_.back();
    for (int signal : kept_) {
        block.push_back(values[2 * signal]);
        if (complex_) block.push_back(values[2 * signal + 1]);
    }
    ++rows_;
}

int AnalysisRecord::Find(const CString& velt) const {
    for (std::size_t i = 0; i < signals_.size(); ++i) {
        if (signals_[i].velt == velt) return static_cast<int>(i);
    }
    return -1;
}

std::complex<double> AnalysisRecord::Value(std::size_t row, int signal) const {
    const double* value = At(row, signal);
    return {value[0], complexAt(signal) ? value[1] : 0.0};
}

const double* AnalysisRecord::At(std::size_t row, int signal) const {
    const int column = column_[static_cast<std::size_t>(signal)];
    if (column >= 0) {
        const std::size_t at = (row % kRowsPerBlock) * width_ + static_cast<std::size_t>(column) * (complex_ ? 2 : 1);
        return &blocks_[row / kRowsPerBlock][at];
    }
    const Vector& vector = fetched(signal);
    if (vector.values.empty()) return kUnknown;
    return &vector.values[row * (vector.complex ? 2 : 1)];
}

bool AnalysisRecord::complexAt(int signal) const {
    return Keeps(signal) ? complex_ : fetched_[static_cast<std::size_t>(signal)].complex;
}

const AnalysisRecord::Vector& AnalysisRecord::fetched(int signal) const {
    if (fetched_.empty()) fetched_.resize(signals_.size());
    Vector& vector = fetched_[static_cast<std::size_t>(signal)];
    if (vector.tried) return vector;
    std::vector<double> values;
    bool complex = false;
    const Fetched result = fetch_ ? fetch_(*this, signal, values, complex) : Fetched::kNever;
    if (result == Fetched::kNotNow) {
        missed_ = true;
        return vector;
    }
    vector.tried = true;
    // Steps dropped after a stop may be in the vector, never fewer than the record holds.
    if (result == Fetched::kYes && values.size() >= rows_ * (complex ? 2 : 1)) {
        vector.values = std::move(values);
        vector.complex = complex;
    }
    return vector;
}

}  // namespace veltsim
