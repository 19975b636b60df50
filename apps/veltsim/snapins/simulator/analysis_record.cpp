#include "analysis_record.h"

#include <string_view>

namespace veltsim {

namespace {

// A DC sweep's abscissa is named after what it sweeps: "v-sweep", "i-sweep", "temp-sweep",
// "res-sweep".
bool isSweepScale(const std::string& vector) {
    constexpr std::string_view kSuffix = "-sweep";
    return vector.size() > kSuffix.size() && vector.compare(vector.size() - kSuffix.size(), kSuffix.size(), kSuffix) == 0;
}

}  // namespace

AnalysisRecord::AnalysisRecord(const PlotStart& plot) : type_(plot.type), plot_(plot.name), title_(plot.title) {
    for (const std::string& vector : plot.vectors) {
        signals_.push_back(BridgeNgspiceName(vector));
        const NODE_TYPE kind = signals_.back().spice.GetNodeType();
        if (scale_ < 0 && (kind == NODE_TIME || kind == NODE_FREQUENCY || isSweepScale(vector))) scale_ = static_cast<int>(signals_.size()) - 1;
    }
}

void AnalysisRecord::AddRow(const double* values) {
    const std::size_t width = 2 * signals_.size();
    if (rows_ % kRowsPerBlock == 0) {
        blocks_.emplace_back();
        blocks_.back().reserve(kRowsPerBlock * width);
    }
    blocks_.back().insert(blocks_.back().end(), values, values + width);
    ++rows_;
}

int AnalysisRecord::Find(const CString& velt) const {
    for (std::size_t i = 0; i < signals_.size(); ++i) {
        if (signals_[i].velt == velt) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace veltsim
