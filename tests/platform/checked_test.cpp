#include "platform/checked.h"

#include "platform/exceptions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace {

using platform::CheckedInt32;
using platform::RoundInt32;
using platform::TruncInt32;
using platform::TryTruncInt32;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct RoundCase {
    const char* name;
    double value;
    std::int32_t truncated;
    std::int32_t rounded;
};

// clang-format off
const RoundCase kRounds[] = {
    {"HalfUp",                       2.5,           2,          3},
    {"HalfDownNeg",                 -2.5,          -2,         -3},
    {"BelowHalf",                    2.49,          2,          2},
    {"NegBelowHalf",                -1.4,          -1,         -1},
    {"Whole",                        7.0,           7,          7},
    // A fraction below one half stays inside the range under both rules.
    {"TopWithFractionBelowHalf",     2147483647.4,  2147483647, 2147483647},
    {"BottomExactly",               -2147483648.0,  INT32_MIN,  INT32_MIN},
    {"BottomWithFractionBelowHalf", -2147483648.4,  INT32_MIN,  INT32_MIN},
};
// clang-format on

class IntegerConversionTest : public ::testing::TestWithParam<RoundCase> {};

TEST_P(IntegerConversionTest, TruncatesTowardZeroAndRoundsHalvesAway) {
    EXPECT_EQ(TruncInt32(GetParam().value), GetParam().truncated);
    EXPECT_EQ(TryTruncInt32(GetParam().value), GetParam().truncated);
    EXPECT_EQ(RoundInt32(GetParam().value), GetParam().rounded);
}

INSTANTIATE_TEST_SUITE_P(Values, IntegerConversionTest, ::testing::ValuesIn(kRounds),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(IntegerConversionTest, RefusesWhatHasNo32BitValue) {
    EXPECT_THROW(RoundInt32(2147483647.5), platform::RuntimeException);
    EXPECT_EQ(RoundInt32(2147483647.4), 2147483647);
    EXPECT_THROW(TruncInt32(kNaN), platform::RuntimeException);
    EXPECT_THROW(RoundInt32(-kInf), platform::RuntimeException);
}

TEST(IntegerConversionTest, TheRulesDifferAtTheEdges) {
    // 2147483647.9 truncates to the top of the range but rounds to 2^31, one beyond it; at the
    // bottom, -2147483648.9 truncates into the range and rounds out of it.
    EXPECT_EQ(TruncInt32(2147483647.9), 2147483647);
    EXPECT_THROW(RoundInt32(2147483647.9), platform::RuntimeException);
    EXPECT_EQ(TruncInt32(-2147483648.9), INT32_MIN);
    EXPECT_THROW(RoundInt32(-2147483648.9), platform::RuntimeException);
}

struct RefusedCase {
    const char* name;
    double value;
};

// clang-format off
const RefusedCase kRefused[] = {
    {"NotANumber",          kNaN},
    {"PlusInfinity",        kInf},
    {"MinusInfinity",      -kInf},
    {"OneBeyondTheTop",     2147483648.0},
    {"OneBeyondTheBottom", -2147483649.0},
    {"FarBeyond",           1e300},
};
// clang-format on

class RefusedConversionTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedConversionTest, EveryRuleRefuses) {
    EXPECT_THROW(TruncInt32(GetParam().value), platform::RuntimeException);
    EXPECT_THROW(RoundInt32(GetParam().value), platform::RuntimeException);
    EXPECT_EQ(TryTruncInt32(GetParam().value), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Values, RefusedConversionTest, ::testing::ValuesIn(kRefused),
                         [](const auto& info) { return std::string(info.param.name); });

struct WideCase {
    const char* name;
    long long value;
    bool fits;
};

// clang-format off
const WideCase kWide[] = {
    {"Top",                 2147483647LL,  true},
    {"Bottom",             -2147483648LL,  true},
    {"Zero",                0,             true},
    {"OneBeyondTheTop",     2147483648LL,  false},
    {"OneBeyondTheBottom", -2147483649LL,  false},
    {"Widest",              std::numeric_limits<long long>::max(), false},
};
// clang-format on

class CheckedInt32Test : public ::testing::TestWithParam<WideCase> {};

TEST_P(CheckedInt32Test, KeepsTheValueOrThrows) {
    const auto& c = GetParam();
    if (c.fits)
        EXPECT_EQ(CheckedInt32(c.value), c.value);
    else
        EXPECT_THROW(CheckedInt32(c.value), platform::RuntimeException);
}

INSTANTIATE_TEST_SUITE_P(Values, CheckedInt32Test, ::testing::ValuesIn(kWide),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
