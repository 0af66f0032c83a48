#include "app/batch.h"
#include "app/file_types.h"
#include "app/ini_read_write.h"
#include "app/language.h"
#include "engine/picture/pictures.h"
#include "engine/xml/browser.h"
#include "engine/xml/skin_file.h"
#include "engine/xml/variables.h"
#include "kit/base/lite_progress_wheel.h"
#include "kit/buttons/ui_button.h"
#include "kit/text/ui_breadcrumbs.h"
#include "kit/text/ui_textfield.h"
#include "kit/toggles/ui_checkbox.h"
#include "kit/toggles/ui_label.h"
#include "messages/messages.h"
#include "messages/run_once.h"
#include "platform/dialogs.h"
#include "platform/launcher.h"
#include "platform/thread.h"
#include "platform/widgets/pagepanel.h"
#include "support/scoped_env.h"
#include "support/temp_folder.h"
#include "windows/main/main_window.h"
#include "windows/support/main_window_fixture.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::stringstream s(text);
    for (std::string line; std::getline(s, line);)
        lines.push_back(line);
    return lines;
}

class MainWindowJobTest : public testsupport::MainWindowFixture {
protected:
    // A skin 1024 × 768 chosen as input, "Simple" ticked, output `out.xml` of the given size.
    void Prepare(const std::string& width, const std::string& height) {
        input = Skin("in.xml", 1024, 768);
        PrepareSimple(input, width, height);
    }
    void RunJob() {
        w->Job_Button_Action();
        FinishJob();
    }

    std::string input;
};

TEST_F(MainWindowJobTest, RefusalsPointAtTheCulpritOnItsPage) {
    struct Case {
        const char* rule;
        const char* width;
        const char* height;
        bool sameOutput;
        bool noMethod;
        std::int32_t page;
        int message;
        const char* control;
    };
    const Case cases[] = {
        {"Width639", "639", "768", false, false, 0, 17, "Width_Output_EditField"},
        {"Width639AndAHalf", "639.5", "768", false, false, 0, 17, "Width_Output_EditField"},
        {"Height479", "1024", "479", false, false, 0, 18, "Height_Output_EditField"},
        {"SamePathInAnotherCase", "1024", "768", true, false, 0, 16, "OutputXML_EditField"},
        {"NoMethod", "1024", "768", false, true, 1, 21, "PagePanel1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        Prepare(c.width, c.height);
        if (c.sameOutput) {
            std::string upper = input;
            upper.replace(upper.size() - 6, 6, "IN.XML");
            w->OutputXML_EditField().SetText(upper);
        }
        if (c.noMethod)
            w->Resize_Skin_CheckBox().SetValue(false);
        w->Breadcrumbs().SetValue(3);
        fs::remove(ConfigFile());
        w->bubbles.clear();
        w->Job_Button_Action();
        EXPECT_FALSE(w->JobRunning());
        // The settings file is written on every press, refused or not.
        EXPECT_TRUE(fs::exists(ConfigFile()));
        EXPECT_EQ(w->PagePanel1().Value(), c.page);
        ASSERT_EQ(w->bubbles.size(), 1u);
        EXPECT_EQ(w->bubbles[0].text, Language::Messages[static_cast<std::size_t>(c.message)]);
        EXPECT_EQ(w->bubbles[0].control, w->FindControl(c.control));
        EXPECT_FALSE(w->Chase_Wheel().Visible());
    }
}

TEST_F(MainWindowJobTest, AnEmptyInputIsRefusedOnTheInputButton) {
    w->Job_Button_Action();
    ASSERT_EQ(w->bubbles.size(), 1u);
    EXPECT_EQ(w->bubbles[0].text, Language::Messages[2]);
    EXPECT_EQ(w->bubbles[0].control, &w->Input_Button());
    EXPECT_TRUE(fs::exists(ConfigFile()));
}

TEST_F(MainWindowJobTest, SimpleAtTheSameSizeCopiesTheBitmapAndLogsTheJob) {
    Prepare("1024", "768");
    // No settings file read "WindowOpen" as off; the folder opens only with it on.
    Variables::Window_Open = true;
    RunJob();
    EXPECT_TRUE(Variables::Job_Ok);
    EXPECT_EQ(ReadAll(temp.Path() / "out" / "out.png"), ReadAll(temp.Path() / "in.png"));
    EXPECT_EQ(w->LastSkin, (temp.Path() / "out" / "out.xml").string());

    // After what choosing the skin logged: an empty line, the header, an empty line, then one
    // record per line.
    const std::vector<std::string> all = Lines(Log());
    std::size_t h = 0;
    while (h < all.size() && all[h].rfind("----New Job----", 0) != 0)
        ++h;
    ASSERT_GE(h, 1u);
    ASSERT_LT(h + 7, all.size());
    const std::vector<std::string> header(all.begin() + static_cast<long>(h) - 1,
                                          all.begin() + static_cast<long>(h) + 8);
    const std::vector<std::string> expected = {"",
                                               all[h],
                                               "",
                                               "in.xml",
                                               "Input Skin is 1024x768",
                                               "Output Skin is 1024x768",
                                               "Resize Type = Simple",
                                               "Mac enhancement = False",
                                               "--"};
    EXPECT_EQ(header, expected);
    const std::vector<std::string>& lines = all;
    EXPECT_EQ(lines.back().rfind("Finished in ", 0), 0u);

    // The end actions: Preview on, the folder opened, status cleared, wheel hidden.
    EXPECT_TRUE(w->Preview_button().Enabled());
    EXPECT_EQ(launcher->requests, std::vector<std::string>{"item:" + Variables::FileFolder});
    EXPECT_EQ(w->Message_Text().Text(), "");
    EXPECT_FALSE(w->Chase_Wheel().Visible());
    EXPECT_FALSE(Variables::ThreadRunning);
    EXPECT_TRUE(w->Job_Button().Enabled());
}

TEST_F(MainWindowJobTest, WithoutWindowOpenNoFolderOpens) {
    Variables::Window_Open = false;
    Prepare("1024", "768");
    RunJob();
    EXPECT_TRUE(Variables::Job_Ok);
    EXPECT_TRUE(launcher->requests.empty());
}

TEST_F(MainWindowJobTest, WhileAJobRunsItsStateAndControlsAreLocked) {
    Prepare("1280", "800");  // 133 against 160: the aspect notice shows during the job
    bool sawLocked = false;
    App::SetMessageWindowPresenter([&](const std::string& text, std::int32_t id) {
        EXPECT_EQ(text, Language::Messages[13]);
        EXPECT_EQ(id, 5);
        sawLocked =
            !w->Job_Button().Enabled() && !w->Input_Button().Enabled() && Variables::ThreadRunning;
        // A second press that still arrives (here with an empty input, which a press would
        // refuse after emptying the method) changes nothing of the running job.
        w->InputXML_EditField().SetText("");
        w->Job_Button_Action();
        EXPECT_EQ(Variables::ResizeMethod, "Simple");
        EXPECT_TRUE(w->bubbles.empty());
    });
    RunJob();
    EXPECT_TRUE(sawLocked);
    EXPECT_TRUE(w->Job_Button().Enabled());
    EXPECT_TRUE(w->Input_Button().Enabled());
}

TEST_F(MainWindowJobTest, TheAspectNoticeCanBeSuppressed) {
    INI_Read_Write::RunOnce = {0, 3, 5};
    Prepare("1280", "800");
    int notices = 0;
    App::SetMessageWindowPresenter([&](const std::string&, std::int32_t) { ++notices; });
    RunJob();
    EXPECT_EQ(notices, 0);
}

TEST_F(MainWindowJobTest, AFailureNoStepCatchesStillEndsTheJobAndTellsTheUser) {
    Prepare("1024", "768");
    w->failReanalysis = true;
    dialogs->shown.clear();
    RunJob();
    EXPECT_EQ(w->reanalyses, 1);
    const std::vector<std::string> lines = Lines(Log());
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 3], "**Exception");
    EXPECT_EQ(lines[lines.size() - 2], "In the job method.");
    EXPECT_EQ(lines.back().rfind("Finished in ", 0), 0u);
    EXPECT_FALSE(Variables::Job_Ok);
    EXPECT_FALSE(w->Chase_Wheel().Visible());
    EXPECT_FALSE(w->Preview_button().Enabled());
    EXPECT_TRUE(launcher->requests.empty());
    EXPECT_FALSE(Variables::ThreadRunning);
    EXPECT_TRUE(w->Job_Button().Enabled());
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_NE(dialogs->shown[0].find("disk gone"), std::string::npos);
}

TEST_F(MainWindowJobTest, AFailedReReadOfTheSkinIsAFailedJob) {
    Prepare("1024", "768");
    w->Job_Button_Action();
    // The skin goes between the press and the job's start; the dialog offered is cancelled.
    fs::remove(input);
    dialogs->shown.clear();
    for (int i = 0; i < 100 && w->JobRunning(); ++i)
        QCoreApplication::processEvents();
    ASSERT_FALSE(w->JobRunning());
    ASSERT_FALSE(dialogs->shown.empty());
    EXPECT_EQ(dialogs->shown.back(), "Unable to open the XML file.\nThe XML won't be resized.");
    EXPECT_FALSE(Variables::Job_Ok);
    EXPECT_FALSE(w->Preview_button().Enabled());
    EXPECT_TRUE(launcher->requests.empty());
}

TEST_F(MainWindowJobTest, ADeletedInputIsNamedInAMessageAndNoJobStarts) {
    Prepare("1024", "768");
    fs::remove(input);
    dialogs->shown.clear();
    w->Job_Button_Action();
    EXPECT_FALSE(w->JobRunning());
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0], "\"" + input + "\"\n" + Language::Messages[1]);
    EXPECT_FALSE(w->Chase_Wheel().Visible());
    EXPECT_TRUE(w->bubbles.empty());
}

}  // namespace
