#include "engine/xml/browser.h"
#include "engine/xml/rescale.h"
#include "engine/xml/skin_file.h"
#include "engine/xml/variables.h"
#include "engine_fixture.h"
#include "platform/exceptions.h"
#include "platform/thread.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;
using testsupport::ReadAll;

/// One "Simple" job from 1000 x 500 to 2000 x 1000 (both ratios 2) writing out.xml.
class XmlJobTest : public enginetest::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        Variables::inWidth = 1000;
        Variables::inHeight = 500;
        Variables::outWidth = 2000;
        Variables::outHeight = 1000;
        Variables::SkinVersion = 8;
        Variables::ResizeMethod = "Simple";
        Variables::OutputXMLPath = Output().string();
        Variables::Job_Ok = true;
    }

    std::filesystem::path Output() const { return dir / "out.xml"; }
    std::string Log() const { return ReadAll(AppLog()); }
    static std::string Records(const Lines& records) {
        std::string out;
        for (const std::string& r : records)
            out += "\n" + r;
        return out;
    }
};

TEST_F(XmlJobTest, SimpleJobRewritesWritesAndLogs) {
    Variables::Str_Line = {R"(<skin name="a" width="1000" height="500" version="8">)",
                           R"(<pos x="10" y="-3"/>)",
                           R"(<size width="100" height="33"/>)",
                           R"(<text size="7" color="#FF8000"/>)",
                           R"(<icon> x="1" x="2" y="3" y="4" </icon>)",
                           R"(<mask x="5" y="6" width="7" height="8"/>)",
                           R"(<custom>)",
                           R"(<down x="10" y="20" nb="3" nbx="0"/>)",
                           ""};
    Variables::X_prop = 0;
    Variables::XML_Job();

    EXPECT_TRUE(Variables::Job_Ok);
    EXPECT_TRUE(Variables::Rescale_Ok);
    EXPECT_EQ(Variables::X_prop, 2.0F);
    EXPECT_EQ(Variables::Y_prop, 2.0F);
    // The skin line itself is rescaled like any other: its width and height attributes too.
    const Lines expected{R"(<skin name="a" width="2000" height="1000" version="8">)",
                         R"(<pos x="20" y="-6"/>)",
                         R"(<size width="200" height="66"/>)",
                         R"(<text size="14" color="#FF8000"/>)",
                         R"(<icon> x="2" x="4" y="6" y="8" </icon>)",
                         R"(<mask x="10" y="12" width="14" height="16"/>)",
                         R"(<custom>)",
                         R"(<down x="20" y="40" nb="3" nbx="0"/>)",
                         ""};
    EXPECT_EQ(Variables::Str_Line, expected);
    // Masks are collected before the rewrite (input pixels), custom visuals after it; with no
    // size line of its own the custom element repeats the size that the mask read.
    EXPECT_EQ(Variables::Mask, Lines{"5 6 7 8"});
    EXPECT_EQ(Variables::Custom_Visual, Lines{"7*8*20*40*3*0"});
    EXPECT_EQ(Log(), Records({"XML Job", "Total lines = 9", "Writing XML in new file",
                              "Finished with XML", "--"}));
    std::string file;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        file += expected[i] + "\n";
        if (i == 1)
            file += std::string(Variables::kCreditLine) + "\n";
    }
    EXPECT_EQ(ReadAll(Output()), file);
    EXPECT_TRUE(Variables::XMLSavedThisJob);
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(XmlJobTest, SameSizeOldSkinSkipsTheRewritingSteps) {
    Variables::outWidth = 1000;
    Variables::outHeight = 500;
    Variables::SkinVersion = 6.9F;
    const Lines skin{R"(<pos x="007" y="100/2"/>)", R"(<text size="7"/>)",
                     R"(<mask x="1" y="2" width="3" height="4"/>)", "<custom>",
                     R"(<down x="1" y="2" nb="3" nbx="4"/>)"};
    Variables::Str_Line = skin;
    Variables::XML_Job();
    EXPECT_EQ(Variables::Str_Line, skin);
    EXPECT_EQ(Variables::Mask, Lines{"1 2 3 4"}) << "collected whatever the skip test says";
    EXPECT_TRUE(Variables::Custom_Visual.empty());
    EXPECT_TRUE(std::filesystem::exists(Output())) << "a Simple job still writes its file";
}

TEST_F(XmlJobTest, SameSizeVersionSevenNormalisesValues) {
    Variables::outWidth = 1000;
    Variables::outHeight = 500;
    Variables::SkinVersion = 7;
    Variables::Str_Line = {R"(<pos x="007" y="100/2"/>)", R"(<text size="7"/>)"};
    Variables::XML_Job();
    EXPECT_EQ(Variables::Str_Line, (Lines{R"(<pos x="7" y="50"/>)", R"(<text size="10"/>)"}));
}

TEST_F(XmlJobTest, SmartJobAppliesFixedRulesAndWritesNothing) {
    Variables::ResizeMethod = "smart";
    Variables::outWidth = 1100;  // width difference 100
    Variables::outHeight = 550;
    Variables::Str_Line = {R"(<pos x="900" y="10" fixed="right"/>)",
                           R"(<size width="10" height="10" fixed="right"/>)"};
    Variables::XML_Job();
    EXPECT_EQ(Variables::Str_Line, (Lines{R"(<pos x="1000" y="11" fixed="right"/>)",
                                          R"(<size width="10" height="10" fixed="right"/>)"}));
    EXPECT_FALSE(std::filesystem::exists(Output()));
    EXPECT_EQ(Log(), Records({"XML Job", "Total lines = 2", "Finished with XML", "--"}));
}

TEST_F(XmlJobTest, FailingLineStopsTheJobAndNamesIt) {
    Lines skin(14, R"(<pos x="1" y="1"/>)");
    skin[11] = R"(<pos x="1" y="2*y"/>)";  // the twelfth line: "*" without a number behind it
    Variables::Str_Line = skin;
    Browser::Browser_XML_Change = true;
    Browser::B_Text_Size = 30;
    Variables::Str_Line.push_back("<browser>");
    Variables::Str_Line.push_back(R"(<text size="9"/>)");
    Variables::Str_Line.push_back(R"(<mask x="1" y="2" width="3" height="4"/>)");
    Variables::Str_Line.push_back("<custom>");
    Variables::Str_Line.push_back(R"(<down x="1" y="1" nb="1" nbx="1"/>)");
    Variables::XML_Job();

    EXPECT_FALSE(Variables::Job_Ok);
    EXPECT_FALSE(Variables::Rescale_Ok);
    EXPECT_EQ(Log(), Records({"XML Job", "Total lines = 19", "**Exception", "Line 12",
                              R"(<pos x="2" y="2*y"/>)", "--"}));
    ASSERT_EQ(dialogs->shown.size(), 1U);
    EXPECT_EQ(dialogs->shown[0], "An error occured on line 12.");
    EXPECT_FALSE(std::filesystem::exists(Output()));
    EXPECT_FALSE(Variables::XMLSavedThisJob);
    // The x pass finished before the y pass failed; the y pass got as far as line 11.
    EXPECT_EQ(Variables::Str_Line[0], R"(<pos x="2" y="2"/>)");
    EXPECT_EQ(Variables::Str_Line[12], R"(<pos x="2" y="1"/>)");
    EXPECT_EQ(Variables::Str_Line[15], R"(<text size="9"/>)") << "the end steps are left out";
    // The lists collected before the rewriting stay complete; the custom visuals, collected
    // after it, get nothing from this run.
    EXPECT_EQ(Variables::Mask, Lines{"1 2 3 4"});
    EXPECT_TRUE(Variables::Custom_Visual.empty());
}

// A missing output folder is no fault of any line: the message names the file and the reason.
TEST_F(XmlJobTest, OutputThatCannotBeCreatedNamesTheFileAndTheReason) {
    const std::string out = (dir / "missing" / "out.xml").string();
    Variables::OutputXMLPath = out;
    Variables::Str_Line = {"<skin>", R"(<text size="12"/>)", "<end/>"};
    Variables::XML_Job();
    EXPECT_FALSE(Variables::Job_Ok);
    EXPECT_FALSE(Variables::Rescale_Ok);
    const std::string message = "Unable to write " + out + ": No such file or directory.";
    EXPECT_EQ(Log(), Records({"XML Job", "Total lines = 3", "Writing XML in new file",
                              "**Exception", "Unable to open or save the file", message, "--"}));
    EXPECT_EQ(dialogs->shown, std::vector<std::string>{message});
}

TEST_F(XmlJobTest, MissingObjectReportsTheFileMessage) {
    Variables::OutputXMLPath = "relative/out.xml";  // no file item for it
    Variables::Str_Line = {"<skin>", "<a/>"};
    Variables::XML_Job();
    EXPECT_FALSE(Variables::Job_Ok);
    EXPECT_EQ(Log(), Records({"XML Job", "Total lines = 2", "Writing XML in new file",
                              "**Exception", "Unable to open or save the file", "--"}));
    ASSERT_EQ(dialogs->shown.size(), 1U);
    EXPECT_EQ(dialogs->shown[0],
              "An error occured\nProbably the file is locked by another application.");
}

TEST_F(XmlJobTest, ZeroInputSizeIsRefused) {
    Variables::inWidth = 0;
    Variables::X_prop = 0.5F;
    Variables::Str_Line = {"<skin>", R"(<pos x="4"/>)"};
    Variables::XML_Job();
    EXPECT_FALSE(Variables::Job_Ok);
    EXPECT_EQ(Variables::X_prop, 0.5F) << "no ratio is worked out";
    EXPECT_EQ(Variables::Str_Line[1], R"(<pos x="4"/>)");
    ASSERT_EQ(dialogs->shown.size(), 1U);
    EXPECT_NE(dialogs->shown[0].find("0 x 500"), std::string::npos) << dialogs->shown[0];
    EXPECT_FALSE(std::filesystem::exists(Output()));
}

TEST_F(XmlJobTest, StatePersistsFromOneJobToTheNext) {
    // First job: options set by the dialogs, a skin with one mask and one custom element.
    Variables::MacEnhance = true;
    Variables::MoreOptions = true;
    Variables::P_Change_Gain = true;
    Variables::P_Change_Gain_Value = 600;
    Variables::Str_Line = {R"(<mask x="1" y="1" width="1" height="1"/>)",
                           R"(<mask x="2" y="2" width="1" height="1"/>)", "<custom>",
                           R"(<down x="1" y="1" nb="1" nbx="1"/>)"};
    Variables::XML_Job();
    ASSERT_TRUE(Variables::Job_Ok);
    EXPECT_EQ(Variables::Mask.size(), 2U);

    // Second job in the same process, with no analysis in between and nothing reset: the
    // options stay, the masks are rebuilt, custom visuals append.
    Variables::Str_Line = {R"(<text size="20"/>)", R"(<b action="gain">)",
                           R"(<a sensibility="1"/>)", "<custom>",
                           R"(<down x="3" y="3" nb="1" nbx="1"/>)"};
    Variables::XML_Job();
    EXPECT_TRUE(Variables::Job_Ok);
    // 20 x 2 = 40, then the Mac factor: 40 x 0.8 = 32.
    EXPECT_EQ(Variables::Str_Line[0], R"(<text size="32"/>)");
    EXPECT_EQ(Variables::Str_Line[2], R"(<a sensibility="600"/>)");
    EXPECT_TRUE(Variables::Mask.empty());
    // The current size starts anew with every run: the first run took its masks' size.
    EXPECT_EQ(Variables::Custom_Visual, (Lines{"1*1*2*2*1*1", "0*0*6*6*1*1"}));
}

TEST_F(XmlJobTest, FailedJobIsFollowedByACleanOne) {
    Variables::Str_Line = {R"(<pos x="2*x"/>)"};
    Variables::XML_Job();
    ASSERT_FALSE(Variables::Rescale_Ok);
    Variables::Job_Ok = true;  // the job thread's start of the next job
    Variables::Str_Line = {"<skin>", R"(<pos x="3"/>)"};
    Variables::XML_Job();
    EXPECT_TRUE(Variables::Job_Ok);
    EXPECT_TRUE(Variables::Rescale_Ok);
}

TEST_F(XmlJobTest, ExampleSkinShrinks) {
    // 1024 x 768 to 800 x 600: both ratios are exactly 0.78125.
    Variables::inWidth = 1024;
    Variables::inHeight = 768;
    Variables::outWidth = 800;
    Variables::outHeight = 600;
    Variables::SkinVersion = 7;
    Variables::Str_Line = Variables::SplitSkinLines(
        ReadAll(std::string(MALVOREN_SOURCE_DIR) + "/examples/tidewater.xml"));
    Variables::XML_Job();
    ASSERT_TRUE(Variables::Job_Ok);

    const auto has = [](const std::string& text) {
        for (const std::string& line : Variables::Str_Line) {
            if (line.find(text) != std::string::npos)
                return true;
        }
        return false;
    };
    // 1024 and 768 x 0.78125 = 800 and 600.
    EXPECT_TRUE(has(R"(<window mainwidth="800" height="600"/>)"));
    EXPECT_TRUE(has(R"(<customicons x="0" y="600"/>)"));
    // resizew means nothing outside "Smart": 1024 -> 800, 40 -> 31.25 -> 31.
    EXPECT_TRUE(has(R"(<size width="800" height="31" resizew="w+diff"/>)"));
    // The logo: 120 -> 93.75 -> 94; 24 -> 18.75 -> 19, below 21 so 17.
    EXPECT_TRUE(has(R"(<size width="94" height="17" fixed="center"/>)"));
    // Icon line: x 136 -> 106.25 -> 106, 32 -> 25; y 368 -> 287.5 -> 288, 768 -> 600.
    EXPECT_TRUE(
        has(R"(<icon><pos x="106" y="288"/><off x="0" y="600"/><over x="25" y="600"/></icon>)"));
    // x 24 -> 18.75 -> 19, y 296 -> 231.25 -> 231, size 11 -> 8.59 -> at least 10.
    EXPECT_TRUE(has(R"(<text name="pitch_label_left" x="19" y="231" size="10" color="#D8DEE6"/>)"));
    // The browser: 1000 -> 781.25 -> 781, 336 -> 262.5 -> 263.
    EXPECT_TRUE(has(R"(<size width="781" height="263"/>)"));

    EXPECT_EQ(Variables::customicons, (std::vector<std::int32_t>{0, 768}));
    EXPECT_EQ(Variables::custombuttons, (std::vector<std::int32_t>{0, 896}));
    // The relative masks resolve against their element's position and size (input pixels).
    EXPECT_EQ(Variables::Mask, (Lines{"466 120 10 150", "548 120 10 150", "456 300 112 16 grey"}));
    EXPECT_EQ(Variables::Fader, (Lines{"0 1064 40 40 16", "0 1064 40 40 16"}));
    // Jog frames after the rewrite: 64 -> 50, x 640 -> 500, y 1064 -> 831.25 -> 831.
    EXPECT_EQ(Variables::Custom_Visual, (Lines{"50*50*500*831*8*4", "50*50*500*831*8*4"}));
    EXPECT_TRUE(std::filesystem::exists(Output()));
}

TEST_F(XmlJobTest, KilledJobEndsAtItsNextYieldUnreported) {
    Variables::Str_Line = {"<skin>", R"(<pos x="1"/>)"};
    platform::RequestKill();
    EXPECT_THROW(Variables::XML_Job(), platform::ThreadEndException);
    platform::ClearKill();
    EXPECT_TRUE(Variables::Job_Ok) << "the job runner, not the step, deals with a killed job";
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_FALSE(std::filesystem::exists(Output()));
}

class IconStripTest : public XmlJobTest {};

TEST_F(IconStripTest, MovesTheGridElementsAndWritesAgain) {
    Variables::Str_Line = {"<skin>",
                           R"(<customicons x="12" y="640" z="640"/>)",
                           R"(<custombuttons X="140" Y="770"/>)",
                           R"(<icons x="0" y="600"/>)",
                           R"(<icons>x="5" y="5"</icons>)",
                           R"(<customicons y="1"/>)",
                           R"(<customicons x="1"/>)",
                           R"(<pos x="1" y="1"/>)"};
    Variables::XML_Job2(1066);
    // 1066 - 297 = 769, 1066 - 168 = 898.
    EXPECT_EQ(Variables::Str_Line,
              (Lines{"<skin>", R"(<customicons x="0" y="769" z="640"/>)",
                     R"(<custombuttons X="0" Y="898"/>)", R"(<icons x="0" y="769"/>)",
                     R"(<icons>x="5" y="5"</icons>)", R"(<customicons y="769"/>)",
                     R"(<customicons x="0"/>)", R"(<pos x="1" y="1"/>)"}));
    EXPECT_NE(ReadAll(Output()).find(R"(<customicons x="0" y="769" z="640"/>)"), std::string::npos);
    EXPECT_TRUE(Variables::Job_Ok);
}

TEST_F(IconStripTest, AfterAFailedRescalingNothingIsWrittenAgain) {
    Variables::Str_Line = {"<skin>", R"(<customicons x="12" y="2*y"/>)"};
    Variables::XML_Job();
    ASSERT_FALSE(Variables::Job_Ok);
    Variables::XML_Job2(1066);
    EXPECT_FALSE(Variables::Job_Ok);
    EXPECT_FALSE(std::filesystem::exists(Output()));
    EXPECT_EQ(Variables::Str_Line[1], R"(<customicons x="12" y="2*y"/>)");
}

}  // namespace
