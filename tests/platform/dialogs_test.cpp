#include "platform/dialogs.h"

#include "support/scoped_env.h"

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

TEST(DialogsTest, ScriptedProviderRecordsTitlesCaptionsAndTheOwningWindow) {
    ScopedScriptedDialogs dialogs;
    dialogs->QueueButton(DialogButton::Cancel);
    EXPECT_FALSE(YesNoBox("Replace the file?", "Malvoren Tool"));
    EXPECT_TRUE(YesNoBox("Replace it now?"));  // queue empty: the default "Yes"
    ASSERT_EQ(dialogs->dialogs.size(), 2u);
    const MessageDialogSpec& asked = dialogs->dialogs[0];
    EXPECT_EQ(asked.title, "Malvoren Tool");
    EXPECT_EQ(asked.message, "Replace the file?");
    EXPECT_EQ(asked.actionCaption, "Yes");
    EXPECT_EQ(asked.cancelCaption, "No");
    EXPECT_EQ(asked.alternateCaption, "");
    EXPECT_EQ(asked.icon, DialogIcon::Question);

    FileDialogSpec save;
    save.title = "Select a FileName for the XML output";
    save.filter = "xml";
    save.filterName = "XML Files";
    save.actionCaption = "Save";
    save.cancelCaption = "Cancel";
    save.parent = reinterpret_cast<QWidget*>(0x10);  // only recorded, never touched
    EXPECT_EQ(CurrentDialogs().GetSaveFile(save), std::nullopt);
    EXPECT_EQ(CurrentDialogs().SelectColor("Select a Color", RGB(1, 2, 3)), std::nullopt);
    ASSERT_EQ(dialogs->saveRequests.size(), 1u);
    const FileDialogSpec& recorded = dialogs->saveRequests[0];
    EXPECT_EQ(recorded.title, "Select a FileName for the XML output");
    EXPECT_EQ(recorded.filterName, "XML Files");
    EXPECT_EQ(recorded.actionCaption, "Save");
    EXPECT_EQ(recorded.cancelCaption, "Cancel");
    EXPECT_EQ(recorded.parent, reinterpret_cast<QWidget*>(0x10));
    EXPECT_EQ(dialogs->colorPrompts, std::vector<std::string>{"Select a Color"});
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
    MessageDialogSpec titled = Message("Replace the file?");
    titled.title = "Malvoren Tool";
    ::testing::internal::CaptureStderr();
    headless.ShowMessageDialog(titled);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Malvoren Tool: Replace the file?\n");
}

TEST(DialogsTest, PlatformIsHeadlessWhenOffscreenOrAskedFor) {
    {
        const ScopedEnv offscreen("QT_QPA_PLATFORM", "offscreen");
        EXPECT_TRUE(PlatformIsHeadless());
    }
    const ScopedEnv xcb("QT_QPA_PLATFORM", "xcb");
    {
        const ScopedEnv asked("MALVOREN_HEADLESS", "1");
        EXPECT_TRUE(PlatformIsHeadless());
    }
    const ScopedEnv notAsked("MALVOREN_HEADLESS", std::nullopt);
    EXPECT_FALSE(PlatformIsHeadless());
}

TEST(DialogsTest, TheInstalledProviderDecidesWhetherTheRunIsHeadless) {
    // Offscreen, yet a test that scripts the dialogs sees the interactive paths.
    const ScopedEnv offscreen("QT_QPA_PLATFORM", "offscreen");
    EXPECT_TRUE(IsHeadless());  // the headless provider until another is installed
    {
        ScopedScriptedDialogs dialogs;
        EXPECT_FALSE(IsHeadless());
        dialogs->headless = true;  // a test that stands for a batch run without a display
        EXPECT_TRUE(IsHeadless());
    }
    EXPECT_TRUE(IsHeadless());
}
