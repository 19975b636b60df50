#include "signal_expression.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>

#include "spice_number.h"
#include "text_util.h"

namespace veltsim {

namespace {

bool isOperator(char c) { return c == '+' || c == '-' || c == '*' || c == '/' || c == '(' || c == ')' || c == ','; }
bool isSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
bool isLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

// Parenthesised sub-expressions and unary signs nested deeper than this are refused, so that
// hostile text cannot exhaust the parser's stack.
constexpr int kMaxNesting = 32;

}  // namespace

// Recursive descent over the text, writing the postfix program as it goes.
class ExpressionParser {
public:
    explicit ExpressionParser(std::string_view text) : text_(text) {}

    std::optional<SignalExpression> Parse(std::string& error) {
        const bool parsed = sum();
        skipSpace();
        if (!parsed || (pos_ < text_.size() && !fail("unexpected '" + std::string(1, text_[pos_]) + "'"))) {
            error = error_ + " at character " + std::to_string(pos_ + 1) + " of " + std::string(text_);
            return std::nullopt;
        }
        if (stackNeeded() > SignalExpression::kMaxStack) {
            error = "expression too long: " + std::string(text_);
            return std::nullopt;
        }
        // A lone number names a node: SPICE decks number their nodes ("1", "12").
        const std::vector<SignalExpression::Instruction>& program = expression_.program_;
        const std::string lone = Trimmed(text_);
        if (program.size() == 1 && program.front().code == Code::Number && isDigit(lone.front())) {
            return SignalExpression::OfSignal(lone);
        }
        return std::move(expression_);
    }

private:
    using Code = SignalExpression::Code;

    bool fail(const std::string& message) {
        if (error_.empty()) error_ = message;
        return false;
    }
    void skipSpace() {
        while (pos_ < text_.size() && isSpace(text_[pos_])) ++pos_;
    }
    bool take(char c) {
        skipSpace();
        if (pos_ >= text_.size() || text_[pos_] != c) return false;
        ++pos_;
        return true;
    }
    void emit(Code code) { expression_.program_.push_back({code}); }

    bool sum() { return chain(&ExpressionParser::product, '+', Code::Add, '-', Code::Subtract); }
    bool product() { return chain(&ExpressionParser::unary, '*', Code::Multiply, '/', Code::Divide); }
    // Operands joined by either of two operators of one precedence, left to right.
    bool chain(bool (ExpressionParser::*operand)(), char first, Code firstCode, char second, Code secondCode) {
        if (!(this->*operand)()) return false;
        for (;;) {
            const Code code = take(first) ? firstCode : take(second) ? secondCode : Code::Number;
            if (code == Code::Number) return true;
            if (!(this->*operand)()) return false;
            emit(code);
        }
    }
    bool unary() {
        if (++depth_ > kMaxNesting) return fail("nested too deeply");
        bool ok;
        if (take('-')) {
            ok = unary();
            if (ok) emit(Code::Negate);
        } else {
            ok = take('+') ? unary() : primary();
        }
        --depth_;
        return ok;
    }
    bool primary() {
        skipSpace();
        if (pos_ >= text_.size()) return fail("a value is missing");
        if (take('(')) return sum() && (take(')') || fail("')' is missing"));
        const char first = text_[pos_];
        if (isDigit(first) || (first == '.' && pos_ + 1 < text_.size() && isDigit(text_[pos_ + 1]))) return number();
        const std::string name = word();
        if (name.empty()) return fail("a value is missing");
        if (!take('(')) return signal(name);
        return call(ToLower(name));
    }
    // A word: everything up to white space or an operator; inside v() and i(), where no
    // arithmetic goes, up to white space, a comma or the closing parenthesis ("v(net-1)").
    std::string word(bool argument = false) {
        const std::size_t start = pos_;
        auto ends = [&](char c) { return isSpace(c) || (argument ? c == ',' || c == ')' : isOperator(c)); };
        while (pos_ < text_.size() && !ends(text_[pos_])) ++pos_;
        return std::string(text_.substr(start, pos_ - start));
    }
    bool number() {
        const std::size_t start = pos_;
        auto digits = [&] {
            while (pos_ < text_.size() && isDigit(text_[pos_])) ++pos_;
        };
        digits();
        if (pos_ < text_.size() && text_[pos_] == '.') ++pos_, digits();
        // An exponent only when digits follow it: "2e" is 2 with the unit "e".
        if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
            std::size_t exponent = pos_ + 1;
            if (exponent < text_.size() && (text_[exponent] == '+' || text_[exponent] == '-')) ++exponent;
            if (exponent < text_.size() && isDigit(text_[exponent])) {
                pos_ = exponent;
                digits();
            }
        }
        while (pos_ < text_.size() && isLetter(text_[pos_])) ++pos_;  // scale suffix and unit
        double value = 0.0;
        if (!ParseSpiceNumber(text_.substr(start, pos_ - start), value)) return fail("not a number");
        expression_.program_.push_back({Code::Number, value});
        return true;
    }
    bool signal(const std::string& name) {
        std::vector<std::string>& signals = expression_.signals_;
        const std::string key = ToLower(name);
        auto found = std::find_if(signals.begin(), signals.end(), [&](const std::string& s) { return ToLower(s) == key; });
        if (found == signals.end()) found = signals.insert(signals.end(), name);
        expression_.program_.push_back({Code::Signal, 0.0, static_cast<std::size_t>(found - signals.begin())});
        return true;
    }
    // v(node), v(node,node), i(source), or a function of one expression.
    bool call(const std::string& function) {
        if (function == "v" || function == "i") {
            skipSpace();
            const std::string first = word(true);
            if (first.empty()) return fail("a node name is missing");
            signal(function + "(" + first + ")");
            if (function == "v" && take(',')) {
                skipSpace();
                const std::string second = word(true);
                if (second.empty()) return fail("a node name is missing");
                signal("v(" + second + ")");
                emit(Code::Subtract);
            }
            return take(')') || fail("')' is missing");
        }
        static const struct {
            const char* name;
            Code code;
        } functions[] = {{"db", Code::Db}, {"ph", Code::Phase}, {"mag", Code::Magnitude}, {"real", Code::RealPart}, {"imag", Code::ImagPart}};
        const auto* known = std::find_if(std::begin(functions), std::end(functions), [&](const auto& f) { return function == f.name; });
        if (known == std::end(functions)) return fail("unknown function " + function);
        if (!sum() || !(take(')') || fail("')' is missing"))) return false;
        emit(known->code);
        return true;
    }
    std::size_t stackNeeded() const {
        std::size_t depth = 0;
        std::size_t most = 0;
        for (const auto& instruction : expression_.program_) {
            const bool leaf = instruction.code == Code::Number || instruction.code == Code::Signal;
            const bool binary = instruction.code >= Code::Add && instruction.code <= Code::Divide;
            depth = leaf ? depth + 1 : binary ? depth - 1 : depth;
            most = std::max(most, depth);
        }
        return most;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int depth_ = 0;
    std::string error_;
    SignalExpression expression_;
};

std::optional<SignalExpression> SignalExpression::Parse(std::string_view text, std::string& error) {
    return ExpressionParser(text).Parse(error);
}

SignalExpression SignalExpression::OfSignal(std::string name) {
    SignalExpression expression;
    expression.signals_ = {std::move(name)};
    expression.program_ = {{Code::Signal}};
    return expression;
}

template <typename T>
T SignalExpression::run(const T* signals) const {
    constexpr bool kComplex = !std::is_same_v<T, double>;
    std::array<T, kMaxStack> stack;
    std::size_t top = 0;  // values on the stack
    for (const Instruction& instruction : program_) {
        if (instruction.code == Code::Number) {
            stack[top++] = instruction.number;
            continue;
        }
        if (instruction.code == Code::Signal) {
            stack[top++] = signals[instruction.signal];
            continue;
        }
        T& last = stack[top - 1];
        switch (instruction.code) {
        case Code::Number:
        case Code::Signal: break;
        case Code::Negate: last = -last; break;
        case Code::Add: stack[top - 2] += last, --top; break;
        case Code::Subtract: stack[top - 2] -= last, --top; break;
        case Code::Multiply: stack[top - 2] *= last, --top; break;
        case Code::Divide: stack[top - 2] /= last, --top; break;
        case Code::Db: last = 20.0 * std::log10(std::abs(last)); break;
        case Code::Magnitude: last = std::abs(last); break;
        case Code::Phase:
            if constexpr (kComplex) {
                last = std::arg(last) * (180.0 / std::numbers::pi);
            } else {
                last = last < 0.0 ? 180.0 : 0.0;
            }
            break;
        case Code::RealPart:
            if constexpr (kComplex) last = last.real();
            break;
        case Code::ImagPart:
            if constexpr (kComplex) {
                last = last.imag();
            } else {
                last = 0.0;
            }
            break;
        }
    }
    return stack[0];
}

std::complex<double> SignalExpression::Evaluate(const std::complex<double>* signals) const { return run(signals); }
double SignalExpression::Evaluate(const double* signals) const { return run(signals); }

}  // namespace veltsim
