#include "analysis_record.h"

namespace veltsim {

AnalysisRecord::AnalysisRecord(std::string type, std::string plot, const std::vector<std::string>& vectors)
    : type_(std::move(type)), plot_(std::move(plot)) {
    for (const std::string& vector : vectors) {
        signals_.push_back(BridgeNgspiceName(vector));
        const NODE_TYPE kind = signals_.back().spice.GetNodeType();
        if (scale_ < 0 && (kind == NODE_TIME || kind == NODE_FREQUENCY)) scale_ = static_cast<int>(signals_.size()) - 1;
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
