#include "engine/xml/geometry_lists.h"

#include "engine/xml/variables.h"
#include "engine_fixture.h"
#include "messages/run_once.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;
using rescale::JobRun;

class GeometryListsTest : public enginetest::EngineTest {
protected:
    JobRun run;
};

struct MaskCase {
    const char* name;
    Lines skin;
    Lines masks;
};

// clang-format off
const MaskCase kMaskCases[] = {
    {"OwnSize", {R"(<mask x="10" y="-5" width="30" height="20"/>)"}, {"10 -5 30 20"}},
    // Relative values resolve against the position lines walked back over.
    {"RelativeWalksBack",
     {R"(<pos x="100" y="50"/>)", R"(<size width="30" height="20"/>)", R"(<mask x="+10" y="-5"/>)"},
     {"110 45 30 20"}},
    {"TwoPositionLinesAddUp",
     {R"(<size width="3" height="4"/>)", R"(<pos x="100" y="50"/>)", R"(<pos x="1" y="2"/>)", R"(<mask x="+10" y="+5"/>)"},
     {"111 57 3 4"}},
    // Absolute values: the walk stops at the first size line and reads no position.
    {"AbsoluteStopsAtSize",
     {R"(<pos x="100" y="50"/>)", R"(<size width="30" height="20"/>)", R"(<mask x="7" y="8"/>)"},
     {"7 8 30 20"}},
    {"NoSizeGivesZero",     {R"(<mask x="1" y="2"/>)"}, {"1 2 0 0"}},
    {"LaterMaskRepeatsSize",
     {R"(<mask x="1" y="2" width="9" height="8"/>)", R"(<mask x="3" y="4"/>)"},
     {"1 2 9 8", "3 4 9 8"}},
    {"SizeBeyondFortyLinesUnseen",
     {R"(<size width="30" height="20"/>)", "", "", "", "", "", "", "", "", "", "",
      "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "",
      "", "", "", "", "", "", "", "", "", "", R"(<mask x="1" y="2"/>)"},
     {"1 2 0 0"}},
    {"RhythmZoneGrey",
     {R"(<mask x="1" y="1" width="1" height="1"/>)", R"(<rhythmzone><mask x="2" y="2" width="1" height="1"/>)",
      R"(<mask x="3" y="3" width="1" height="1"/>)", R"(</rhythmzone><mask x="4" y="4" width="1" height="1"/>)"},
     {"1 1 1 1", "2 2 1 1 grey", "3 3 1 1 grey", "4 4 1 1"}},
    {"ExpressionEvaluated", {R"(<mask x="10+5" y="2*3" width="4" height="4"/>)"}, {"15 6 4 4"}},
};
// clang-format on

class MaskTest : public GeometryListsTest, public ::testing::WithParamInterface<MaskCase> {};

TEST_P(MaskTest, CollectsEntries) {
    Variables::Mask = {"left from an earlier job", "and another", "and a third"};
    rescale::CollectMasks(GetParam().skin, run);
    EXPECT_EQ(Variables::Mask, GetParam().masks);
}

INSTANTIATE_TEST_SUITE_P(Skins, MaskTest, ::testing::ValuesIn(kMaskCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct FaderCase {
    const char* name;
    Lines skin;
    Lines faders;
};

// clang-format off
const FaderCase kFaderCases[] = {
    // Size evaluated (10+5 = 15), frame values plain (10+5 reads 10, +12 reads 12).
    {"PlainAndEvaluated",
     {R"(<slider type="round">)", R"(<size width="10+5" height="20"/>)", "<fader>", R"(<frames x="10+5" y="+12" nb="30"/>)"},
     {"10 12 15 20 30"}},
    {"SizeLineHoldingFader",
     {R"(<slider shape="round">)", R"(<x x="5" y="6" nb="7"/>)", R"(<fadersize width="4" height="3"/>)"},
     {"5 6 4 3 7"}},
    {"FractionKept",
     {R"(<a "round">)", R"(<size width="1" height="1"/>)", "<fader>", R"(<f x="2.5" y="-3" nb="4"/>)"},
     {"2.5 -3 1 1 4"}},
    {"AngleminOnSeventhDropped",
     {R"(<a "round">)", R"(<size width="1" height="1"/>)", "<fader>", R"(<f x="1" y="1" nb="1"/>)", "", "", "", "anglemin"},
     {}},
    {"AngleminOnEighthKept",
     {R"(<a "round">)", R"(<size width="1" height="1"/>)", "<fader>", R"(<f x="1" y="1" nb="1"/>)", "", "", "", "", "anglemin"},
     {"1 1 1 1 1"}},
    {"FaderMoveWithCountKept",
     {R"(<a "round">)", R"(<size width="1" height="1"/>)", R"(<fader move="1">)", R"(<f x="1" y="2" nb="3"/>)"},
     {"1 2 1 1 3"}},
    {"FaderMoveWithoutCountDropped",
     {R"(<a "round">)", R"(<size width="1" height="1"/>)", R"(<fader move="1">)", R"(<f x="1" y="2"/>)"},
     {}},
    {"OnlyKeptInLineOrder",
     {R"(<a "round">)", "anglemin", R"(<b "ROUND">)", R"(<size width="2" height="2"/>)", "<fader>", R"(<f x="9" y="9" nb="9"/>)"},
     {"9 9 2 2 9"}},
    // No frame line after the fader line: left out rather than half composed.
    {"MissingFrameLineLeftOut",  {R"(<a "round">)", R"(<size width="1" height="1"/>)", "<fader>"}, {}},
    {"NoMarker", {R"(<a type="rounded">)"}, {}},
};
// clang-format on

class FaderTest : public GeometryListsTest, public ::testing::WithParamInterface<FaderCase> {};

TEST_P(FaderTest, CollectsKeptFaders) {
    Variables::Fader = {"stale"};
    rescale::CollectFaders(GetParam().skin, run);
    EXPECT_EQ(Variables::Fader, GetParam().faders);
}

INSTANTIATE_TEST_SUITE_P(Skins, FaderTest, ::testing::ValuesIn(kFaderCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct GridCase {
    const char* name;
    float version;
    Lines skin;
    std::vector<std::int32_t> icons;
    std::vector<std::int32_t> buttons;
};

// clang-format off
const GridCase kGridCases[] = {
    {"OldSkinIcons",        4.9F, {R"(<icons x="10" y="600"/>)"}, {10, 600}, {0, 0}},
    {"OldSkinCustomicons",  4.0F, {R"(<customicons x="1" y="2"/>)"}, {1, 2}, {0, 0}},
    {"NewSkinIconsIgnored", 5.0F, {R"(<icons x="10" y="600"/>)"}, {0, 0}, {0, 0}},
    {"NewSkinBoth",         7.0F, {R"(<customicons x="12" y="640"/>)", R"(<custombuttons x="140" y="770"/>)"}, {12, 640}, {140, 770}},
    {"LastLineWins",        7.0F, {R"(<customicons x="1" y="1"/>)", R"(<customicons x="2" y="2*3"/>)"}, {2, 6}, {0, 0}},
    {"BothWordsSetIcons",   7.0F, {R"(<customicons custombuttons x="3" y="4"/>)"}, {3, 4}, {0, 0}},
};
// clang-format on

class GridTest : public GeometryListsTest, public ::testing::WithParamInterface<GridCase> {};

TEST_P(GridTest, CollectsOrigins) {
    Variables::SkinVersion = GetParam().version;
    rescale::CollectGridOrigins(GetParam().skin, run);
    EXPECT_EQ(Variables::customicons, GetParam().icons);
    EXPECT_EQ(Variables::custombuttons, GetParam().buttons);
}

INSTANTIATE_TEST_SUITE_P(Skins, GridTest, ::testing::ValuesIn(kGridCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GeometryListsTest, CustomVisualsAppendFromTheFourLinesAfter) {
    const Lines skin{R"(<custom name="a">)",
                     R"(<size width="10" Height="20"/>)",
                     R"(<size width="40" height="30"/>)",
                     R"(<down x="20" y="5" nb="10" nbx="5"/>)",
                     R"(<down x="99" y="99" nb="1" nbx="1"/>)",
                     R"(<custom name="b">)",
                     R"(<down x="1" y="2" nb="3" nbx="0"/>)",
                     R"(<custom name="c">)",
                     "",
                     "",
                     "",
                     "",
                     R"(<down x="7" y="7" nb="7" nbx="7"/>)"};
    Variables::Custom_Visual = {"kept*from*an*earlier*run*0"};
    rescale::CollectCustomVisuals(skin, run);
    // The second size line wins; the first "<down" counts; "b" repeats the size read last; "c"
    // has its "<down" five lines after it and adds nothing.
    EXPECT_EQ(Variables::Custom_Visual,
              (Lines{"kept*from*an*earlier*run*0", "40*30*20*5*10*5", "40*30*1*2*3*0"}));
}

TEST_F(GeometryListsTest, CustomVisualRepeatsTheMaskSizeOfTheRun) {
    rescale::CollectMasks({R"(<mask x="1" y="2" width="9" height="8"/>)"}, run);
    rescale::CollectCustomVisuals({"<custom>", R"(<down x="1" y="2" nb="3" nbx="4"/>)"}, run);
    EXPECT_EQ(Variables::Custom_Visual, Lines{"9*8*1*2*3*4"});
}

TEST_F(GeometryListsTest, CleaningSortsThinsAndPrunes) {
    Variables::Mask = {"20 5 10 10", "100 5 10 10", "20 5 10 10", "5 5 10 10", "20 5 10 10 grey"};
    Variables::Fader = {"b", "a", "b"};
    Variables::Custom_Visual = {"2*2*2*2*2*2", "10*1*1*1*1*1", "2*2*2*2*2*2"};
    INI_Read_Write::RunOnce = {0, 5, 5, 3, 5};
    Variables::Cleaning();
    // Text order, not numeric: "100 ..." before "20 ...", "5 ..." last; a prefix sorts first.
    EXPECT_EQ(Variables::Mask,
              (Lines{"100 5 10 10", "20 5 10 10", "20 5 10 10 grey", "5 5 10 10"}));
    EXPECT_EQ(Variables::Fader, (Lines{"a", "b"}));
    EXPECT_EQ(Variables::Custom_Visual, (Lines{"10*1*1*1*1*1", "2*2*2*2*2*2"}));
    EXPECT_EQ(INI_Read_Write::RunOnce, (std::vector<std::int32_t>{0, 5, 3, 5}));
}

TEST_F(GeometryListsTest, CleaningKeepsSuppressedMessageOneBehindTheSwitch) {
    // Element 0 is the all-messages switch, not an id: "1, 1" means all off and id 1 suppressed.
    INI_Read_Write::RunOnce = {1, 1, 4, 4};
    Variables::Cleaning();
    EXPECT_EQ(INI_Read_Write::RunOnce, (std::vector<std::int32_t>{1, 1, 4}));
}

TEST_F(GeometryListsTest, CleaningRunsTheSkinTweaks) {
    Variables::SkinName = "titanium max";
    Variables::Mask = {"680 1190 4 4", "1680 1190 4 4 grey", "680 11900 4 4"};
    Variables::Cleaning();
    EXPECT_EQ(Variables::Mask, Lines{"680 11900 4 4"});
}

TEST(PlainNumberText, ReadsBackAsTheSameNumber) {
    EXPECT_EQ(rescale::PlainNumberText(40.0), "40");
    EXPECT_EQ(rescale::PlainNumberText(-3.0), "-3");
    EXPECT_EQ(rescale::PlainNumberText(-0.0), "0");
    EXPECT_EQ(rescale::PlainNumberText(2.5), "2.5");
    EXPECT_EQ(rescale::PlainNumberText(12345.678), "12345.678");
    EXPECT_EQ(rescale::PlainNumberText(1e20), "100000000000000000000");
}

}  // namespace
