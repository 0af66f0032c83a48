#include "windows/main/main_window.h"

#include "app/file_types.h"
#include "app/ini_read_write.h"
#include "app/language.h"
#include "engine/picture/pictures.h"
#include "engine/xml/browser.h"
#include "engine/xml/variables.h"
#include "kit/base/lite_progress_wheel.h"
#include "kit/buttons/ui_button.h"
#include "kit/buttons/ui_menubutton.h"
#include "kit/text/sarvelin.h"
#include "kit/text/ui_breadcrumbs.h"
#include "kit/text/ui_colorpicker.h"
#include "kit/text/ui_textfield.h"
#include "kit/toggles/ui_checkbox.h"
#include "kit/toggles/ui_label.h"
#include "kit/toggles/ui_tooltip.h"
#include "messages/line_terminator.h"
#include "platform/dialogs.h"
#include "platform/graphics.h"
#include "platform/picture.h"
#include "platform/widgets/canvas.h"
#include "platform/widgets/label.h"
#include "platform/widgets/pagepanel.h"
#include "windows/main/main_window_rules.h"
#include "windows/support/main_window_fixture.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using platform::RGB;
namespace fs = std::filesystem;

platform::Color PixelAt(const platform::Picture& p, int x, int y) {
    const QRgb c = p.Image().pixel(x, y);
    return RGB(static_cast<std::uint8_t>(qRed(c)), static_cast<std::uint8_t>(qGreen(c)),
               static_cast<std::uint8_t>(qBlue(c)));
}

void Enter(QWidget& w) {
    QEnterEvent e(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(&w, &e);
}

void Leave(QWidget& w) {
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(&w, &e);
}

class MainWindowTest : public testsupport::MainWindowFixture {
protected:
    MainWindowTest()
        : MainWindowFixture(Opening::ByTest) {}
    void SetUp() override {
        MainWindowFixture::SetUp();
        INI_Read_Write::Lang = "English";
        Build();
    }
    // The fixture's Build, the window placed at (100, 50).
    void Build() {
        MainWindowFixture::Build();
        w->SetLeft(100);
        w->SetTop(50);
    }
};

TEST_F(MainWindowTest, BuildAppliesStoredValuesBeforeHandlersAndOpensEveryControl) {
    ASSERT_TRUE(w->opened);
    // Stored ticks ran no handler: both boxes were ticked when the window's Open began, and
    // only the Open event (which ticks "Smart") ran the Simple box's handler.
    EXPECT_TRUE(w->simpleTickedAtOpen);
    EXPECT_TRUE(w->scaleTickedAtOpen);
    EXPECT_EQ(w->Count("ScaleCheckbox_Action"), 0);
    EXPECT_EQ(w->widthTextChangesAtOpen, 0);
    // The kit's Open of the scroll bar ran before the window's: page step 5, not the stored 20.
    EXPECT_EQ(w->pageStepAtOpen, 5);
    // The colour field opened once all 42 controls existed, the border box among them.
    EXPECT_EQ(w->controlsAtPickerOpen, 42u);
    EXPECT_TRUE(w->borderBoxSeenByPicker);

    EXPECT_EQ(w->Width(), 560);
    EXPECT_EQ(w->Height(), 376);
    EXPECT_EQ(w->Title(), "Malvoren Tool");
    EXPECT_EQ(w->PagePanel1().Value(), 0);
    EXPECT_EQ(w->Breadcrumbs().Value(), 0);
    EXPECT_FALSE(w->Chase_Wheel().Visible());
    EXPECT_FALSE(w->Mac_CheckBox().Visible());
    EXPECT_EQ(w->Breadcrumbs().Tabs,
              (std::vector<std::string>{"Files", "Resizing", "Options", "Generating"}));
    // The window opens with "Smart" chosen.
    EXPECT_TRUE(w->SmartResize_CheckBox().Value());
    EXPECT_FALSE(w->Resize_Skin_CheckBox().Value());
    EXPECT_EQ(w->ResizePreviewMode, 3);
    EXPECT_EQ(w->LastResizePreviewMode, 3);
    EXPECT_FALSE(w->Border_Color_EditField().Visible());
    // What the kit and the window's Open handlers changed.
    EXPECT_EQ(w->Recap_Editfield().VerticalAlign, 0);
    EXPECT_FALSE(w->Sarvelin1().Arrows());
    EXPECT_EQ(w->lbl_InputXML().TextColor(), RGB(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(w->Input_Button().MyStyle.WidthMode, 0);
    EXPECT_EQ(w->Input_Button().Width(), 49);
}

TEST_F(MainWindowTest, OnlyTheFilesPageShowsAndTheStepBarStaysOnEveryPage) {
    w->show();
    EXPECT_TRUE(w->InputXML_EditField().Widget().isVisible());
    EXPECT_FALSE(w->Resize_Skin_CheckBox().Widget().isVisible());
    EXPECT_FALSE(w->Job_Button().Widget().isVisible());
    for (int page : {1, 2, 3, 0}) {
        w->Breadcrumbs().SetValue(page);
        EXPECT_EQ(w->PagePanel1().Value(), page);
        EXPECT_TRUE(w->Breadcrumbs().Widget().isVisible());
        EXPECT_TRUE(w->Input_Button1().Widget().isVisible());
    }
}

TEST_F(MainWindowTest, InputChoiceShowsSizeAndDisplayFormat) {
    struct Case {
        int width;
        int height;
        const char* format;
    };
    const Case cases[] = {{1024, 768, "4/3"},          {1280, 800, "16/10"},
                          {1920, 1080, "16/9"},        {1280, 768, "5/3"},
                          {1366, 768, "Not Standard"}, {1280, 1024, "Not Standard"}};
    for (const auto& c : cases) {
        const std::string path =
            Skin("s" + std::to_string(c.width) + "x" + std::to_string(c.height) + ".xml", c.width,
                 c.height);
        ChooseInput(path);
        EXPECT_EQ(w->Width_input_EditField().Text(), std::to_string(c.width));
        EXPECT_EQ(w->Height_Input_EditField().Text(), std::to_string(c.height));
        EXPECT_EQ(w->Display_Format_EditField().Text(), c.format) << c.width << "x" << c.height;
        EXPECT_EQ(w->InputXML_EditField().Text(), path);
    }
    EXPECT_EQ(INI_Read_Write::Open_directory, temp.Path().string());
    EXPECT_EQ(Variables::Input_Filename, "s1280x1024.xml");
    EXPECT_TRUE(w->SkinPreview().Enabled());
    EXPECT_TRUE(w->SkinResizePreview().Enabled());
    EXPECT_FALSE(w->Preview_button().Enabled());
    const platform::FileDialogSpec& open = dialogs->openRequests.front();
    EXPECT_EQ(open.title, "Select an XML Skin file");
    EXPECT_EQ(open.actionCaption, "Open");
    EXPECT_EQ(open.cancelCaption, "Cancel");
    EXPECT_EQ(open.filter, "xml");
    EXPECT_EQ(open.filterName, "XML Files");
    EXPECT_EQ(open.parent, w);
}

TEST_F(MainWindowTest, AFileNotNamedXmlIsRefusedAndNothingChanges) {
    ChooseInput(Skin("first.xml", 1024, 768));
    w->OutputXML_EditField().SetText("/out/o.xml");
    const fs::path txt = temp.Write("skin.txt", "<skin width=\"800\" height=\"600\">\n");
    dialogs->QueueOpenFile(txt.string());
    w->OpenXML(nullptr);
    ASSERT_FALSE(dialogs->shown.empty());
    EXPECT_EQ(dialogs->shown.back(), "This isn't an XML file");
    EXPECT_EQ(w->Width_input_EditField().Text(), "1024");
    EXPECT_EQ(w->InputXML_EditField().Text(), (temp / "first.xml").string());
    EXPECT_EQ(Variables::InputXMLPath, (temp / "first.xml").string());
    EXPECT_EQ(w->OutputXML_EditField().Text(), "/out/o.xml");
    EXPECT_EQ(dialogs->openRequests.size(), 2u);  // no second dialog for a wrong name

    // "SKIN.XML" passes the name test.
    ChooseInput(Skin("SKIN.XML", 800, 600));
    EXPECT_EQ(w->Width_input_EditField().Text(), "800");
}

TEST_F(MainWindowTest, CancelEmptiesOnlyTheOutputField) {
    ChooseInput(Skin("first.xml", 1024, 768));
    w->OutputXML_EditField().SetText("/out/o.xml");
    Variables::ThreadRunning = true;
    dialogs->QueueOpenFile(std::nullopt);
    w->Input_Button_Action();
    EXPECT_EQ(w->OutputXML_EditField().Text(), "");
    EXPECT_FALSE(Variables::ThreadRunning);
    EXPECT_EQ(w->InputXML_EditField().Text(), (temp / "first.xml").string());
    EXPECT_EQ(w->Width_input_EditField().Text(), "1024");
    EXPECT_EQ(w->Display_Format_EditField().Text(), "4/3");
}

// access() answers for the real user, which root is not for a file only others may write: the
// test runs its check as "nobody" while it keeps root's effective rights to restore itself.
class RealUserNobody {
public:
    RealUserNobody() {
        if (::getuid() == 0)
            m_switched = ::setreuid(65534, 0) == 0;
    }
    ~RealUserNobody() {
        if (m_switched)
            (void)::setreuid(0, 0);
    }

private:
    bool m_switched = false;
};

TEST_F(MainWindowTest, AFileThatIsNotWritableGetsTheMessageThenTheDialogAgain) {
    const std::string locked = Skin("locked.xml", 1024, 768);
    const std::string open = Skin("open.xml", 1280, 800);
    ::chmod(locked.c_str(), 0444);
    ::chmod(open.c_str(), 0666);
    RealUserNobody nobody;
    if (::access(locked.c_str(), W_OK) == 0)
        GTEST_SKIP() << "every file is writable for this user";
    dialogs->QueueOpenFile(locked);
    dialogs->QueueOpenFile(open);
    w->Input_Button_Action();
    ASSERT_EQ(dialogs->openRequests.size(), 2u);
    EXPECT_EQ(std::count(dialogs->shown.begin(), dialogs->shown.end(),
                         "This file isn't Writeable.\nPlease open another file."),
              1);
    EXPECT_EQ(w->InputXML_EditField().Text(), open);
}

TEST_F(MainWindowTest, TheOutputDialogProposesANameAndStartsInTheParentFolder) {
    struct Case {
        const char* input;
        const char* width;
        const char* outputField;
        const char* folder;
        const char* suggested;
    };
    const std::string dir = temp.Path().string();
    const Case cases[] = {
        {"Skin.xml", "1280", "", "", "Skin-1280x800.xml"},
        {"Skin 1024x768.xml", "1280", "", "", "Skin 1280x800.xml"},
        {"Skin.xml", "0", "", "", "Skin_resized.xml"},
        {"Skin.xml", "1280", "/o/Skin.xml.d/Skin_resized.xml", "/o/Skin.xml.d",
         "Skin-1280x800.xml"},
        {"Skin.xml", "1280", "/o/MyName.xml", "/o", "MyName.xml"},
    };
    w->ScaleCheckbox().SetValue(false);
    for (const auto& c : cases) {
        ChooseInput(Skin(c.input, 1024, 768));
        w->Width_Output_EditField().SetText(c.width);
        w->Height_Output_EditField().SetText("800");
        w->OutputXML_EditField().SetText(c.outputField);
        INI_Read_Write::Save_directory.clear();
        dialogs->QueueSaveFile(std::nullopt);
        w->Output_Button_Action();
        const auto& request = dialogs->saveRequests.back();
        EXPECT_EQ(request.suggestedName, c.suggested) << c.input << " " << c.outputField;
        EXPECT_EQ(request.initialFolder, *c.folder ? std::string(c.folder) : dir);
        EXPECT_EQ(request.title, "Select a FileName for the XML output");
        EXPECT_EQ(request.actionCaption, "Save");
        EXPECT_EQ(w->OutputXML_EditField().Text(), c.outputField);  // cancelled: unchanged
    }
    dialogs->QueueSaveFile("/o/Skin.xml.d/Out.xml");
    w->Output_Button_Action();
    EXPECT_EQ(w->OutputXML_EditField().Text(), "/o/Skin.xml.d/Out.xml");
    EXPECT_EQ(INI_Read_Write::Save_directory, "/o/Skin.xml.d/");
}

TEST_F(MainWindowTest, OutputSizesFollowTheRules) {
    ChooseInput(Skin("Skin.xml", 1024, 768));
    w->Width_Output_EditField().SetText("1280");
    EXPECT_EQ(w->Height_Output_EditField().Text(), "960");
    EXPECT_EQ(Variables::outWidth, 1280);
    EXPECT_EQ(Variables::outHeight, 960);
    w->Width_Output_EditField().SetText("1366");  // 1024.5
    EXPECT_EQ(w->Height_Output_EditField().Text(), "1025");
    w->Width_Output_EditField().SetText("1280px");
    EXPECT_EQ(Variables::outWidth, 1280);
    EXPECT_EQ(w->Height_Output_EditField().Text(), "960");
    w->Width_Output_EditField().SetText("0");
    EXPECT_EQ(w->Height_Output_EditField().Text(), "960");
    EXPECT_EQ(Variables::outWidth, 0);

    // Unticked: the height field is free and the width leaves it alone.
    w->ScaleCheckbox().SetValue(false);
    EXPECT_TRUE(w->Height_Output_EditField().Enabled());
    w->Width_Output_EditField().SetText("2000");
    EXPECT_EQ(w->Height_Output_EditField().Text(), "960");
    w->Height_Output_EditField().SetText("700");
    EXPECT_EQ(Variables::outWidth, 2000);
    EXPECT_EQ(Variables::outHeight, 700);
    // A new skin keeps the output height when the box is unticked.
    ChooseInput(Skin("Skin2.xml", 800, 600));
    EXPECT_EQ(w->Height_Output_EditField().Text(), "700");
    // Ticking follows at once: 1600 × 600 / 800.
    w->Width_Output_EditField().SetText("1600");
    w->ScaleCheckbox().SetValue(true);
    EXPECT_EQ(w->Height_Output_EditField().Text(), "1200");
    EXPECT_FALSE(w->Height_Output_EditField().Enabled());
}

TEST_F(MainWindowTest, TheCrossFillsOneSizeFromTheOther) {
    w->show();
    ChooseInput(Skin("Tall.xml", 600, 1024));
    w->Width_Output_EditField().SetText("0");
    w->Height_Output_EditField().SetText("1001");
    testsupport::Click(w->StaticText4(), QPoint(5, 5));
    // 1001 / 1024 × 600 = 586.5 gives 587, then the box brings the height back in scale:
    // 587 × 1024 / 600 = 1001.8 gives 1002.
    EXPECT_EQ(w->Width_Output_EditField().Text(), "587");
    EXPECT_EQ(w->Height_Output_EditField().Text(), "1002");
    EXPECT_EQ(Variables::outWidth, 587);
    EXPECT_EQ(Variables::outHeight, 1002);

    w->ScaleCheckbox().SetValue(false);
    w->Width_Output_EditField().SetText("1200");
    testsupport::Click(w->StaticText4(), QPoint(5, 5));  // 1200 × 1024 / 600
    EXPECT_EQ(w->Height_Output_EditField().Text(), "2048");

    Enter(w->StaticText4());
    EXPECT_EQ(w->StaticText4().TextColor(), RGB(0, 0, 0xFF));
    Leave(w->StaticText4());
    EXPECT_EQ(w->StaticText4().TextColor(), RGB(0xFF, 0xFF, 0xFF));
}

TEST_F(MainWindowTest, NoSkinReadYetWritesNothingIntoTheOtherField) {
    w->ScaleCheckbox().SetValue(false);
    w->ScaleCheckbox().SetValue(true);
    w->Width_Output_EditField().SetText("1280");
    EXPECT_EQ(w->Height_Output_EditField().Text(), "");
    w->Width_Output_EditField().SetText("0");
    w->Height_Output_EditField().SetText("800");
    w->StaticText4_MouseDown(1, 1);
    EXPECT_EQ(w->Width_Output_EditField().Text(), "0");
}

TEST_F(MainWindowTest, MethodBoxesExcludeEachOther) {
    UI_Checkbox& simple = w->Resize_Skin_CheckBox();
    UI_Checkbox& border = w->Border_Checkbox();
    UI_Checkbox& browser = w->Browser_Resize_CheckBox();
    UI_Checkbox& smart = w->SmartResize_CheckBox();
    UI_Checkbox& day = w->Outdoor_Checkbox();
    day.SetValue(true);

    border.SetValue(true);
    EXPECT_FALSE(smart.Value());
    EXPECT_TRUE(w->Border_Color_EditField().Visible());
    EXPECT_FALSE(day.Enabled());
    EXPECT_TRUE(day.Value());
    EXPECT_EQ(w->ResizePreviewMode, 1);

    browser.SetValue(true);
    EXPECT_FALSE(border.Value());
    EXPECT_FALSE(w->Border_Color_EditField().Visible());
    EXPECT_FALSE(day.Enabled());
    EXPECT_EQ(w->ResizePreviewMode, 2);

    simple.SetValue(true);
    EXPECT_FALSE(browser.Value());
    EXPECT_TRUE(day.Enabled());
    EXPECT_TRUE(day.Value());
    EXPECT_EQ(w->ResizePreviewMode, 0);

    // The picker follows its box while its page is hidden too (its own flag).
    border.SetValue(true);
    EXPECT_EQ(w->PagePanel1().Value(), 0);
    EXPECT_TRUE(w->Border_Color_EditField().Visible());

    smart.SetValue(true);
    EXPECT_FALSE(border.Value());
    EXPECT_FALSE(w->Border_Color_EditField().Visible());
    EXPECT_TRUE(day.Enabled());
    // Unticking the ticked box leaves none ticked and the preview on its method.
    smart.SetValue(false);
    EXPECT_FALSE(simple.Value() || border.Value() || browser.Value() || smart.Value());
    EXPECT_EQ(w->ResizePreviewMode, 3);
    EXPECT_EQ(w->LastResizePreviewMode, 3);
    EXPECT_TRUE(day.Enabled());
}

TEST_F(MainWindowTest, HoveringABoxPreviewsItsMethod) {
    w->Resize_Skin_CheckBox().SetValue(true);
    Enter(w->Border_Checkbox());
    EXPECT_EQ(w->ResizePreviewMode, 1);
    EXPECT_EQ(w->LastResizePreviewMode, 0);
    Leave(w->Border_Checkbox());
    EXPECT_EQ(w->ResizePreviewMode, 0);

    // A click while over the box: leaving keeps the clicked method.
    Enter(w->Border_Checkbox());
    w->Border_Checkbox().SetValue(true);
    Leave(w->Border_Checkbox());
    EXPECT_EQ(w->ResizePreviewMode, 1);
    EXPECT_TRUE(w->Border_Color_EditField().Visible());

    Enter(w->SmartResize_CheckBox());
    EXPECT_EQ(w->ResizePreviewMode, 3);
    Leave(w->SmartResize_CheckBox());
    Enter(w->Browser_Resize_CheckBox());
    EXPECT_EQ(w->ResizePreviewMode, 2);
    Leave(w->Browser_Resize_CheckBox());
    EXPECT_EQ(w->ResizePreviewMode, 1);
    EXPECT_TRUE(w->Border_Checkbox().Value());  // hovering never ticks
}

TEST_F(MainWindowTest, TheBorderColourIsReadWhenThePickerLosesTheFocus) {
    w->Border_Checkbox().SetValue(true);
    w->Breadcrumbs().SetValue(1);
    w->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    UI_ColorPicker& picker = w->Border_Color_EditField();
    picker.SetFocus();
    ASSERT_TRUE(picker.HasFocus());
    picker.SetText("#00ff80");
    EXPECT_EQ(Variables::P_Border_Color, RGB(0, 0, 0));  // not before the focus moves
    w->SkinResizePreview().SetFocus();
    w->Border_Checkbox().SetFocus();
    ASSERT_FALSE(picker.HasFocus());
    EXPECT_EQ(picker.Text(), "00FF80");
    EXPECT_EQ(Variables::P_Border_Color, RGB(0x00, 0xFF, 0x80));
    EXPECT_EQ(picker.myColor(), RGB(0x00, 0xFF, 0x80));

    w->Border_Color_EditField_ColorChange(RGB(0xFF, 0x80, 0x00));
    EXPECT_EQ(Variables::P_Border_Color, RGB(0xFF, 0x80, 0x00));
}

TEST_F(MainWindowTest, TheRecapIsBuiltOnArrivalAndThePageSwitchesOnce) {
    w->InputXML_EditField().SetText("/skins/Skin.xml");
    w->Width_input_EditField().SetText("1280");
    w->Height_Input_EditField().SetText("800");
    w->OutputXML_EditField().SetText("/out/Skin-1440x900.xml");
    w->ScaleCheckbox().SetValue(false);
    w->Width_Output_EditField().SetText("1440");
    w->Height_Output_EditField().SetText("900");
    w->log.clear();
    w->Breadcrumbs().SetValue(3);
    w->Breadcrumbs().SetValue(3);
    EXPECT_EQ(w->Count("PagePanel1_Change"), 1);
    EXPECT_EQ(w->Count("Breadcrumbs_Action"), 2);
    EXPECT_EQ(w->PagePanel1().Value(), 3);
    // The recap is the rule's text for the fields as they stand ("Smart" is ticked at opening).
    mainwindow::RecapFields fields;
    fields.inputXml = "/skins/Skin.xml";
    fields.inWidth = "1280";
    fields.inHeight = "800";
    fields.outputXml = "/out/Skin-1440x900.xml";
    fields.outWidth = "1440";
    fields.outHeight = "900";
    fields.method = mainwindow::Method::Smart;
    EXPECT_EQ(w->Recap_Editfield().Text(), mainwindow::RecapText(fields, Language::Lng, "\n"));

    // A page change that does not come from the step bar brings the step bar along.
    w->PagePanel1().SetValue(1);
    EXPECT_EQ(w->Breadcrumbs().Value(), 1);
    // Leaving page 3 keeps the last recap; a new arrival rebuilds it from the controls.
    w->Width_Output_EditField().SetText("1920");
    w->Height_Output_EditField().SetText("1080");
    w->Border_Checkbox().SetValue(true);
    w->Border_Color_EditField().SetText("FF8000");
    EXPECT_NE(w->Recap_Editfield().Text().find("1440 x 900"), std::string::npos);
    w->Breadcrumbs().SetValue(3);
    const std::string recap = w->Recap_Editfield().Text();
    EXPECT_EQ(recap.find("Aspect ratio"), std::string::npos);
    EXPECT_NE(recap.find("Resizing: \"Add borders Color= #FF8000\"\n"), std::string::npos);
}

TEST_F(MainWindowTest, TheRecapScrollRangeComesFromTheLabel) {
    w->Breadcrumbs().SetValue(3);
    w->Recap_Editfield().Render();
    EXPECT_EQ(w->Sarvelin1().Maximum(), 0);  // a short recap fits

    std::string lines;
    for (int i = 0; i < 40; ++i)
        lines += "line " + std::to_string(i) + "\n";
    w->Recap_Editfield().SetText(lines);
    w->Recap_Editfield().Render();
    // The label's own measure: the wrapped height plus the ascent beyond 222 pixels, in
    // steps of 5.
    platform::PicturePtr probe = platform::Picture::New(10, 10);
    platform::Graphics& g = probe->Graphics();
    g.TextFont = "System";
    const int steps = std::max(0, (g.StringHeight(lines, 486) + g.TextAscent() - 222) / 5);
    ASSERT_GT(steps, 0);
    EXPECT_EQ(w->Sarvelin1().Maximum(), steps);
    w->Sarvelin1().SetValue(4);
    EXPECT_EQ(w->Recap_Editfield().ScrollPosition(), 4);
}

TEST_F(MainWindowTest, TheBubblePointsAtTheControlAndAPageSwitchDropsIt) {
    w->show();
    w->ShowToolTip("Too small", w->Height_Output_EditField(), 0);
    ASSERT_TRUE(w->mTooltip);
    // Tip at the centre of the field on the screen: (100 + 228 + 65 \ 2, 50 + 285 + 31 \ 2).
    const UI_Tooltip& bubble = *w->mTooltip;
    EXPECT_EQ(bubble.Left() + bubble.Width() / 2, 360);
    EXPECT_EQ(bubble.Top() + bubble.Height(), 350);
    w->Breadcrumbs().SetValue(1);
    EXPECT_FALSE(w->mTooltip);

    // A caller pointing at another page sets the page first: its bubble stays.
    w->Breadcrumbs().SetValue(0);
    w->ShowToolTip("Here", w->Width_Output_EditField(), 0);
    EXPECT_TRUE(w->mTooltip);
}

// A skin bitmap of 1280 × 800 whose rows 0 to 599 are red and 600 to 799 blue, above a grey
// sprite area.
void SetUpSkin(std::int32_t outWidth, std::int32_t outHeight) {
    auto bitmap = platform::Picture::New(1280, 1000);
    platform::Graphics& g = bitmap->Graphics();
    g.ForeColor = RGB(0xFF, 0, 0);
    g.FillRect(0, 0, 1280, 600);
    g.ForeColor = RGB(0, 0, 0xFF);
    g.FillRect(0, 600, 1280, 200);
    g.ForeColor = RGB(0x80, 0x80, 0x80);
    g.FillRect(0, 800, 1280, 200);
    Variables::BMP_picture = std::move(bitmap);
    Variables::inWidth = 1280;
    Variables::inHeight = 800;
    Variables::outWidth = outWidth;
    Variables::outHeight = outHeight;
}

constexpr platform::Color kRed = RGB(0xFF, 0, 0);
constexpr platform::Color kBlue = RGB(0, 0, 0xFF);

TEST_F(MainWindowTest, TheBrowserPreviewRepeatsABandBelowTheSkin) {
    SetUpSkin(1280, 1024);
    w->ResizePreviewMode = 2;
    const platform::Picture& p = w->SkinResizePreview().Render();
    ASSERT_EQ(p.Width(), 213);
    ASSERT_EQ(p.Height(), 253);
    // Before sketch 145 × 91 at (33, 0): red at its top, blue near its bottom (row 85 of 91 is
    // skin row 747).
    EXPECT_EQ(PixelAt(p, 40, 5), kRed);
    EXPECT_EQ(PixelAt(p, 40, 85), kBlue);
    // The sketch A, 145 × 116 at (34, 137): the skin's 91 rows, then bands of rows 76 to 80
    // (blue) down to its bottom, where a white new picture would show without them.
    EXPECT_EQ(PixelAt(p, 40, 137 + 5), kRed);
    EXPECT_EQ(PixelAt(p, 40, 137 + 100), kBlue);
    EXPECT_EQ(PixelAt(p, 34, 252), kBlue);
    EXPECT_EQ(PixelAt(p, 178, 252), kBlue);
    EXPECT_NE(PixelAt(p, 33, 252), kBlue);
    EXPECT_NE(PixelAt(p, 179, 252), kBlue);
}

TEST_F(MainWindowTest, TheSimplePreviewStretchesTheSkin) {
    SetUpSkin(1280, 1024);
    w->ResizePreviewMode = 0;
    const platform::Picture& p = w->SkinResizePreview().Render();
    // 145 × 116 at (34, 137): the skin's top red, its bottom blue.
    EXPECT_EQ(PixelAt(p, 34, 138), kRed);
    EXPECT_EQ(PixelAt(p, 178, 252), kBlue);
    EXPECT_NE(PixelAt(p, 33, 200), kRed);
    EXPECT_NE(PixelAt(p, 179, 200), kRed);
}

TEST_F(MainWindowTest, ASmallerButTallerOutputCoversTheBeforeSketch) {
    SetUpSkin(800, 1000);
    w->ResizePreviewMode = 0;
    const platform::Picture& p = w->SkinResizePreview().Render();
    // Before 186 × 116 at (13, 0); after 116 × 145 at (48, 108): the after sketch's red top
    // covers the before sketch's blue rows 108 to 115 between x 48 and 163.
    EXPECT_EQ(PixelAt(p, 20, 110), kBlue);
    EXPECT_EQ(PixelAt(p, 100, 110), kRed);
    EXPECT_EQ(PixelAt(p, 100, 252), kBlue);
}

TEST_F(MainWindowTest, WithoutOutputSizeThePreviewAsksForOne) {
    SetUpSkin(0, 0);
    const platform::Picture& p = w->SkinResizePreview().Render();
    // The hint in white from x 0 around its baseline at 189; no white above it below the
    // before sketch (116 rows).
    const auto whiteIn = [&p](int top, int bottom) {
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < p.Width(); ++x)
                if (PixelAt(p, x, y) == RGB(0xFF, 0xFF, 0xFF))
                    return true;
        return false;
    };
    EXPECT_TRUE(whiteIn(175, 195));
    EXPECT_FALSE(whiteIn(120, 170));

    // No bitmap: the background alone, no hint.
    Variables::BMP_picture.reset();
    const platform::Picture& empty = w->SkinResizePreview().Render();
    for (int y = 175; y < 195; ++y)
        for (int x = 0; x < 213; ++x)
            ASSERT_NE(PixelAt(empty, x, y), RGB(0xFF, 0xFF, 0xFF));
}

TEST_F(MainWindowTest, ASkinOfZeroSizeNeverFailsAPreview) {
    SetUpSkin(1280, 1024);
    Variables::inWidth = 0;
    w->SkinPreview().SetEnabled(true);
    EXPECT_NO_THROW(w->SkinResizePreview().Render());
    EXPECT_NO_THROW(w->SkinPreview().Render());
}

TEST_F(MainWindowTest, TheInputPreviewDrawsOnlyOnceEnabled) {
    SetUpSkin(1280, 1024);
    const platform::Picture& off = w->SkinPreview().Render();
    EXPECT_NE(PixelAt(off, 5, 5), kRed);
    w->SkinPreview().SetEnabled(true);
    // 179 × 111 at (0, 0).
    const platform::Picture& on = w->SkinPreview().Render();
    EXPECT_EQ(PixelAt(on, 5, 5), kRed);
    EXPECT_EQ(PixelAt(on, 175, 108), kBlue);
    EXPECT_NE(PixelAt(on, 100, 113), kBlue);
}

const char* const kStoredCaptions[][2] = {
    {"StaticText1", "Input Size"},
    {"StaticText5", "Display Format:"},
    {"lbl_OutputXML", "Output XML"},
    {"StaticText3", "Output Size"},
    {"Resize_Skin_CheckBox", "Simple Resize"},
    {"Browser_Resize_CheckBox", "Browser Resize"},
    {"Border_Checkbox", "Add borders"},
    {"Outdoor_Checkbox", "Make day skin (bright colors)"},
    {"Browser_Options_CheckBox", "Browser Options"},
    {"Options_CheckBox", "More Options"},
    {"Options_PushButton", "Options"},
    {"Preview_button", "Preview Skin"},
    {"UseResizedPicture_CheckBox", "Use pre-resized picture"},
    {"SmartResize_CheckBox", "Smart Resize"},
    {"ScaleCheckbox", "Keep Skin in scale"},
};

std::string CaptionOf(const MainWindow& w, const std::string& name) {
    platform::Control* c = w.FindControl(name);
    if (auto* label = dynamic_cast<platform::Label*>(c))
        return label->Caption();
    if (auto* kitLabel = dynamic_cast<UI_Label*>(c))
        return kitLabel->Caption();
    if (auto* box = dynamic_cast<UI_Checkbox*>(c))
        return box->Caption;
    if (auto* button = dynamic_cast<UI_Button*>(c))
        return button->Caption();
    return "<no control " + name + ">";
}

TEST_F(MainWindowTest, EnglishInAnyCaseKeepsTheStoredCaptions) {
    delete w;
    INI_Read_Write::Lang = "english";
    Build();
    for (const auto& [name, caption] : kStoredCaptions)
        EXPECT_EQ(CaptionOf(*w, name), caption) << name;
}

TEST_F(MainWindowTest, ALanguageTranslatesFifteenCaptions) {
    delete w;
    WriteTestishLanguage({"Input Size", "Display Format:", "Output XML", "Output Size",
                          "Simple Resize", "Resize", "Add borders", "Outdoor Compliant",
                          "Browser Options", "More Options", "Options", "Preview Skin",
                          "Use Pre-resized picture", "Smart Resize", "Keep Skin in scale",
                          "Input XML", "Do the Job", "Browser", "Files"});
    INI_Read_Write::Lang = "Testish";
    Build();
    for (const auto& row : kStoredCaptions) {
        const std::string name = row[0];
        std::string expected;
        if (name == "Browser_Resize_CheckBox")
            expected = "T-Resize Browser";
        else if (name == "Outdoor_Checkbox")
            expected = "T-Outdoor Compliant";
        else if (name == "UseResizedPicture_CheckBox")
            expected = "T-Use Pre-resized picture";
        else
            expected = "T-" + std::string(row[1]);
        EXPECT_EQ(CaptionOf(*w, name), expected) << name;
    }
    EXPECT_EQ(w->lbl_InputXML().Caption(), "Input XML");
    EXPECT_EQ(w->Job_Button().Caption(), "Do the Job");
    EXPECT_EQ(w->Browser_PushButton().Caption(), "Browser");
    EXPECT_EQ(w->StaticText4().Caption(), "x");
    EXPECT_EQ(w->Resize_Skin_CheckBox().HelpTag(), "Resize the XML file.");
    EXPECT_EQ(w->Breadcrumbs().Tabs.front(), "T-Files");

    // Back to English, forced: the three boxes whose keys differ from their stored captions
    // show the key texts.
    INI_Read_Write::Lang = "English";
    Language::ReadLanguage();
    w->CreateTabCanvas(true);
    w->SetLanguage(true);
    EXPECT_EQ(w->Browser_Resize_CheckBox().Caption, "Resize Browser");
    EXPECT_EQ(w->Outdoor_Checkbox().Caption, "Outdoor Compliant");
    EXPECT_EQ(w->UseResizedPicture_CheckBox().Caption, "Use Pre-resized picture");
    EXPECT_EQ(w->StaticText1().Caption(), "Input Size");
    EXPECT_EQ(w->Breadcrumbs().Tabs,
              (std::vector<std::string>{"Files", "Resizing", "Options", "Generating"}));
}

TEST_F(MainWindowTest, ThePreviewButtonIsFittedEachTimeTheLastPageShows) {
    const int right = w->Preview_button().Left() + w->Preview_button().Width();
    w->Preview_button().SetCaption("A much longer translated caption for the preview button");
    w->Breadcrumbs().SetValue(3);
    EXPECT_GT(w->Preview_button().Width(), 188);
    EXPECT_EQ(w->Preview_button().Left() + w->Preview_button().Width(), right);
}

TEST_F(MainWindowTest, TheAccessorGivesOneWindow) {
    delete w;
    w = nullptr;
    MainWindow& first = MainWindow::Instance();
    EXPECT_EQ(&MainWindow::Instance(), &first);
    EXPECT_EQ(platform::Existing<MainWindow>(), &first);
    EXPECT_TRUE(first.isVisible());
    delete &first;
    EXPECT_EQ(platform::Existing<MainWindow>(), nullptr);
}

}  // namespace
