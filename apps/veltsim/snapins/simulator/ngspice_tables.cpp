#include "ngspice_tables.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <utility>
#include <vector>

#include "text_table.h"
#include "text_util.h"

namespace veltsim {

namespace {

bool isNoiseTotals(const AnalysisRecord& record) { return record.Type() == "noise" && record.ScaleIndex() < 0; }

ResultCell number(double value) { return {FormatValue(value), value}; }
ResultCell text(std::string value) { return {std::move(value), std::nullopt}; }

// ngspice's names of the .tf figures, as people read them:
//   "Transfer_function" -> "transfer function"
//   "output_impedance_at_V(out)" -> "output impedance at V(out)"
//   "v1#Input_impedance" -> "input impedance at v1"
std::string tfFigure(const std::string& vector) {
    std::string name = vector;
    std::string source;
    if (const std::size_t hash = name.find('#'); hash != std::string::npos) {
        source = name.substr(0, hash);
        name = name.substr(hash + 1);
    }
    const std::size_t at = ToLower(name).find("_at_");
    std::string rest = at == std::string::npos ? std::string() : name.substr(at + 4);
    name = ToLower(name.substr(0, at));
    std::replace(name.begin(), name.end(), '_', ' ');
    if (!source.empty()) rest = source;
    return rest.empty() ? name : name + " at " + rest;
}

ResultTable transferFunction(const AnalysisRecord& record) {
    ResultTable table{{"figure", "value"}, {}};
    for (std::size_t i = 0; i < record.Signals().size(); ++i) {
        table.rows.push_back({text(tfFigure(record.Signals()[i].ngspice)), number(record.Real(0, static_cast<int>(i)))});
    }
    // The transfer function first, then the output and the input impedance, whatever order
    // ngspice keeps them in.
    auto rank = [](const std::vector<ResultCell>& row) {
        const std::string& name = row.front().text;
        return name.rfind("transfer", 0) == 0 ? 0 : name.rfind("output", 0) == 0 ? 1 : 2;
    };
    std::stable_sort(table.rows.begin(), table.rows.end(), [&](const auto& a, const auto& b) { return rank(a) < rank(b); });
    return table;
}

// "pole(2)" -> {0, 2}; "zero(1)" -> {1, 1}: poles before zeros, each by number.
std::pair<int, int> rootOrder(const std::string& vector) {
    const int kind = ToLower(vector).rfind("pole", 0) == 0 ? 0 : 1;
    const std::size_t open = vector.find('(');
    const int index = open == std::string::npos ? 0 : std::atoi(vector.c_str() + open + 1);
    return {kind, index};
}

ResultTable polesAndZeros(const AnalysisRecord& record) {
    ResultTable table{{"root", "real", "imaginary", "frequency (Hz)", "Q"}, {}};
    std::vector<int> order(record.Signals().size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        return rootOrder(record.Signals()[static_cast<std::size_t>(a)].ngspice) <
               rootOrder(record.Signals()[static_cast<std::size_t>(b)].ngspice);
    });
    for (const int i : order) {
        const auto [kind, index] = rootOrder(record.Signals()[static_cast<std::size_t>(i)].ngspice);
        const std::complex<double> root = record.Value(0, i);
        const double magnitude = std::abs(root);
        const bool pair = root.imag() != 0.0 && root.real() != 0.0;
        table.rows.push_back({text((kind == 0 ? "pole " : "zero ") + std::to_string(index)), number(root.real()),
                              number(root.imag()), number(magnitude / (2.0 * std::numbers::pi)),
                              pair ? number(magnitude / (2.0 * std::abs(root.real()))) : text("-")});
    }
    return table;
}

ResultTable noiseTotals(const AnalysisRecord& record) {
    ResultTable table{{"noise", "total"}, {}};
    for (std::size_t i = 0; i < record.Signals().size(); ++i) {
        table.rows.push_back({text(record.Signals()[i].ngspice), number(record.Real(0, static_cast<int>(i)))});
    }
    return table;
}

}  // namespace

bool ProbesApply(const AnalysisRecord& record) {
    const std::string& type = record.Type();
    return type == "op" || type == "tran" || type == "ac" || type == "dc";
}

bool HasOwnResults(const AnalysisRecord& record) {
    return record.Type() == "tf" || record.Type() == "pz" || isNoiseTotals(record);
}

ResultTable OwnResults(const AnalysisRecord& record) {
    if (!HasOwnResults(record) || record.Rows() == 0) return {};
    if (record.Type() == "tf") return transferFunction(record);
    if (record.Type() == "pz") return polesAndZeros(record);
    return noiseTotals(record);
}

std::string OwnResultsCaption(const AnalysisRecord& record) {
    if (record.Type() == "tf") return "Transfer function and impedances";
    if (record.Type() == "pz") return "Poles and zeros (s in rad/s)";
    return "Integrated noise over the sweep";
}

}  // namespace veltsim
