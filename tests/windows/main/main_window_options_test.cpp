#include "app/language.h"
#include "engine/xml/browser.h"
#include "engine/xml/variables.h"
#include "kit/buttons/ui_button.h"
#include "kit/text/ui_breadcrumbs.h"
#include "kit/text/ui_colorpicker.h"
#include "kit/text/ui_textfield.h"
#include "kit/toggles/ui_checkbox.h"
#include "kit/toggles/ui_label.h"
#include "kit/toggles/ui_tooltip.h"
#include "messages/messages.h"
#include "platform/application.h"
#include "platform/widgets/label.h"
#include "windows/options/browser_options_window.h"
#include "windows/options/more_options_window.h"
#include "windows/options/skin_preview_window.h"
#include "windows/support/main_window_fixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <filesystem>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

int VisibleBubbles() {
    int n = 0;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (dynamic_cast<UI_Tooltip*>(top) && top->isVisible())
            ++n;
    }
    return n;
}

using MainWindowOptionsTest = testsupport::MainWindowFixture;

TEST_F(MainWindowOptionsTest, TheThreeButtonsKeepTheirStoredWidth) {
    // The kit's buttons fit themselves to their captions (width mode 1) unless told.
    EXPECT_EQ(w->Options_PushButton().MyStyle.WidthMode, 0);
    EXPECT_EQ(w->Browser_PushButton().MyStyle.WidthMode, 0);
    EXPECT_EQ(w->Input_Picture().MyStyle.WidthMode, 0);
    // Stored unticked: the Open handler leaves "Browser" disabled.
    EXPECT_FALSE(w->Browser_PushButton().Enabled());
}

TEST_F(MainWindowOptionsTest, BrowserOptionsWithoutAnAnalysedBrowserAreaIsRefused) {
    // Options set earlier in the dialog: the refusal clears the two flags.
    Browser::Browser_Change = true;
    Browser::Browser_XML_Change = true;
    w->Browser_Options_CheckBox().SetValue(true);

    EXPECT_FALSE(w->Browser_Options_CheckBox().Value());
    EXPECT_FALSE(w->Browser_PushButton().Enabled());
    EXPECT_FALSE(Browser::Browser_Change);
    EXPECT_FALSE(Browser::Browser_XML_Change);
    // The nested run (raised by the unticking) and the refusing run each show message 54 at
    // the box; the second bubble replaces the first, so one stays on screen.
    ASSERT_FALSE(w->bubbles.empty());
    for (const auto& bubble : w->bubbles) {
        EXPECT_EQ(bubble.text, Language::Messages[54]);
        EXPECT_EQ(bubble.control, &w->Browser_Options_CheckBox());
    }
    EXPECT_EQ(VisibleBubbles(), 1);
    EXPECT_TRUE(OpenWindows<Browser_Options_Window>().empty());
}

TEST_F(MainWindowOptionsTest, BrowserOptionsWithABrowserOpenTheOneDialogAndUntickingKeepsChoices) {
    Browser::Browser_Width = {400};
    w->Browser_Options_CheckBox().SetValue(true);
    EXPECT_TRUE(w->Browser_Options_CheckBox().Value());
    EXPECT_TRUE(w->Browser_PushButton().Enabled());
    EXPECT_TRUE(w->bubbles.empty());

    w->Browser_PushButton_Action();
    w->Browser_PushButton_Action();
    const auto dialogs = OpenWindows<Browser_Options_Window>();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_TRUE(dialogs[0]->isVisible());

    // What the dialog would have chosen.
    Browser::Browser_Change = true;
    Browser::Browser_XML_Change = true;
    Browser::Browser_Color = platform::RGB(0x12, 0x34, 0x56);
    Browser::B_Background_Picture = "/pictures/wood.png";
    w->Browser_Options_CheckBox().SetValue(false);
    EXPECT_FALSE(w->Browser_PushButton().Enabled());
    EXPECT_FALSE(Browser::Browser_Change);
    EXPECT_FALSE(Browser::Browser_XML_Change);
    EXPECT_EQ(Browser::Browser_Color, platform::RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(Browser::B_Background_Picture, "/pictures/wood.png");
    EXPECT_TRUE(w->bubbles.empty());
}

TEST_F(MainWindowOptionsTest, MoreOptionsEnablesItsButtonWhichShowsTheOneDialog) {
    w->Options_CheckBox().SetValue(true);
    EXPECT_TRUE(w->Options_PushButton().Enabled());
    w->Options_PushButton_Action();
    w->Options_PushButton_Action();
    ASSERT_EQ(OpenWindows<More_Options_Window>().size(), 1u);

    w->Options_CheckBox().SetValue(false);
    EXPECT_FALSE(w->Options_PushButton().Enabled());
    // The dialog stays as it is: unticking changes none of its settings.
    EXPECT_EQ(OpenWindows<More_Options_Window>().size(), 1u);
}

TEST_F(MainWindowOptionsTest, ThePictureDialogStartsInTheSkinFolderOrOnTheDesktop) {
    struct Case {
        const char* rule;
        const char* openDirectory;
        bool desktop;
    };
    const Case cases[] = {
        {"TwoCharactersNameAFolder", "/s", false},
        {"AFolderOfTheLastSkin", "/home/dj/skins", false},
        {"OneCharacterIsTooShort", "/", true},
        {"EmptyIsTooShort", "", true},
    };
    w->UseResizedPicture_CheckBox().SetValue(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        INI_Read_Write::Open_directory = c.openDirectory;
        dialogs->openRequests.clear();
        w->Input_Picture_Action();
        ASSERT_EQ(dialogs->openRequests.size(), 1u);
        const platform::FileDialogSpec& spec = dialogs->openRequests[0];
        EXPECT_EQ(spec.initialFolder,
                  c.desktop ? platform::DesktopFolder().NativePath() : c.openDirectory);
        EXPECT_EQ(spec.title, "select a resized picture Skin file");
        EXPECT_EQ(spec.filter, "bmp;jpeg;jpg;png");
        EXPECT_EQ(spec.actionCaption, "Open");
        EXPECT_EQ(spec.cancelCaption, "Cancel");
        // A dialog of its own, not attached to the main window.
        EXPECT_EQ(spec.parent, nullptr);
    }
}

TEST_F(MainWindowOptionsTest, APictureChosenThenCancelledOrUntickedIsDropped) {
    // The job reads these two; the recap lists the picture while the box is ticked.
    const auto recap = [this] {
        w->Breadcrumbs().SetValue(3);
        const std::string text = w->Recap_Editfield().Text();
        w->Breadcrumbs().SetValue(2);
        return text;
    };
    const std::string picture = (temp / "pictures" / "wide skin.png").string();
    for (const bool untick : {false, true}) {
        SCOPED_TRACE(untick ? "Unticked" : "Cancelled");
        w->UseResizedPicture_CheckBox().SetValue(true);
        EXPECT_TRUE(w->Input_Picture().Enabled());
        dialogs->QueueOpenFile(picture);
        w->Input_Picture_Action();
        EXPECT_EQ(w->ExternPicture_StaticText().Caption(), "wide skin.png");
        EXPECT_EQ(Variables::ExternPictureFile, picture);
        EXPECT_TRUE(Variables::UseExternPicture);
        EXPECT_NE(recap().find(picture), std::string::npos);

        if (untick) {
            w->UseResizedPicture_CheckBox().SetValue(false);
            EXPECT_FALSE(w->Input_Picture().Enabled());
        } else {
            dialogs->QueueOpenFile(std::nullopt);
            w->Input_Picture_Action();
        }
        EXPECT_EQ(w->ExternPicture_StaticText().Caption(), "No file");
        EXPECT_EQ(Variables::ExternPictureFile, "");
        EXPECT_FALSE(Variables::UseExternPicture);
        EXPECT_EQ(recap().find(picture), std::string::npos);
    }
}

TEST_F(MainWindowOptionsTest, EveryPreviewPushOpensAnotherWindow) {
    Variables::outWidth = 200;
    Variables::outHeight = 120;
    w->Preview_button_Action();
    w->Preview_button_Action();
    const auto previews = OpenWindows<Skin_Preview_Window>();
    ASSERT_EQ(previews.size(), 2u);
    EXPECT_NE(previews[0], previews[1]);
    EXPECT_TRUE(previews[0]->isVisible());
    EXPECT_TRUE(previews[1]->isVisible());
}

TEST_F(MainWindowOptionsTest, ASimpleJobAfterTheBrowserDialogRewritesTheBrowserText) {
    const std::string input =
        Skin("in.xml", 1024, 768,
             "<browser>\n<size width=\"1000\" height=\"336\"/>\n<pos x=\"12\" y=\"420\"/>\n"
             "<text font=\"Liberation Sans\" size=\"12\" color=\"#E6E6E6\" "
             "selected=\"#FFA000\" stripes=\"#1C2026\"/>\n</browser>\n");
    PrepareSimple(input, "1024", "768");
    w->Browser_Options_CheckBox().SetValue(true);
    ASSERT_TRUE(w->Browser_Options_CheckBox().Value());
    w->Browser_PushButton_Action();
    const auto opened = OpenWindows<Browser_Options_Window>();
    ASSERT_EQ(opened.size(), 1u);
    Browser_Options_Window& d = *opened[0];
    // The focus goes to controls of the active window only.
    d.activateWindow();
    QCoreApplication::processEvents();
    d.B_text_size_editfield().SetText("16");
    d.Browser_Options_Checkbox().SetValue(true);
    // Return in the "selected" picker opens the colour chooser, which the script answers.
    dialogs->QueueColor(platform::RGB(1, 2, 3));
    d.UI_ColorPicker3().SetFocus();
    QTest::keyClick(&d.UI_ColorPicker3(), Qt::Key_Return);
    ASSERT_TRUE(d.Close());
    ASSERT_TRUE(Browser::Browser_XML_Change);

    w->Job_Button_Action();
    FinishJob();
    ASSERT_TRUE(Variables::Job_Ok);
    std::istringstream out(testsupport::ReadAll(temp / "out" / "out.xml"));
    std::string textLine;
    for (std::string line; std::getline(out, line);) {
        if (line.rfind("<text", 0) == 0)
            textLine = line;
    }
    EXPECT_EQ(textLine,
              "<text font=\"Liberation Sans\" size=\"16\" color=\"#E6E6E6\" "
              "selected=\"#010203\" stripes=\"#1C2026\"/>");
}

}  // namespace
