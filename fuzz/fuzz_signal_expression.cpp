// Probe expressions over arbitrary text: parsed or refused with a reason, never a crash, and a
// parsed one evaluates over real and complex values within its stack.
#include <complex>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "signal_expression.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto expression = veltsim::SignalExpression::Parse(text, error);
    if (!expression) {
        if (error.empty()) __builtin_trap();
        return 0;
    }
    const std::size_t signals = expression->Signals().size();
    if (expression->IsSignal() && signals != 1) __builtin_trap();
    const std::vector<double> reals(signals, -0.5);
    const std::vector<std::complex<double>> complexes(signals, std::complex<double>(0.25, -2.0));
    (void)expression->Evaluate(reals.data());
    (void)expression->Evaluate(complexes.data());
    return 0;
}
