#include "engine/xml/maths.h"

#include "platform/exceptions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

struct ValueCase {
    const char* name;
    const char* text;
    std::int32_t value;
    bool malformed;
};

// clang-format off
const ValueCase kValues[] = {
    // Precedence and grouping.
    {"PowerBeforeProduct",      "2^3*2",       16,  false},
    {"PowerOfRightOperand",     "2*3^2",       18,  false},  // 2 * 9
    {"PowerProductSum",         "2*3^2+1",     19,  false},
    {"PowersGroupFromLeft",     "2^3^2",       64,  false},  // (2^3)^2
    {"RealDivisionTruncated",   "7/2",         3,   false},  // 3.5
    {"NegativeTruncatesToZero", "-7/2",        -3,  false},  // -3.5
    {"SubtractionFromLeft",     "10-4-3",      3,   false},
    {"ProductsFromLeft",        "100/4*2",     50,  false},  // (100/4)*2, not 100/8
    {"QuotientThenSum",         "640/2+10",    330, false},
    {"SumOfTwo",                "100+20",      120, false},
    {"SignAfterOperator",       "2*-3",        -6,  false},
    {"SignAfterPlus",           "200+-50",     150, false},
    {"MinusMinus",              "5--3",        8,   false},
    {"SignAfterSignIsOperator", "5---3",       2,   false},  // 5 - (sign alone: 0) - 3
    {"NegativeExponent",        "2^-1*10",     5,   false},  // 0.5 * 10
    {"FullPrecisionBetween",    "10/3*3",      10,  false},  // 3.333... * 3 = 10 exactly
    {"SevenThirdsTimesThree",   "7/3*3",       7,   false},
    // Decimal points continue a number.
    {"DecimalOperand",          "100*1.5",     150, false},
    {"DecimalAlone",            "3.7",         3,   false},
    {"DecimalAfterOperator",    "5+.5*3",      6,   false},  // 5 + 1.5
    // Where reading stops.
    {"StopsAtQuote",            "120\" y=\"4\"", 120, false},
    {"StopsAtBlank",            "100 + 20",    100, false},
    {"StopsAtLetter",           "12abc",       12,  false},
    {"StopsAtPercent",          "50%",         50,  false},
    {"LeadingBlanksTrimmed",    "  42  ",      42,  false},
    {"SignedNumbers",           "-15",         -15, false},
    {"PlusSign",                "+15",         15,  false},
    // Trailing operators dropped; nothing left is malformed, and reads as the leading number.
    {"TrailingPlus",            "5+",          5,   false},
    {"TrailingOperators",       "5+*",         5,   false},
    {"LonePlus",                "+",           0,   true},
    {"LoneMinus",               "-",           0,   true},
    {"Empty",                   "",            0,   false},
    {"Blanks",                  "   ",         0,   false},
    // Malformed: the plain leading number of the text.
    {"DoubleStar",              "5**2",        5,   true},
    {"PlusSlash",               "5+/2",        5,   true},
    {"Letters",                 "abc",         0,   true},
    {"LeadingPoint",            ".5",          0,   true},   // 0.5 truncated
    {"MalformedKeepsFraction",  "7.9**2",      7,   true},
    {"MalformedNegative",       "-7.9+*2",     -7,  true},
    // The 32-bit range is reached, not passed.
    {"LargestInt32",            "2147483647",  2147483647,  false},
    {"SmallestInt32",           "-2147483648", -2147483647 - 1, false},
    {"TruncatedIntoRange",      "2147483647.9", 2147483647, false},
    {"ZeroDividedIsZero",       "0/5",         0,   false},
};
// clang-format on

class MathsValTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(MathsValTest, EvaluatesTheLeadingExpression) {
    Maths::MathsError = !GetParam().malformed;  // cleared or set by every call
    EXPECT_EQ(Maths::MathsVal(GetParam().text), GetParam().value);
    EXPECT_EQ(Maths::MathsError, GetParam().malformed);
}

INSTANTIATE_TEST_SUITE_P(Expressions, MathsValTest, ::testing::ValuesIn(kValues),
                         [](const auto& info) { return std::string(info.param.name); });

struct FailureCase {
    const char* name;
    const char* text;
    const char* kind;
};

// clang-format off
const FailureCase kFailures[] = {
    // An operator left without a number behind it.
    {"MinusBeforeQuote",     "10-\"",         "OutOfBoundsException"},
    {"StarBeforeLetter",     "2*x",           "OutOfBoundsException"},
    {"PlusBeforeBlank",      "100+ 20",       "OutOfBoundsException"},
    {"PowerBeforeQuote",     "2^\" x=\"3\"",  "OutOfBoundsException"},
    // No undefined arithmetic: these fail the line instead.
    {"DivisionByZero",       "5/0",           "RuntimeException"},
    {"DivisionBySignAlone",  "5/-\"",         "RuntimeException"},  // "-" alone reads as 0
    {"ZeroByZero",           "0/0",           "RuntimeException"},
    {"PowerWithoutRealValue", "-8^0.5",       "RuntimeException"},
    {"PowerOverflow",        "10^400",        "RuntimeException"},
    {"ZeroToNegativePower",  "0^-1",          "RuntimeException"},
    {"ProductOverflow",      "10^200*10^200", "RuntimeException"},
    {"AboveInt32",           "2147483648",    "RuntimeException"},
    {"BelowInt32",           "-2147483649",   "RuntimeException"},
    {"SumAboveInt32",        "2147483647+1",  "RuntimeException"},
    {"HugeLiteral",          "99999999999999999999999", "RuntimeException"},
    {"MalformedHugeNumber",  "99999999999**2", "RuntimeException"},
};
// clang-format on

class MathsFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(MathsFailureTest, FailsForTheCallingPassToReport) {
    try {
        const auto v = Maths::MathsVal(GetParam().text);
        FAIL() << "gave " << v;
    } catch (const platform::RuntimeException& e) {
        EXPECT_STREQ(e.KindName(), GetParam().kind);
    }
}

INSTANTIATE_TEST_SUITE_P(Expressions, MathsFailureTest, ::testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MathsCalcTest, WorksOnTheListsAsTheScanLeavesThem) {
    // "2*3+4": operator k stands before operand k; element 0 of each list is a placeholder.
    std::vector<std::string> operators{"", "+", "*", "+"};
    std::vector<std::string> operands{"", "2", "3", "4"};
    EXPECT_EQ(Maths::MathsCalc(operators, operands), 10);
    EXPECT_EQ(operators, (std::vector<std::string>{"", "+", "+"}));
    EXPECT_EQ(operands.size(), 3u);
    EXPECT_EQ(operands[1], "6");
}

TEST(MathsParseTest, FirstCharacterMustBeADigitOrSign) {
    Maths::MathsError = false;
    EXPECT_EQ(Maths::MathsParse("*5"), 0);
    EXPECT_TRUE(Maths::MathsError);
    Maths::MathsError = false;
    EXPECT_EQ(Maths::MathsParse("-5*2"), -10);
    EXPECT_FALSE(Maths::MathsError);
}

}  // namespace
