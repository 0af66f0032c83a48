#include "engine/xml/maths.h"

#include "platform/checked.h"
#include "platform/exceptions.h"
#include "platform/text.h"
#include "platform/thread.h"

#include <cmath>
#include <cstdio>

namespace Maths {
namespace {

bool IsOperator(char c) noexcept {
    return c == '+' || c == '-' || c == '*' || c == '/' || c == '^';
}

bool IsDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

// An operand as the lists hold it: an optional sign and digits, a sign alone (0), or a partial
// result written back.
double Number(const std::string& operand) noexcept {
    return platform::Val(operand);
}

// Partial results go back into the operand list with every digit that a double holds, so the
// levels lose no precision between them (10/3*3 gives 10).
std::string Text(double value) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", value);
    return buf;
}

double Checked(double value, const char* what) {
    if (!std::isfinite(value))
        throw platform::RuntimeException(std::string("expression has no value: ") + what);
    return value;
}

double Apply(char op, double left, double right) {
    switch (op) {
        case '^':
            return Checked(std::pow(left, right), "power");
        case '*':
            return Checked(left * right, "product");
        default:
            if (right == 0)
                throw platform::RuntimeException("division by zero in expression");
            return Checked(left / right, "quotient");
    }
}

// Replaces each operator of the level, from left to right, and its two operands by the result;
// the operator in front of the left operand stays in front of the result.
template <typename InLevel>
void ApplyLevel(std::vector<std::string>& operators, std::vector<std::string>& operands,
                InLevel inLevel) {
    std::size_t k = 2;
    while (k < operators.size()) {
        const char op = operators[k].empty() ? '\0' : operators[k][0];
        if (inLevel(op)) {
            const auto index = static_cast<long long>(k);
            const double left = Number(platform::At(operands, index - 1));
            const double right = Number(platform::At(operands, index));
            operands[k - 1] = Text(Apply(op, left, right));
            operators.erase(operators.begin() + index);
            operands.erase(operands.begin() + index);
        } else {
            ++k;
        }
        platform::Yield();
    }
}

}  // namespace

std::int32_t MathsVal(std::string_view text) {
    MathsError = false;
    std::string expr = platform::Trim(text);
    if (expr.empty())
        return 0;
    while (!expr.empty() && IsOperator(expr.back()))
        expr.pop_back();
    const std::int32_t value = MathsParse(expr);
    if (MathsError)
        return platform::TruncInt32(platform::Val(text));
    return value;
}

std::int32_t MathsParse(std::string_view text) {
    if (text.empty() || !(IsDigit(text[0]) || text[0] == '+' || text[0] == '-')) {
        MathsError = true;
        return 0;
    }
    std::vector<std::string> operators{"", "+"};
    std::vector<std::string> operands{""};
    std::string current(1, text[0]);
    bool havePrevious = false;  // a leading sign is never taken for an operator
    char previous = '\0';
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        const bool afterOperator = havePrevious && IsOperator(previous);
        if (afterOperator && c == '-') {
            current = "-";
            havePrevious = false;
        } else if (afterOperator && IsOperator(c)) {
            MathsError = true;
            operators.resize(1);
            operands.resize(1);
            current.clear();
            break;
        } else if (IsOperator(c)) {
            operands.push_back(current);
            operators.emplace_back(1, c);
            current.clear();
            previous = c;
            havePrevious = true;
        } else if (IsDigit(c) || c == '.') {
            current += c;
            previous = c;
            havePrevious = true;
        } else {
            break;
        }
        platform::Yield();
    }
    if (!current.empty())
        operands.push_back(current);
    return MathsCalc(operators, operands);
}

std::int32_t MathsCalc(std::vector<std::string>& operators, std::vector<std::string>& operands) {
    ApplyLevel(operators, operands, [](char op) { return op == '^'; });
    ApplyLevel(operators, operands, [](char op) { return op == '*' || op == '/'; });
    double sum = 0;
    for (long long k = 1; k <= platform::LastIndex(operators); ++k) {
        const double operand = Number(platform::At(operands, k));
        const std::string& op = operators[static_cast<std::size_t>(k)];
        if (op == "+")
            sum = Checked(sum + operand, "sum");
        else if (op == "-")
            sum = Checked(sum - operand, "sum");
        platform::Yield();
    }
    return platform::TruncInt32(sum);
}

void ResetDefaults() {
    MathsError = false;
}

}  // namespace Maths
