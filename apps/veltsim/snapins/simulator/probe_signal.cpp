#include "probe_signal.h"

#include <algorithm>
#include <cctype>

#include "text_util.h"

namespace veltsim {

bool ProbeInputs(std::string_view typed, std::vector<std::string>& signals, std::string& error) {
    const std::optional<SignalExpression> expression = SignalExpression::Parse(typed, error);
    if (!expression) return false;
    signals = expression->Signals();
    if (signals.empty()) error = Trimmed(typed) + " reads no signal";
    return !signals.empty();
}

bool IsDeviceQuantity(const std::string& signal) { return VeltFromTyped(signal).str().rfind('@', 0) == 0; }

std::vector<std::string> JoinedProbes(const std::vector<std::string>& words) {
    auto isArithmetic = [](char c) { return c == '+' || c == '-' || c == '*' || c == '/'; };
    // A word that starts with a sign is a probe of its own ("-2*V(out)") unless the sign stands
    // alone ("V(in) - V(out)").
    auto continues = [&](const std::string& word) { return word.size() == 1 ? isArithmetic(word[0]) : word[0] == '*' || word[0] == '/'; };
    std::vector<std::string> probes;
    int open = 0;
    for (const std::string& word : words) {
        if (!probes.empty() && (open > 0 || isArithmetic(probes.back().back()) || continues(word))) {
            probes.back() += " " + word;
        } else {
            probes.push_back(word);
        }
        for (char c : word) open += c == '(' ? 1 : c == ')' ? -1 : 0;
        open = std::max(open, 0);
    }
    return probes;
}

std::string ProbeDisplayName(const std::string& typed) {
    std::string error;
    const std::optional<SignalExpression> expression = SignalExpression::Parse(typed, error);
    if (!expression || !expression->IsSignal()) return Trimmed(typed);
    return SpiceFromVelt(VeltFromTyped(typed)).GetNode().str();
}

std::string ProbeKey(std::string_view typed) {
    std::string error;
    const std::optional<SignalExpression> expression = SignalExpression::Parse(typed, error);
    if (expression && expression->IsSignal()) return VeltFromTyped(expression->Signals().front()).str();
    std::string key;
    for (char c : ToLower(typed)) {
        if (!std::isspace(static_cast<unsigned char>(c))) key += c;
    }
    return key;
}

bool ProbeSignal::Bind(const AnalysisRecord& record, std::string_view typed, ProbeSignal& probe, std::string& missing) {
    std::optional<SignalExpression> expression = SignalExpression::Parse(typed, missing);
    if (!expression) return false;
    probe.inputs_.clear();
    for (const std::string& name : expression->Signals()) {
        const int signal = record.Find(VeltFromTyped(name));
        if (signal < 0) {
            missing = name;
            return false;
        }
        probe.inputs_.push_back(signal);
    }
    probe.expression_ = std::move(*expression);
    probe.text_ = Trimmed(typed);
    probe.complexValues_.resize(probe.inputs_.size());
    probe.realValues_.resize(probe.inputs_.size());
    return true;
}

ProbeSignal ProbeSignal::Of(const AnalysisRecord& record, int signal) {
    ProbeSignal probe;
    probe.expression_ = SignalExpression::OfSignal(record.Signals()[static_cast<std::size_t>(signal)].ngspice);
    probe.inputs_ = {signal};
    return probe;
}

std::complex<double> ProbeSignal::Value(const AnalysisRecord& record, std::size_t row) const {
    if (Signal() >= 0) return record.Value(row, Signal());
    for (std::size_t k = 0; k < inputs_.size(); ++k) complexValues_[k] = record.Value(row, inputs_[k]);
    return expression_.Evaluate(complexValues_.data());
}

double ProbeSignal::Real(const AnalysisRecord& record, std::size_t row) const {
    if (Signal() >= 0) return record.Real(row, Signal());
    for (std::size_t k = 0; k < inputs_.size(); ++k) realValues_[k] = record.Real(row, inputs_[k]);
    return expression_.Evaluate(realValues_.data());
}

std::string ProbeSignal::Name(const AnalysisRecord& record) const {
    return Signal() >= 0 ? std::string(record.Signals()[static_cast<std::size_t>(Signal())].spice.GetNode()) : text_;
}

bool ProbeSignal::IsCurrent(const AnalysisRecord& record) const {
    return Signal() >= 0 && record.Signals()[static_cast<std::size_t>(Signal())].spice.GetNodeType() == NODE_CURRENT;
}

}  // namespace veltsim
