#include "windows/info/update_rules.h"

#include "app/ini_read_write.h"
#include "app/language.h"
#include "messages/line_terminator.h"
#include "messages/messages.h"
#include "messages/run_once.h"
#include "windows/support/window_fixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>

#include <optional>
#include <string>

namespace {

using updatecheck::Answer;
using updatecheck::Settings;
using updatecheck::Verdict;

const platform::DateTime kEarlier{2026, 11, 2, 8, 0, 0};
const platform::DateTime kNow{2026, 12, 11, 9, 30, 0};

// A description with every field: version, address, English notes, then the two tagged notes.
constexpr const char* kFull = "3.10.0*http://example.org/dl*EN notes*FR*FR notes*IT*IT notes";

struct NotesCase {
    const char* name;
    const char* reply;
    const char* lang;
    const char* notes;  // after the line terminator
};
const NotesCase kNotesCases[] = {
    // clang-format off
    {"EnglishByDefault",              kFull,                                "English",  "EN notes"},
    {"FrenchWhenTagged",              kFull,                                "Français", "FR notes"},
    {"LanguageNameInAnyCase",         kFull,                                "FRANÇAIS", "FR notes"},
    {"ItalianWhenTagged",             kFull,                                "italiano", "IT notes"},
    {"TagInAnyCase",                  "1*a*EN*xfrx*FR notes*it*IT notes",   "Italiano", "IT notes"},
    {"FrenchWithoutTagKeepsEnglish",  "1*a*EN notes**FR notes",             "Français", "EN notes"},
    {"EmptyTaggedFieldStillChosen",   "1*a*EN notes*FR**IT*IT",             "Français", ""},
    {"OtherLanguageKeepsEnglish",     kFull,                                "Deutsch",  "EN notes"},
    {"MissingFieldsReadEmpty",        "3.1",                                "English",  ""},
    {"LineBreaksBelongToTheirField",  "3.1*a*line 1\nline 2*FR\n*fr",       "Français", "fr"},
    {"FieldsAfterTheSeventhIgnored",  "1*a*EN*FR*FR*IT*IT notes*more",      "Italiano", "IT notes"},
    // clang-format on
};

class NotesTest : public ::testing::TestWithParam<NotesCase> {};

TEST_P(NotesTest, ChoosesTheNotesByLanguageAndTag) {
    const auto d = updatecheck::ReadDescription(GetParam().reply, GetParam().lang, "\n");
    EXPECT_EQ(d.notes, std::string("\n") + GetParam().notes);
}
INSTANTIATE_TEST_SUITE_P(Notes, NotesTest, ::testing::ValuesIn(kNotesCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(UpdateDescription, VersionAndAddressAreTheFirstTwoFieldsUnchanged) {
    const auto d = updatecheck::ReadDescription(" 3.10beta *http://x/y**", "English", "\r\n");
    EXPECT_EQ(d.version, " 3.10beta ");
    EXPECT_EQ(d.address, "http://x/y");
    EXPECT_EQ(d.notes, "\r\n");
}

TEST(UpdateDescription, DowngradeMarkerIsFoundInAnyCaseInTheChosenNotesOnly) {
    EXPECT_TRUE(updatecheck::HasDowngradeMarker("\nplease DOWNGRADE now"));
    EXPECT_TRUE(updatecheck::HasDowngradeMarker("\ndowngrade"));
    EXPECT_FALSE(updatecheck::HasDowngradeMarker("\nDown grade"));
    // French user, French notes tagged: the English notes' marker is not looked at.
    const auto fr = updatecheck::ReadDescription("1*a*Downgrade*FR*notes", "Français", "\n");
    EXPECT_FALSE(updatecheck::HasDowngradeMarker(fr.notes));
}

struct VersionCase {
    const char* name;
    const char* offered;
    std::optional<bool> newer;
};
// Local version 3.9.5 throughout.
const VersionCase kVersionCases[] = {
    // clang-format off
    {"MinorComparedAsNumberNotText", "3.10.0",   true},
    {"MajorAloneDecidesWhenAbove",   "4",        true},
    {"LeadingNumberOfAPart",         "3.10beta", true},
    {"MajorAboveWithParts",          "4.0.0",    true},
    {"BugFixAbove",                  "3.9.6",    true},
    {"SameVersion",                  "3.9.5",    false},
    {"BugFixBelow",                  "3.9.4",    false},
    {"MajorBelow",                   "2.99.99",  false},
    {"LeadingZeroIsTheSameNumber",   "3.09.5",   false},
    {"FurtherPartsIgnored",          "3.9.5.9",  false},
    {"PartWithoutNumberIsZero",      "abc",      false},
    {"FieldTooShortAtTheMinor",      "3",        std::nullopt},
    {"FieldTooShortAtTheBugFix",     "3.9",      std::nullopt},
    {"EmptyFieldHasNoMajor",         "",         std::nullopt},
    {"EmptyPartIsZero",              "3.",       false},
    // clang-format on
};

class VersionTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(VersionTest, ComparesPartByPartNumerically) {
    EXPECT_EQ(updatecheck::IsNewer(GetParam().offered, {3, 9, 5}), GetParam().newer);
}
INSTANTIATE_TEST_SUITE_P(Versions, VersionTest, ::testing::ValuesIn(kVersionCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(UpdateJudge, MarkerOffersWithoutComparingEvenAnUnreadableVersion) {
    EXPECT_EQ(updatecheck::Judge({"", "", "\ndowngrade"}, {3, 9, 5}), Verdict::Offered);
    EXPECT_EQ(updatecheck::Judge({"1.0.0", "", "\nDowngrade"}, {3, 9, 5}), Verdict::Offered);
    EXPECT_EQ(updatecheck::Judge({"1.0.0", "", "\n"}, {3, 9, 5}), Verdict::NotNewer);
    EXPECT_EQ(updatecheck::Judge({"3", "", "\n"}, {3, 9, 5}), Verdict::Failed);
}

using UpdateDialogTest = testsupport::WindowFixture;

TEST_F(UpdateDialogTest, ComposesItsTextsAndButtons) {
    const auto spec = updatecheck::UpdateDialog({"3.10.0", "http://a", "\nNotes"}, "New Version");
    EXPECT_EQ(spec.icon, platform::DialogIcon::Question);
    EXPECT_EQ(spec.actionCaption, "Download");
    EXPECT_EQ(spec.alternateCaption, "Later");
    EXPECT_EQ(spec.cancelCaption, "");
    EXPECT_EQ(spec.message, "New Version3.10.0 of this application is available for download.");
    EXPECT_EQ(spec.explanation, "This new version may include new features or bug fixes.\n\nNotes");
}

TEST_F(UpdateDialogTest, KeyAndCaptionsGoThroughTheLanguage) {
    testsupport::UseLanguage(
        "Français",
        {{"NewVersion", "Nouvelle version "}, {"Download", "Télécharger"}, {"Later", "Plus tard"}});
    const auto spec = updatecheck::UpdateDialog({"4", "", "\n"}, "NewVersion");
    EXPECT_EQ(spec.message, "Nouvelle version 4 of this application is available for download.");
    EXPECT_EQ(spec.actionCaption, "Télécharger");
    EXPECT_EQ(spec.alternateCaption, "Plus tard");
}

struct SettingsCase {
    const char* name;
    Verdict verdict;
    bool marker;
    Answer answer;
    Settings startup;  // from {latestVersion false, updateLater true, lastCheck kEarlier}
    Settings window;
};
const Settings kBefore{false, true, kEarlier};
const SettingsCase kSettingsCases[] = {
    // clang-format off
    {"FailedComparison", Verdict::Failed,   false, Answer::None,
        {true,  true,  kEarlier}, {false, true,  kNow}},
    {"NotNewer",         Verdict::NotNewer, false, Answer::None,
        {true,  true,  kNow},     {true,  false, kNow}},
    {"NewerDownload",    Verdict::Offered,  false, Answer::Download,
        {false, false, kNow},     {false, false, kNow}},
    {"NewerLater",       Verdict::Offered,  false, Answer::Later,
        {false, true,  kNow},     {false, true,  kNow}},
    {"MarkerLater",      Verdict::Offered,  true,  Answer::Later,
        {false, true,  kNow},     {false, true,  kEarlier}},
    {"MarkerDownload",   Verdict::Offered,  true,  Answer::Download,
        {false, false, kNow},     {false, false, kEarlier}},
    // clang-format on
};

void ExpectSettings(const Settings& actual, const Settings& expected) {
    EXPECT_EQ(actual.latestVersion, expected.latestVersion);
    EXPECT_EQ(actual.updateLater, expected.updateLater);
    ASSERT_TRUE(actual.lastCheck.has_value());
    EXPECT_EQ(actual.lastCheck->SQLDateTime(), expected.lastCheck->SQLDateTime());
}

class SettingsTest : public ::testing::TestWithParam<SettingsCase> {};

TEST_P(SettingsTest, StartupCheck) {
    const auto& c = GetParam();
    ExpectSettings(updatecheck::AfterStartupCheck(kBefore, c.verdict, c.answer, kNow), c.startup);
}
TEST_P(SettingsTest, WindowCheck) {
    const auto& c = GetParam();
    ExpectSettings(updatecheck::AfterWindowCheck(kBefore, c.verdict, c.marker, c.answer, kNow),
                   c.window);
}
INSTANTIATE_TEST_SUITE_P(Outcomes, SettingsTest, ::testing::ValuesIn(kSettingsCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
