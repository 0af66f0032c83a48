#include "platform/dialogs.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace platform;

namespace {

MessageDialogSpec Message(const std::string& text) {
    MessageDialogSpec spec;
    spec.message = text;
    return spec;
}

FileDialogSpec OpenFile(const std::string& title, const std::string& filter = "") {
    FileDialogSpec spec;
    spec.title = title;
    spec.filter = filter;
    return spec;
}

}  // namespace

TEST(DialogsTest, ScriptedProviderRecordsAndAnswers) {
    {
        ScopedScriptedDialogs dialogs;
        dialogs->QueueOpenFile(std::string("/x/skin.png"));
        dialogs->QueueButton(DialogButton::Cancel);
        MsgBox("hello");
        EXPECT_EQ(CurrentDialogs().GetOpenFile(OpenFile("Pick", "bmp;jpg;png")), "/x/skin.png");
        EXPECT_EQ(CurrentDialogs().GetOpenFile(FileDialogSpec{}),
                  std::nullopt);  // queue empty: cancelled
        EXPECT_EQ(CurrentDialogs().ShowMessageDialog(Message("Quit?")), DialogButton::Cancel);
        EXPECT_EQ(CurrentDialogs().ShowMessageDialog(Message("Again?")), DialogButton::Action);
        EXPECT_EQ(dialogs->shown, (std::vector<std::string>{"hello", "Quit?", "Again?"}));
        ASSERT_EQ(dialogs->openRequests.size(), 2u);
        EXPECT_EQ(dialogs->openRequests[0].filter, "bmp;jpg;png");
    }
    // The previous (headless) provider is back.
    EXPECT_EQ(dynamic_cast<ScriptedDialogs*>(&CurrentDialogs()), nullptr);
}

TEST(DialogsTest, HeadlessProviderWritesToStandardErrorAndCancels) {
    HeadlessDialogs headless;
    ::testing::internal::CaptureStderr();
    headless.MsgBox("File does not exist.");
    const auto answer = headless.GetOpenFile(OpenFile("Choose the skin picture"));
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("File does not exist."), std::string::npos);
    EXPECT_EQ(answer, std::nullopt);
    EXPECT_EQ(headless.ShowMessageDialog(Message("Save?")), DialogButton::Action);
}

TEST(DialogsTest, HeadlessWhenOffscreenOrAskedFor) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    EXPECT_TRUE(IsHeadless());
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    ::setenv("MALVOREN_HEADLESS", "1", 1);
    EXPECT_TRUE(IsHeadless());
    ::unsetenv("MALVOREN_HEADLESS");
    EXPECT_FALSE(IsHeadless());
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
}
