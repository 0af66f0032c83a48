#include "messages/messages.h"

#include "messages/line_terminator.h"
#include "messages/run_once.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

class MessagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        Language::ResetMessages();
        Variables::RC = std::string("\n");
    }
    void TearDown() override {
        Language::ResetMessages();
        Variables::RC = "EndOfLine";
    }
};

TEST_F(MessagesTest, TableHas58EmptyEntriesBeforeTheBuiltInTextsAreSet) {
    ASSERT_EQ(Language::Messages.size(), 58u);
    for (const auto& m : Language::Messages)
        EXPECT_EQ(m, "");
}

struct EntryCase {
    const char* name;
    int index;
    const char* text;
};

// clang-format off
const EntryCase kEntries[] = {
    {"FileMissing",        1,  "File does not exist."},
    {"ErrorTypoKept",      3,  "An error occured"},
    {"LeadingBlank4",      4,  " when Reading the input file"},
    {"LockedStartsWithRC", 6,  "\nProbably the file is locked by another application."},
    {"BlankBothEnds",      7,  " on line "},
    {"MissingFont",        9,  " is the selected font.\nYou don't have that font installed on "
                               "your computer, you need to change the font."},
    {"TwoTerminators",     10, "\n\nBy clicking this checkbox, the simple resize box will be "
                               "disabled."},
    {"AspectNotice",       13, "The output skin's size isn't proportional to the input skin's."
                               "\n\nThe resized skin may have display problems on the "
                               "turntables and with elements in rotation."},
    {"LeadingBlank14",     14, " Or you don't have enough free memory available."},
    {"NoOutput",           15, "No Output file selected,\nPlease choose one."},
    {"WidthMatchesCheck",  17, "Width of the Output skin has to be equal or greater than 640 "
                               "pixels."},
    {"LogoTypoKept",       22, "The skin's logo is compliant will all softwares running the "
                               "VirtualDJ skin engine."},
    {"LeadingBlank25",     25, " of this application is available for download."},
    {"Resources",          39, "Resource files are missing.\nPlease install the software again."},
    {"UpToDate",           41, "Your version is up-to-date"},
    {"BrowserTooLow",      47, "Sorry, the browser resize cannot decrease the browser height "
                               "under 245 pixels."},
    {"Unhandled",          49, "An unhandled exception occurred.\nThe program might close."},
    {"SkinPicture",        50, "Skin picture should be ..."},
    {"Offline",            51, "You aren't actually connected on Internet. Please get a "
                               "connection and try again."},
    {"OpenXmlFirst",       54, "You must first open a valid xml file before changing browser "
                               "options."},
    {"MultipleBrowsers",   55, "This Skin has multiple Browsers. Browser resizing isn't "
                               "available yet for this type of Skin."},
    {"SmallBrowsers",      56, "This Skin contains multiple Browsers. After resizing, some "
                               "Browsers might be too small to correctly display the Sampler "
                               "and Effects pages."},
    {"LastEntry",          57, "test"},
};
// clang-format on

class MessageEntryTest : public MessagesTest, public ::testing::WithParamInterface<EntryCase> {};

TEST_P(MessageEntryTest, HoldsItsBuiltInText) {
    Language::SetMessages();
    EXPECT_EQ(Language::Messages.at(GetParam().index), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(BuiltIn, MessageEntryTest, ::testing::ValuesIn(kEntries),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MessagesTest, SharedTextsAndEmptyEntries) {
    Language::SetMessages();
    ASSERT_EQ(Language::Messages.size(), 58u);
    EXPECT_EQ(Language::Messages[0], "");
    EXPECT_EQ(Language::Messages[9], Language::Messages[23]);
    EXPECT_EQ(Language::Messages[47], Language::Messages[53]);
    const std::set<int> empty = {24, 27, 28, 29, 30, 31, 32, 33, 34, 35,
                                 36, 37, 38, 42, 43, 44, 45, 46, 48, 52};
    for (int i = 1; i < 58; ++i) {
        if (empty.count(i))
            EXPECT_EQ(Language::Messages[i], "") << "entry " << i;
        else
            EXPECT_NE(Language::Messages[i], "") << "entry " << i;
    }
}

TEST_F(MessagesTest, SettingAgainRestoresEveryBuiltInTextButLeavesEntryZero) {
    Language::SetMessages();
    const auto builtIn = Language::Messages;
    Language::Messages[0] = "kept";
    Language::Messages[3] = "Une erreur";
    Language::Messages[24] = "now set";
    Language::SetMessages();
    EXPECT_EQ(Language::Messages[0], "kept");
    for (int i = 1; i < 58; ++i)
        EXPECT_EQ(Language::Messages[i], builtIn[i]) << "entry " << i;
}

TEST_F(MessagesTest, TextsUseTheTerminatorInForceWhenSet) {
    Variables::RC = "\r\n";
    Language::SetMessages();
    EXPECT_EQ(Language::Messages[6], "\r\nProbably the file is locked by another application.");
    EXPECT_EQ(Language::Messages[15], "No Output file selected,\r\nPlease choose one.");
}

TEST(RunOnceTest, BuiltInListIsOneZeroAndResetRestoresIt) {
    EXPECT_EQ(INI_Read_Write::RunOnce, std::vector<std::int32_t>{0});
    INI_Read_Write::RunOnce = {1, 4, 5};
    INI_Read_Write::ResetRunOnce();
    EXPECT_EQ(INI_Read_Write::RunOnce, std::vector<std::int32_t>{0});
}

TEST(LineTerminatorTest, HoldsThePlaceholderUntilStartUp) {
    EXPECT_EQ(Variables::RC, "EndOfLine");
}

}  // namespace
