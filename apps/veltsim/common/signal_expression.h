#pragma once

#include <array>
#include <complex>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltsim {

// An expression over signals, as a probe may be written:
//   V(a)-V(b)   v(a,b)   db(v(out))   ph(V(out)/V(in))   -2.2k*I(vsense:x1)   (out+in)/2
// with the operators + - * / and unary minus, parentheses, numbers with SPICE scale suffixes,
// the functions v(node), v(node,node), i(source), db, ph (degrees), mag, real and imag, and
// signals named in any form a probe takes ("out", "x1.mid", "mid:x1", "q.x1.q1#base",
// "@m1[id]"). A name with an operator in it is written inside v() ("v(net-1)"); a lone number
// is a node's name ("12"), as SPICE decks number their nodes. It is compiled once into a postfix program and evaluated per step over complex
// values (an AC sweep) or real ones (every other analysis).
//
// A small parser of our own rather than a general one (muparserx, in Debian), chosen by
// measurement (bench/app/expression_bench.cpp): per step it evaluates a typical real probe in
// about 9 ns against muparserx's 140, a complex one in about 70 ns against 180; it costs one
// source file of about 1.7 s to compile, where muparserx would be a 750 kB shared library to
// link and ship with every installation. Besides, the names of signals hold characters that a
// general tokenizer takes for operators (":", "#", "[", "."), and numbers carry SPICE suffixes,
// which would need rewriting before muparserx could read them.
class SignalExpression {
public:
    // The expression in `text`, or nothing with `error` saying what is wrong and where.
    static std::optional<SignalExpression> Parse(std::string_view text, std::string& error);
    // One signal read as it is, for a name taken from elsewhere (a node of the circuit).
    static SignalExpression OfSignal(std::string name);

    // The signals it reads, each once, in the order they first appear, as written: a bare name,
    // or "v(name)" and "i(name)" for those forms.
    const std::vector<std::string>& Signals() const { return signals_; }
    // Whether it is one signal as it is (no arithmetic, no function): "V(out)", "x1.mid".
    bool IsSignal() const { return program_.size() == 1 && program_.front().code == Code::Signal; }

    // Its value, given the value of each of Signals() in that order.
    std::complex<double> Evaluate(const std::complex<double>* signals) const;
    double Evaluate(const double* signals) const;

private:
    enum class Code { Number, Signal, Negate, Add, Subtract, Multiply, Divide, Db, Phase, Magnitude, RealPart, ImagPart };
    struct Instruction {
        Code code;
        double number = 0.0;      // Number
        std::size_t signal = 0;   // Signal: index into signals_
    };
    // Deep enough for any expression a person types; deeper ones are refused when parsed.
    static constexpr std::size_t kMaxStack = 64;

    template <typename T>
    T run(const T* signals) const;

    friend class ExpressionParser;
    std::vector<std::string> signals_;
    std::vector<Instruction> program_;
};

}  // namespace veltsim
