// The window's side of the job's faults: an output that is the input by another path, a size
// that does not fit 32 bits, and a disk that fills while the bitmap is written.
#include "app/language.h"
#include "engine/xml/variables.h"
#include "kit/buttons/ui_button.h"
#include "kit/text/ui_breadcrumbs.h"
#include "kit/text/ui_textfield.h"
#include "kit/toggles/ui_checkbox.h"
#include "messages/messages.h"
#include "platform/atomic_file.h"
#include "platform/widgets/pagepanel.h"
#include "support/temp_folder.h"
#include "windows/support/main_window_fixture.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using JobFaultsTest = testsupport::MainWindowFixture;

int Headers(const std::string& log) {
    int n = 0;
    for (auto at = log.find("----New Job----"); at != std::string::npos;
         at = log.find("----New Job----", at + 1))
        ++n;
    return n;
}

TEST_F(JobFaultsTest, AnOutputThatIsTheInputByAnotherPathIsRefusedOnTheFilesPage) {
    const std::string input = Skin("in.xml", 1024, 768);
    PrepareSimple(input, "1280", "960");
    fs::create_directories(temp / "sub");
    w->OutputXML_EditField().SetText((temp / "sub" / ".." / "in.xml").string());
    const std::string before = testsupport::ReadAll(input);
    w->Breadcrumbs().SetValue(3);
    w->bubbles.clear();

    w->Job_Button_Action();

    EXPECT_FALSE(w->JobRunning());
    EXPECT_EQ(w->PagePanel1().Value(), 0);
    ASSERT_EQ(w->bubbles.size(), 1u);
    EXPECT_EQ(w->bubbles[0].text, Language::Messages[16]);
    EXPECT_EQ(w->bubbles[0].control, &w->OutputXML_EditField());
    EXPECT_EQ(testsupport::ReadAll(input), before);
    EXPECT_EQ(Headers(testsupport::ReadAll(temp / "Malvoren log.txt")), 0);
}

TEST_F(JobFaultsTest, AWidthPast2To31IsRefusedAndTheHeightStillFollowsIt) {
    const std::string input = Skin("in.xml", 1024, 768);
    PrepareSimple(input, "1280", "960");
    w->ScaleCheckbox().SetValue(true);
    w->Width_Output_EditField().SetText("99999999999");
    // 99999999999 × 768 / 1024 = 74999999999.25, beyond 32 bits, yet the field follows.
    EXPECT_EQ(w->Height_Output_EditField().Text(), "74999999999");
    w->bubbles.clear();

    w->Job_Button_Action();

    EXPECT_FALSE(w->JobRunning());
    EXPECT_EQ(w->PagePanel1().Value(), 0);
    ASSERT_EQ(w->bubbles.size(), 1u);
    EXPECT_EQ(w->bubbles[0].text,
              "The output width is too large: no skin of that size can be made.\n"
              "Choose a smaller output size.");
    EXPECT_EQ(w->bubbles[0].control, &w->Width_Output_EditField());
    EXPECT_FALSE(fs::exists(temp / "out" / "out.xml"));
    EXPECT_EQ(Headers(testsupport::ReadAll(temp / "Malvoren log.txt")), 0);
}

TEST_F(JobFaultsTest, AFullDiskAtTheBitmapKeepsTheEarlierPairOrANewSkinAlone) {
    for (const bool earlier : {true, false}) {
        SCOPED_TRACE(earlier ? "earlier pair" : "no earlier skin");
        const std::string input = Skin("in.xml", 1024, 768);
        PrepareSimple(input, "1280", "960");
        fs::remove(temp / "out" / "out.xml");
        fs::remove(temp / "out" / "out.png");
        if (earlier) {
            temp.Write("out/out.xml", "the earlier skin");
            temp.Write("out/out.png", "the earlier bitmap");
        }
        dialogs->shown.clear();
        {
            platform::ScopedWriteFault full({1, platform::WriteFaultStage::Write, ENOSPC, {}},
                                            ".png");
            w->Job_Button_Action();
            FinishJob();
            EXPECT_TRUE(full.Fired());
        }

        EXPECT_FALSE(Variables::Job_Ok);
        EXPECT_FALSE(w->Preview_button().Enabled());
        ASSERT_EQ(dialogs->shown.size(), 1u);
        EXPECT_NE(dialogs->shown[0].find("Unable to write " + (temp / "out" / "out.png").string() +
                                         ": No space left on device."),
                  std::string::npos)
            << dialogs->shown[0];
        if (earlier) {
            EXPECT_EQ(testsupport::ReadAll(temp / "out" / "out.xml"), "the earlier skin");
            EXPECT_EQ(testsupport::ReadAll(temp / "out" / "out.png"), "the earlier bitmap");
        } else {
            // The window keeps the new skin where it replaces nothing.
            EXPECT_NE(testsupport::ReadAll(temp / "out" / "out.xml").find("width=\"1280\""),
                      std::string::npos);
            EXPECT_FALSE(fs::exists(temp / "out" / "out.png"));
        }
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(temp / "out"))
            names.push_back(entry.path().filename().string());
        EXPECT_EQ(names.size(), earlier ? 2u : 1u);
    }
}

TEST_F(JobFaultsTest, AnOutputFolderGoneBeforeTheSkinIsWrittenNamesTheFile) {
    // The folder of the output goes between the press and the job's first write: the skin
    // writer reports it itself, and nothing reaches the job's last-resort handler.
    const std::string input = Skin("in.xml", 1024, 768);
    PrepareSimple(input, "1280", "960");
    dialogs->shown.clear();
    {
        platform::ScopedWriteFault vanish(
            {1, platform::WriteFaultStage::None, 0,
             [](const fs::path& target) { fs::remove_all(target.parent_path()); }},
            ".xml");
        w->Job_Button_Action();
        FinishJob();
    }
    const std::string log = testsupport::ReadAll(temp / "Malvoren log.txt");
    EXPECT_EQ(log.find("In the job method."), std::string::npos) << log;
    ASSERT_FALSE(dialogs->shown.empty());
    EXPECT_EQ(dialogs->shown[0], "Unable to write " + (temp / "out" / "out.xml").string() +
                                     ": No such file or directory.");
    for (const std::string& shown : dialogs->shown)
        EXPECT_EQ(shown.find("unexpected failure"), std::string::npos) << shown;
}

}  // namespace
