// Expressions over signals as parsed and evaluated, without a circuit.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <optional>
#include <string>
#include <vector>

#include "probe_signal.h"
#include "signal_expression.h"

using veltsim::SignalExpression;

namespace {

SignalExpression parsed(const std::string& text) {
    std::string error;
    std::optional<SignalExpression> expression = SignalExpression::Parse(text, error);
    EXPECT_TRUE(expression) << text << ": " << error;
    return expression.value_or(SignalExpression());
}

double real(const std::string& text, const std::vector<double>& signals = {}) { return parsed(text).Evaluate(signals.data()); }

std::string errorOf(const std::string& text) {
    std::string error;
    EXPECT_FALSE(SignalExpression::Parse(text, error)) << text;
    return error;
}

}  // namespace

// Operators bind and associate as in arithmetic; numbers take SPICE suffixes and units.
TEST(SignalExpression, ArithmeticAndSpiceNumbers) {
    const struct {
        const char* text;
        double value;
    } rows[] = {
        {"1-2-3", -4}, {"8/2/2", 2}, {"2+3*4", 14}, {"2*3+4", 10}, {"(1+2)*3", 9}, {"-2*-3", 6},
        {"--1", 1}, {"+4", 4}, {"1k+2MEG", 2001000}, {"1*2.5e-3", 0.0025}, {"-.5mV", -5e-4},
        {"2u*1meg", 2}, {"3e*1", 3}, {" 1 + 2 ", 3},
    };
    for (const auto& row : rows) EXPECT_DOUBLE_EQ(real(row.text), row.value) << row.text;
}

// Signals are read in their order of first appearance, each once whatever its case; v(a,b) is
// the difference of two node voltages.
TEST(SignalExpression, SignalsInEveryNamingForm) {
    const SignalExpression e = parsed("V(a,b)*out - v(A)/2 + @m1[id] + q.x1.q1#base + mid:x1 + I(v1)");
    EXPECT_EQ(e.Signals(), (std::vector<std::string>{"v(a)", "v(b)", "out", "@m1[id]", "q.x1.q1#base", "mid:x1", "i(v1)"}));
    const double values[] = {5, 3, 10, 0.5, 0.25, 0.125, 1};
    EXPECT_DOUBLE_EQ(e.Evaluate(values), 2 * 10 - 2.5 + 0.5 + 0.25 + 0.125 + 1);
    EXPECT_EQ(parsed("v(net-1)+V(2, a.b)").Signals(), (std::vector<std::string>{"v(net-1)", "v(2)", "v(a.b)"}));
    EXPECT_EQ(parsed(" 12 ").Signals(), (std::vector<std::string>{"12"}));  // a node, not a number
    EXPECT_TRUE(parsed("12").IsSignal());
    EXPECT_TRUE(parsed("V(out)").IsSignal());
    EXPECT_TRUE(parsed(" x1.mid ").IsSignal());
    EXPECT_FALSE(parsed("-V(out)").IsSignal());
    EXPECT_FALSE(parsed("db(out)").IsSignal());
}

// Over complex values the functions see magnitude and angle; over real ones a negative value
// is half a turn and has no imaginary part.
TEST(SignalExpression, FunctionsOverComplexAndRealValues) {
    const std::complex<double> z(3, 4);
    const struct {
        const char* text;
        std::complex<double> complexValue;
        double realValue;
    } rows[] = {
        {"mag(x)", 5, 3}, {"db(x)", 20 * std::log10(5.0), 20 * std::log10(3.0)}, {"ph(x)", std::atan2(4, 3) * 180 / M_PI, 0},
        {"real(x)", 3, 3}, {"imag(x)", 4, 0}, {"x*x", z * z, 9}, {"1/x", 1.0 / z, 1.0 / 3}, {"ph(-x)", std::arg(-z) * 180 / M_PI, 180},
    };
    for (const auto& row : rows) {
        const SignalExpression e = parsed(row.text);
        const std::complex<double> value = e.Evaluate(&z);
        EXPECT_NEAR(value.real(), row.complexValue.real(), 1e-12) << row.text;
        EXPECT_NEAR(value.imag(), row.complexValue.imag(), 1e-12) << row.text;
        EXPECT_DOUBLE_EQ(real(row.text, {3}), row.realValue) << row.text;
    }
}

// Text that is no expression is refused with what is wrong and where; so is one nested deeper
// than a person would write, whatever its length otherwise.
TEST(SignalExpression, MalformedTextIsRefusedWithTheReason) {
    EXPECT_EQ(errorOf(""), "a value is missing at character 1 of ");
    EXPECT_EQ(errorOf("1+"), "a value is missing at character 3 of 1+");
    EXPECT_EQ(errorOf("(1+2"), "')' is missing at character 5 of (1+2");
    EXPECT_EQ(errorOf("1 2"), "unexpected '2' at character 3 of 1 2");
    EXPECT_EQ(errorOf("v()"), "a node name is missing at character 3 of v()");
    EXPECT_EQ(errorOf("v(a,)"), "a node name is missing at character 5 of v(a,)");
    EXPECT_EQ(errorOf("v(a b)"), "')' is missing at character 5 of v(a b)");
    EXPECT_EQ(errorOf("sin(out)"), "unknown function sin at character 5 of sin(out)");
    EXPECT_EQ(errorOf("db(out"), "')' is missing at character 7 of db(out");
    EXPECT_EQ(errorOf(")"), "a value is missing at character 1 of )");
    EXPECT_NE(errorOf(std::string(40, '(') + "1" + std::string(40, ')')).find("nested too deeply"), std::string::npos);
    EXPECT_NE(errorOf(std::string(40, '-') + "1").find("nested too deeply"), std::string::npos);
    std::string sum = "x";
    for (int i = 0; i < 1000; ++i) sum += "+x";
    EXPECT_DOUBLE_EQ(real(sum, {1}), 1001);
    std::string deep = "x";
    for (int i = 0; i < 30; ++i) deep = "x+(" + deep + ")";
    EXPECT_DOUBLE_EQ(real(deep, {1}), 31);
}

// A command line's words make probes: an expression typed with spaces stays one probe, and
// the same probe written twice is known as one.
TEST(ProbeWords, SpacedExpressionsAndTheSameProbeInOtherForms) {
    using veltsim::JoinedProbes;
    using veltsim::ProbeKey;
    EXPECT_EQ(JoinedProbes({"v(a,", "b)", "out", "2", "*", "V(x)", "-1*in", "a", "-", "b", "c/", "2"}),
              (std::vector<std::string>{"v(a, b)", "out", "2 * V(x)", "-1*in", "a - b", "c/ 2"}));
    EXPECT_EQ(ProbeKey("V(OUT)"), ProbeKey("out"));
    EXPECT_EQ(ProbeKey("I(vsense:x1)"), ProbeKey("v.x1.vsense#branch"));
    EXPECT_EQ(ProbeKey("2 * V(Out)"), ProbeKey("2*v(out)"));
    EXPECT_NE(ProbeKey("2*v(out)"), ProbeKey("3*v(out)"));
}
