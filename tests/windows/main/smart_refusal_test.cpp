// A "Smart" job refused for the height of the skin's browser reports in the main window.
#include "app/file_types.h"
#include "app/ini_read_write.h"
#include "app/language.h"
#include "engine/picture/pictures.h"
#include "engine/picture/smart_resize.h"
#include "engine/xml/browser.h"
#include "engine/xml/variables.h"
#include "kit/base/lite_progress_wheel.h"
#include "kit/text/ui_breadcrumbs.h"
#include "kit/text/ui_textfield.h"
#include "kit/toggles/ui_checkbox.h"
#include "messages/line_terminator.h"
#include "messages/messages.h"
#include "messages/run_once.h"
#include "platform/dialogs.h"
#include "platform/widgets/pagepanel.h"
#include "windows/main/main_window.h"
#include "windows/main/refusal_sink.h"
#include "windows/support/main_window_fixture.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The window opens on a settings file with every notice off.
class SmartRefusal : public testsupport::MainWindowFixture {
protected:
    SmartRefusal()
        : MainWindowFixture(Opening::ByTest) {}
};

TEST_F(SmartRefusal, TheWindowShowsTheFilesPageTheBubbleAndTheProposedHeight) {
    for (const char* name : {"tidewater.xml", "tidewater.png"})
        fs::copy_file(fs::path(MALVOREN_SOURCE_DIR) / "examples" / name, temp / name);
    Open("[Params]\nRunOnce=1*");
    InstallSmartRefusalSink();
    ChooseInput((temp / "tidewater.xml").string());
    w->OutputXML_EditField().SetText((temp / "out.xml").string());
    w->ScaleCheckbox().SetValue(false);
    w->Width_Output_EditField().SetText("1280");
    w->Height_Output_EditField().SetText("720");
    ASSERT_TRUE(w->SmartResize_CheckBox().Value());
    w->Breadcrumbs().SetValue(3);
    w->Job_Button_Action();
    FinishJob();

    // The 1024 × 768 skin grows 1280 / 1024 = 1.25 times: 960 rows, its browser 336 × 1.25 =
    // 420 of them. At 720 rows the browser keeps 420 − 240 = 180, under 245; it keeps 245 at
    // 960 − (420 − 245) = 785 rows.
    ASSERT_EQ(w->bubbles.size(), 1u);
    EXPECT_EQ(w->bubbles[0].text, Language::Messages[53]);
    EXPECT_EQ(w->bubbles[0].control, &w->Height_Output_EditField());
    EXPECT_EQ(w->bubbles[0].page, 0);
    EXPECT_EQ(w->Height_Output_EditField().Text(), "785");
    EXPECT_EQ(w->PagePanel1().Value(), 0);
    EXPECT_FALSE(w->Chase_Wheel().Visible());
    EXPECT_FALSE(Variables::Job_Ok);
    EXPECT_FALSE(fs::exists(temp / "out.xml"));
}

}  // namespace
