#include "engine/picture/browser_lines.h"

#include "platform/exceptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The first browser at y 100 with height 300: its bottom is 400 and its last row 399. The skin
// is 700 high and grows by 100.
constexpr std::int32_t kInHeight = 700;
constexpr std::int32_t kGrow = 100;

struct YCase {
    const char* name;
    std::int32_t base;        // position base before the line
    std::int32_t difference;  // height difference
    const char* in;
    const char* out;
    std::int32_t baseAfter;
};

// clang-format off
const YCase kYCases[] = {
    {"LastBrowserRowMoves",       0,   kGrow, R"(<off y="399"/>)",          R"(<off y="499"/>)",           0},
    {"AboveLastBrowserRowStays",  0,   kGrow, R"(<off y="398"/>)",          R"(<off y="398"/>)",           0},
    {"SpriteAreaMoves",           0,   kGrow, R"(<off y="700"/>)",          R"(<off y="800"/>)",           0},
    {"ExpressionWrittenAsNumber", 0,   0,     R"(<off y="100+320"/>)",      R"(<off y="420"/>)",           0},
    {"MinusNeverMoves",           900, kGrow, R"(<off y="-20"/>)",          R"(<off y="-20"/>)",           900},
    {"PlusZeroStays",             900, kGrow, R"(<off y="+0"/>)",           R"(<off y="+0"/>)",            900},
    {"PlusReachingSkinHeight",    660, kGrow, R"(<off y="+40"/>)",          R"(<off y="+140"/>)",          660},
    {"PlusShortOfSkinHeight",     600, kGrow, R"(<off y="+40"/>)",          R"(<off y="+40"/>)",           600},
    {"PlusNegativeSumKeepsPlus",  700, -100,  R"(<off y="+5"/>)",           R"(<off y="+-95"/>)",          700},
    // The value's first two characters decide: 5+3 is a relative value of 8.
    {"ExpressionCountsAsPlus",    692, kGrow, R"(<off y="5+3"/>)",          R"(<off y="+108"/>)",          692},
    // A "<pos" line sets the base to its own value before it is tested.
    {"PosSetsBaseFirst",          0,   kGrow, R"(<pos x="0" y="650"/>)",    R"(<pos x="0" y="750"/>)",     650},
    {"PosAboveBrowserStays",      0,   kGrow, R"(<pos x="0" y="100"/>)",    R"(<pos x="0" y="100"/>)",     100},
    {"EmptyValueSkippedNoBase",   5,   kGrow, R"(<pos y=""/>)",             R"(<pos y=""/>)",              5},
    {"IconSkippedNoBase",         5,   kGrow, R"(<icon><pos y="650"/>)",    R"(<icon><pos y="650"/>)",     5},
    {"NoBlankBeforeYSkipped",     5,   kGrow, R"(<pos dy="650"/>)",         R"(<pos dy="650"/>)",          5},
};
// clang-format on

class BrowserYTest : public ::testing::TestWithParam<YCase> {};
TEST_P(BrowserYTest, MovesByTheYRules) {
    browserlines::YPass pass;
    pass.heightDifference = GetParam().difference;
    pass.inHeight = kInHeight;
    pass.positionBase = GetParam().base;
    pass.browserBottom = [] { return 400; };
    EXPECT_EQ(browserlines::MoveYLine(GetParam().in, pass), GetParam().out);
    EXPECT_EQ(pass.positionBase, GetParam().baseAfter);
}
INSTANTIATE_TEST_SUITE_P(Lines, BrowserYTest, ::testing::ValuesIn(kYCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BrowserY, BrowserReadOnlyForAbsoluteValuesAboveSkinHeight) {
    browserlines::YPass pass;
    pass.heightDifference = kGrow;
    pass.inHeight = kInHeight;
    int reads = 0;
    pass.browserBottom = [&reads]() -> std::int32_t {
        ++reads;
        throw platform::OutOfBoundsException("no browser");
    };
    EXPECT_EQ(browserlines::MoveYLine(R"(<off y="800"/>)", pass), R"(<off y="900"/>)");
    EXPECT_EQ(browserlines::MoveYLine(R"(<off y="-5"/>)", pass), R"(<off y="-5"/>)");
    EXPECT_EQ(reads, 0);
    EXPECT_THROW(browserlines::MoveYLine(R"(<off y="5"/>)", pass), platform::OutOfBoundsException);
    EXPECT_EQ(reads, 1);
}

TEST(BrowserIcon, FirstRowRoundedOthersMoved) {
    // 20.4 rounds to 20 and stays; +0 + 100 keeps its sign; -5 + 100 = 95 without a sign.
    EXPECT_EQ(browserlines::MoveIconYLine(
                  R"(<icon> <pos y="20.4"/><off y="+0"/><over y="-5"/></icon>)", kGrow),
              R"(<icon> <pos y="20"/><off y="+100"/><over y="95"/></icon>)");
    EXPECT_EQ(browserlines::MoveIconYLine(R"(<icon> y="1" y="2")", -50), R"(<icon> y="1" y="-48")");
    // Text from a fourth value on is carried over as written.
    EXPECT_EQ(browserlines::MoveIconYLine(R"(<icon> y="1" y="2" y="3" y="4"/></icon>)", kGrow),
              R"(<icon> y="1" y="102" y="103" y="4"/></icon>)");
    EXPECT_THROW(browserlines::MoveIconYLine(R"(<icon> <pos y="20"/></icon>)", kGrow),
                 platform::RuntimeException);
}

TEST(BrowserHeight, SizeHeightTruncatedThenMoved) {
    EXPECT_EQ(browserlines::MoveBrowserHeightLine(R"(<size width="300" height="300.7"/>)", kGrow),
              R"(<size width="300" height="400"/>)");
    EXPECT_EQ(browserlines::MoveBrowserHeightLine(R"(<pos height="3"/>)", kGrow),
              R"(<pos height="3"/>)");
    EXPECT_EQ(browserlines::SkinHeightLine(R"(<skin width="1" height="700">)", 800),
              std::optional<std::string>(R"(<skin width="1" height="800">)"));
    EXPECT_EQ(browserlines::SkinHeightLine(R"(<skin width="1">)", 800), std::nullopt);
}

TEST(BrowserMoveLines, GrowingSkin) {
    std::vector<std::string> lines = {
        R"(<skin name="x" width="800" height="700">)",
        R"(<browser>)",
        R"(  <pos x="0" y="100"/>)",
        R"(  <size width="800" height="300"/>)",
        R"(  <size height="10"/>)",
        R"(</browser>)",
        R"(<browser x="1" y="0"/>)",
        R"(<size height="50"/>)",
        R"(<pos x="0" y="650"/>)",
        R"(<icon> <pos y="20"/><off y="+0"/><over y="900"/></icon>)",
        R"(<browser>)",
        R"(<size height="7"/>)",
    };
    methodlines::RunningLine cursor;
    browserlines::MoveLines(
        lines, kInHeight, 800, [] { return 400; }, cursor);
    const std::vector<std::string> expected = {
        R"(<skin name="x" width="800" height="800">)",
        R"(<browser>)",
        R"(  <pos x="0" y="100"/>)",
        R"(  <size width="800" height="400"/>)",
        R"(  <size height="110"/>)",
        R"(</browser>)",
        // A browser element closed on its own line keeps the size that follows it.
        R"(<browser x="1" y="0"/>)",
        R"(<size height="50"/>)",
        R"(<pos x="0" y="750"/>)",
        R"(<icon> <pos y="20"/><off y="+100"/><over y="1000"/></icon>)",
        // A browser among the last lines looks ahead only as far as the skin goes.
        R"(<browser>)",
        R"(<size height="107"/>)",
    };
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(cursor.index, 12);
}

TEST(BrowserMoveLines, IconLineWithOneValueFailsNamingIt) {
    std::vector<std::string> lines = {R"(<skin height="700">)",         "", "", "",
                                      R"(<icon> <pos y="20"/></icon>)", ""};
    methodlines::RunningLine cursor;
    EXPECT_THROW(browserlines::MoveLines(
                     lines, 700, 800, [] { return 400; }, cursor),
                 platform::RuntimeException);
    EXPECT_EQ(cursor.index, 4);
    EXPECT_EQ(cursor.text, R"(<icon> <pos y="20"/></icon>)");
}

TEST(BrowserMoveLines, ShortSkinWithoutHeightFails) {
    std::vector<std::string> lines = {"<skin>", ""};
    methodlines::RunningLine cursor;
    EXPECT_THROW(browserlines::MoveLines(
                     lines, 700, 800, [] { return 400; }, cursor),
                 platform::OutOfBoundsException);
    EXPECT_EQ(cursor.index, 2);
}

}  // namespace
