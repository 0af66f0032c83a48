// The main window's stored layout: the window's properties, then its controls in creation
// order, each with its stored values applied through the setters before the window's handlers
// are attached.
#include "app/gui/menu_bar.h"
#include "app/resources.h"
#include "kit/base/lite_progress_wheel.h"
#include "kit/buttons/ui_button.h"
#include "kit/buttons/ui_menubutton.h"
#include "kit/text/sarvelin.h"
#include "kit/text/ui_breadcrumbs.h"
#include "kit/text/ui_colorpicker.h"
#include "kit/text/ui_textfield.h"
#include "kit/toggles/ui_checkbox.h"
#include "kit/toggles/ui_label.h"
#include "platform/widgets/canvas.h"
#include "platform/widgets/label.h"
#include "platform/widgets/pagepanel.h"
#include "windows/layout/stored_layout.h"
#include "windows/main/main_window.h"

#include <string>

namespace {

using layout::StoreButton;
using layout::StoreCheckbox;
using layout::StoreCommon;
using layout::StoreKitLabel;
using layout::StoreLabel;
using layout::StoreTextField;
using platform::RGB;

constexpr platform::Color kWhite = RGB(0xFF, 0xFF, 0xFF);
constexpr platform::Color kBlack = RGB(0, 0, 0);

}  // namespace

void MainWindow::Layout() {
    SetBackdrop(resources::UIKitBackground());
    SetWidth(560);
    SetHeight(376);
    SetHasBackColor(true);
    SetBackColor(RGB(0x33, 0x35, 0x38));
    SetTitle("Malvoren Tool");
    // A document window with a close box and a minimise box, no zoom box, which the user
    // cannot resize.
    SetCloseBox(true);
    setWindowFlag(Qt::WindowMinimizeButtonHint, true);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    SetResizeable(false);
    // The program's menu bar, above the content area: the controls keep their places.
    SetMenuBar(MenuBar1::Instance());
    CreateControls0();
    CreateControls1();
}

void MainWindow::CreateControls0() {
    m_macCheckBox = &AddControl<UI_Checkbox>(this, [](UI_Checkbox& c) {
        StoreCheckbox(c, "Mac_CheckBox", {703, -64, 143, 20}, 15, "Mac Enhancement",
                      "Reduces the font size.");
        c.SetVisible(false);
        c.SetEnabled(false);
    });

    m_pagePanel1 = &AddControl<platform::PagePanel>(
        this,
        [](platform::PagePanel& c) {
            StoreCommon(c, "PagePanel1", {16, 49, 524, 307}, 16);
            c.SetPanelCount(4);
            c.SetValue(0);
        },
        [this](platform::PagePanel& c) { c.Change = [this] { PagePanel1_Change(); }; });
    QWidget* page0 = m_pagePanel1->Page(0);
    QWidget* page1 = m_pagePanel1->Page(1);
    QWidget* page2 = m_pagePanel1->Page(2);
    QWidget* page3 = m_pagePanel1->Page(3);

    // The method boxes get the kit's check box backdrop before their stored values.
    const auto methodBox = [](UI_Checkbox& c) { c.Backdrop = resources::UI_Checkbox_backdrop(); };
    m_resizeSkinCheckBox = &AddControl<UI_Checkbox>(
        page1,
        [&](UI_Checkbox& c) {
            methodBox(c);
            StoreCheckbox(c, "Resize_Skin_CheckBox", {23, 73, 242, 20}, 0, "Simple Resize",
                          "Resize the XML file.");
            c.SetValue(true);
        },
        [this](UI_Checkbox& c) {
            c.Action = [this] { Resize_Skin_CheckBox_Action(); };
            c.MouseEnter = [this] { Resize_Skin_CheckBox_MouseEnter(); };
            c.MouseExit = [this] { Resize_Skin_CheckBox_MouseExit(); };
        });
    m_browserResizeCheckBox = &AddControl<UI_Checkbox>(
        page1,
        [&](UI_Checkbox& c) {
            methodBox(c);
            StoreCheckbox(c, "Browser_Resize_CheckBox", {23, 180, 242, 20}, 2, "Browser Resize",
                          "This will only resize the browser part of the skin. Usefull if you want "
                          "to resize a skin from 1280x800 to 1280x1024.");
        },
        [this](UI_Checkbox& c) {
            c.Action = [this] { Browser_Resize_CheckBox_Action(); };
            c.MouseExit = [this] { Browser_Resize_CheckBox_MouseExit(); };
            c.MouseEnter = [this] { Browser_Resize_CheckBox_MouseEnter(); };
        });
    m_borderColorEditField = &AddControl<UI_ColorPicker>(
        page1,
        [](UI_ColorPicker& c) {
            c.Backdrop = resources::UI_ColorPicker_backdrop();
            StoreTextField(c, "Border_Color_EditField", {182, 137, 123, 31}, 3, 2);
        },
        [this](UI_ColorPicker& c) {
            c.LostFocus = [this] { Border_Color_EditField_LostFocus(); };
            c.Open = [this] { Border_Color_EditField_Open(); };
            c.ColorChange = [this](platform::Color color) {
                Border_Color_EditField_ColorChange(color);
            };
        });
    m_borderCheckbox = &AddControl<UI_Checkbox>(
        page1,
        [&](UI_Checkbox& c) {
            methodBox(c);
            StoreCheckbox(c, "Border_Checkbox", {23, 137, 152, 31}, 5, "Add borders",
                          "Resizes the skin by keeping the original graphics and adding a border "
                          "around the skin. You can choose the color of this border.");
        },
        [this](UI_Checkbox& c) {
            c.Action = [this] { Border_Checkbox_Action(); };
            c.MouseExit = [this] { Border_Checkbox_MouseExit(); };
            c.MouseEnter = [this] { Border_Checkbox_MouseEnter(); };
        });
    m_smartResizeCheckBox = &AddControl<UI_Checkbox>(
        page1,
        [&](UI_Checkbox& c) {
            methodBox(c);
            StoreCheckbox(c, "SmartResize_CheckBox", {23, 212, 242, 20}, 6, "Smart Resize");
        },
        [this](UI_Checkbox& c) {
            c.Action = [this] { SmartResize_CheckBox_Action(); };
            c.MouseExit = [this] { SmartResize_CheckBox_MouseExit(); };
            c.MouseEnter = [this] { SmartResize_CheckBox_MouseEnter(); };
        });

    m_outdoorCheckbox = &AddControl<UI_Checkbox>(page2, [](UI_Checkbox& c) {
        StoreCheckbox(c, "Outdoor_Checkbox", {23, 177, 406, 29}, 0,
                      "Make day skin (bright colors)");
    });
    m_optionsPushButton = &AddControl<UI_Button>(
        page2,
        [](UI_Button& c) {
            StoreButton(c, "Options_PushButton", {235, 133, 101, 29}, 1, "Options");
            c.SetEnabled(false);
        },
        [this](UI_Button& c) {
            c.Action = [this] { Options_PushButton_Action(); };
            c.Open = [this] { Options_PushButton_Open(); };
        });
    m_optionsCheckBox = &AddControl<UI_Checkbox>(
        page2,
        [](UI_Checkbox& c) {
            StoreCheckbox(c, "Options_CheckBox", {23, 133, 189, 29}, 2, "More Options");
        },
        [this](UI_Checkbox& c) { c.Action = [this] { Options_CheckBox_Action(); }; });
    m_browserPushButton = &AddControl<UI_Button>(
        page2,
        [](UI_Button& c) {
            StoreButton(c, "Browser_PushButton", {235, 90, 101, 29}, 3, "Browser");
            c.SetEnabled(false);
        },
        [this](UI_Button& c) {
            c.Action = [this] { Browser_PushButton_Action(); };
            c.Open = [this] { Browser_PushButton_Open(); };
        });
    m_browserOptionsCheckBox = &AddControl<UI_Checkbox>(
        page2,
        [](UI_Checkbox& c) {
            StoreCheckbox(c, "Browser_Options_CheckBox", {23, 90, 189, 29}, 4, "Browser Options");
        },
        [this](UI_Checkbox& c) {
            c.Action = [this] { Browser_Options_CheckBox_Action(); };
            c.Open = [this] { Browser_Options_CheckBox_Open(); };
        });
    m_useResizedPictureCheckBox = &AddControl<UI_Checkbox>(
        page2,
        [](UI_Checkbox& c) {
            StoreCheckbox(c, "UseResizedPicture_CheckBox", {23, 221, 240, 29}, 6,
                          "Use pre-resized picture");
        },
        [this](UI_Checkbox& c) { c.Action = [this] { UseResizedPicture_CheckBox_Action(); }; });
    m_inputPicture = &AddControl<UI_Button>(
        page2,
        [](UI_Button& c) {
            StoreButton(c, "Input_Picture", {287, 221, 49, 29}, 7, "...");
            c.SetEnabled(false);
        },
        [this](UI_Button& c) {
            c.Action = [this] { Input_Picture_Action(); };
            c.Open = [this] { Input_Picture_Open(); };
        });
    m_externPictureStaticText = &AddControl<platform::Label>(page2, [](platform::Label& c) {
        StoreLabel(c, "ExternPicture_StaticText", {23, 262, 269, 20}, 8, "");
    });

    m_previewButton = &AddControl<UI_Button>(
        page3,
        [](UI_Button& c) {
            StoreButton(c, "Preview_button", {187, 319, 188, 29}, 1, "Preview Skin");
            c.SetEnabled(false);
        },
        [this](UI_Button& c) { c.Action = [this] { Preview_button_Action(); }; });
    m_jobButton = &AddControl<UI_Button>(
        page3,
        [](UI_Button& c) {
            StoreButton(c, "Job_Button", {390, 319, 142, 29}, 2, "Do the Job");
        },
        [this](UI_Button& c) { c.Action = [this] { Job_Button_Action(); }; });

    m_lblOutputXML = &AddControl<UI_Label>(page0, [](UI_Label& c) {
        StoreKitLabel(c, "lbl_OutputXML", {26, 222, 100, 20}, 1, "Output XML", kBlack);
    });
    m_outputXMLEditField = &AddControl<UI_TextField>(page0, [](UI_TextField& c) {
        StoreTextField(c, "OutputXML_EditField", {26, 247, 498, 31}, 3, 0);
    });
    m_staticText3 = &AddControl<platform::Label>(page0, [](platform::Label& c) {
        StoreLabel(c, "StaticText3", {29, 285, 86, 29}, 3, "Output Size");
    });
    m_heightOutputEditField = &AddControl<UI_TextField>(
        page0,
        [](UI_TextField& c) {
            StoreTextField(c, "Height_Output_EditField", {228, 285, 65, 31}, 6, 2);
            c.SetEnabled(false);
        },
        [this](UI_TextField& c) {
            c.GotFocus = [this] { Height_Output_EditField_GotFocus(); };
            c.MouseDown = [this](int x, int y) { return Height_Output_EditField_MouseDown(x, y); };
            c.TextChange = [this] { Height_Output_EditField_TextChange(); };
        });
    m_staticText4 = &AddControl<platform::Label>(
        page0,
        [](platform::Label& c) {
            StoreLabel(c, "StaticText4", {201, 285, 20, 31}, 5, "x", true);
        },
        [this](platform::Label& c) {
            c.MouseEnter = [this] { StaticText4_MouseEnter(); };
            c.MouseExit = [this] { StaticText4_MouseExit(); };
            c.MouseDown = [this](int x, int y) { return StaticText4_MouseDown(x, y); };
        });
    m_widthOutputEditField = &AddControl<UI_TextField>(
        page0,
        [](UI_TextField& c) {
            StoreTextField(c, "Width_Output_EditField", {127, 285, 65, 31}, 5, 2);
        },
        [this](UI_TextField& c) {
            c.GotFocus = [this] { Width_Output_EditField_GotFocus(); };
            c.MouseDown = [this](int x, int y) { return Width_Output_EditField_MouseDown(x, y); };
            c.TextChange = [this] { Width_Output_EditField_TextChange(); };
        });
    m_scaleCheckbox = &AddControl<UI_Checkbox>(
        page0,
        [](UI_Checkbox& c) {
            StoreCheckbox(c, "ScaleCheckbox", {127, 326, 211, 20}, 4, "Keep Skin in scale");
            c.SetValue(true);
        },
        [this](UI_Checkbox& c) { c.Action = [this] { ScaleCheckbox_Action(); }; });
    m_outputButton = &AddControl<UI_Button>(
        page0,
        [](UI_Button& c) {
            StoreButton(c, "Output_Button", {475, 285, 49, 29}, 2, "...");
            c.EraseBackground = false;
        },
        [this](UI_Button& c) {
            c.Action = [this] { Output_Button_Action(); };
            c.Open = [this] { Output_Button_Open(); };
        });
    m_lblInputXML = &AddControl<UI_Label>(page0, [](UI_Label& c) {
        StoreKitLabel(c, "lbl_InputXML", {26, 59, 100, 20}, 9, "Input XML", kBlack);
    });
}

void MainWindow::CreateControls1() {
    QWidget* page0 = m_pagePanel1->Page(0);
    QWidget* page1 = m_pagePanel1->Page(1);
    QWidget* page3 = m_pagePanel1->Page(3);

    m_inputXMLEditField = &AddControl<UI_TextField>(page0, [](UI_TextField& c) {
        StoreTextField(c, "InputXML_EditField", {26, 84, 498, 31}, 1, 0);
    });
    m_inputButton = &AddControl<UI_Button>(
        page0,
        [](UI_Button& c) {
            StoreButton(c, "Input_Button", {475, 123, 49, 29}, 0, "...");
            c.EraseBackground = false;
        },
        [this](UI_Button& c) {
            c.Action = [this] { Input_Button_Action(); };
            c.Open = [this] { Input_Button_Open(); };
        });
    m_staticText1 = &AddControl<platform::Label>(page0, [](platform::Label& c) {
        StoreLabel(c, "StaticText1", {25, 123, 72, 31}, 12, "Input Size");
    });
    m_widthInputEditField = &AddControl<UI_TextField>(page0, [](UI_TextField& c) {
        StoreTextField(c, "Width_input_EditField", {102, 123, 65, 31}, 13, 2);
        c.SetEnabled(false);
    });
    m_heightInputEditField = &AddControl<UI_TextField>(page0, [](UI_TextField& c) {
        StoreTextField(c, "Height_Input_EditField", {203, 123, 65, 31}, 14, 2);
        c.SetEnabled(false);
    });
    m_staticText2 = &AddControl<platform::Label>(page0, [](platform::Label& c) {
        StoreLabel(c, "StaticText2", {176, 123, 20, 31}, 15, "x", true);
    });
    m_staticText5 = &AddControl<platform::Label>(page0, [](platform::Label& c) {
        StoreLabel(c, "StaticText5", {25, 160, 110, 31}, 16, "Display Format:");
    });
    m_displayFormatEditField = &AddControl<UI_TextField>(page0, [](UI_TextField& c) {
        StoreTextField(c, "Display_Format_EditField", {140, 160, 81, 31}, 17, 2);
        c.SetEnabled(false);
    });

    m_recapEditfield = &AddControl<UI_Label>(
        page3,
        [](UI_Label& c) {
            StoreKitLabel(c, "Recap_Editfield", {26, 59, 486, 222}, 3, "", kBlack);
            c.Multiline = true;
        },
        [this](UI_Label& c) {
            c.Open = [this] { Recap_Editfield_Open(); };
            c.ChangeScroll = [this](std::int32_t steps) { Recap_Editfield_ChangeScroll(steps); };
        });
    m_sarvelin1 = &AddControl<Sarvelin>(
        page3,
        [](Sarvelin& c) {
            StoreCommon(c, "Sarvelin1", {516, 59, 12, 222}, 4);
            c.UseFocusRing = false;
            c.SetArrows(true);
            c.GroupArrows = false;
            c.LineStep = 1;
            c.PageStep = 20;
            c.LiveScroll = true;
            c.SetAcceptFocus(true);
            c.EraseBackground = false;
            c.LastSize = 0;
            c.HasBackcolor = false;
            c.FullRefresh = false;
            c.SetMinimum(0);
            c.SetValue(0);
            c.SetMaximum(30);
            c.Freeze = false;
        },
        [this](Sarvelin& c) {
            c.ValueChanged = [this] { Sarvelin1_ValueChanged(); };
            c.Open = [this] { Sarvelin1_Open(); };
        });
    m_messageText = &AddControl<UI_Label>(page3, [](UI_Label& c) {
        StoreKitLabel(c, "Message_Text", {26, 290, 317, 20}, 5, "", kWhite);
    });
    m_chaseWheel = &AddControl<LiteProgressWheel>(page3, [](LiteProgressWheel& c) {
        StoreCommon(c, "Chase_Wheel", {359, 292, 16, 16}, 7);
        c.SetVisible(false);
        c.EraseBackground = false;
        c.SetAcceptFocus(false);
    });
    m_skinPreview = &AddControl<platform::Canvas>(
        page0,
        [](platform::Canvas& c) {
            StoreCommon(c, "SkinPreview", {280, 123, 179, 116}, 18);
            c.SetEnabled(false);
            c.EraseBackground = false;
            c.UseFocusRing = false;
            c.SetAcceptFocus(false);
        },
        [this](platform::Canvas& c) {
            c.Paint = [this](platform::Graphics& g) { SkinPreview_Paint(g); };
        });
    m_skinResizePreview = &AddControl<platform::Canvas>(
        page1,
        [](platform::Canvas& c) {
            StoreCommon(c, "SkinResizePreview", {313, 73, 213, 253}, 8);
            c.EraseBackground = true;
            c.UseFocusRing = true;
            c.SetAcceptFocus(false);
        },
        [this](platform::Canvas& c) {
            c.Paint = [this](platform::Graphics& g) { SkinResizePreview_Paint(g); };
        });
    m_breadcrumbs = &AddControl<UI_Breadcrumbs>(
        this,
        [](UI_Breadcrumbs& c) {
            StoreCommon(c, "Breadcrumbs", {75, 18, 465, 29}, 21);
            c.SetTabDefinition("");
            c.SetValue(0);
            c.SetAcceptFocus(true);
            c.HasBackColor = false;
        },
        [this](UI_Breadcrumbs& c) {
            c.Action = [this](std::int32_t index, const std::string& caption) {
                Breadcrumbs_Action(index, caption);
            };
        });
    m_inputButton1 = &AddControl<UI_MenuButton>(
        this,
        [](UI_MenuButton& c) {
            StoreButton(c, "Input_Button1", {16, 18, 49, 29}, 22, "");
        },
        [this](UI_MenuButton& c) {
            c.Open = [this] { Input_Button1_Open(); };
            c.Action = [this] { Input_Button1_Action(); };
        });
}
