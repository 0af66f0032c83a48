#include "windows/options/browser_options_window.h"

#include "app/file_types.h"
#include "app/ini_read_write.h"
#include "app/language.h"
#include "engine/xml/browser.h"
#include "engine/xml/browser_text.h"
#include "kit/buttons/ui_button.h"
#include "kit/buttons/variables_buttons.h"
#include "kit/text/ui_colorpicker.h"
#include "kit/text/ui_textfield.h"
#include "kit/toggles/ui_checkbox.h"
#include "kit/toggles/ui_label.h"
#include "kit/toggles/ui_radiobutton.h"
#include "messages/messages.h"
#include "platform/dialogs.h"
#include "platform/graphics.h"
#include "platform/text.h"
#include "platform/widgets/canvas.h"
#include "platform/widgets/combobox.h"
#include "platform/widgets/groupbox.h"
#include "platform/widgets/label.h"
#include "platform/widgets/textfield.h"
#include "windows/layout/stored_layout.h"
#include "windows/options/option_rules.h"

#include <QFontDatabase>

#include <algorithm>

namespace {

using layout::Place;
using layout::PlaceKitLabel;
using layout::PlaceToggle;

const platform::Color kBackColor{0x33, 0x35, 0x38};

const char kForceHelp[] =
    "If unchecked, the browser color is changed using the \"Flood fill\" method (Pot of "
    "paint). This usually results in better looking graphics.\r"
    "Flood fill doesn't work on some skins so check this box to delete the browser background "
    "and then fill it with the chosen color.";

std::string FirstElementText(const std::vector<std::int32_t>& values) {
    // A skin without a browser element leaves the readouts empty.
    return values.empty() ? std::string() : platform::Str(static_cast<long long>(values[0]));
}

}  // namespace

Browser_Options_Window::Browser_Options_Window()
    : platform::Window(Frame::Sheet) {
}

Browser_Options_Window& Browser_Options_Window::Instance() {
    return platform::Instance<Browser_Options_Window>(platform::WhenMade::Shown);
}

void Browser_Options_Window::Layout() {
    SetTitle("Browser Options");
    setObjectName("Browser_Options_Window");
    SetHasBackColor(true);
    SetBackColor(kBackColor);
    SetWidth(652);
    SetHeight(397);
    SetResizeable(false);
    AddOffWindowControls();
    AddBackgroundControls();
    AddTextControls();
}

void Browser_Options_Window::AddOffWindowControls() {
    // Four colour fields and their swatches lie right of the window's width, where neither the
    // pointer nor, unlike in the stored layout, the Tab key reaches them: a field that the
    // focus could enter would apply its stale text again when the focus left it, over a
    // colour the user had confirmed in a picker.
    const auto colourField = [this](platform::TextField& f, platform::Color& option,
                                    bool selectsColorRadio) {
        f.setFocusPolicy(Qt::NoFocus);
        f.Open = [&f, &option] { f.SetText(Variables::StrColor(option)); };
        f.LostFocus = [this, &f, &option, selectsColorRadio] {
            std::string text = f.Text();
            option = optionrules::ColourFieldOnLeave(text);
            if (text != f.Text())
                f.SetText(text);
            if (selectsColorRadio)
                m_colorRadio->SetValue(true);
        };
    };
    const auto fieldLook = [](platform::TextField& f) {
        f.SetLimitText(7);
        f.SetAlignment(2);
    };
    const auto swatch = [](platform::Canvas& c, const char* name, int left, int top) {
        Place(c, name, {left, top, 23, 22}, 1);
        c.SetHelpTag("Pick a color");
    };

    m_group1 = &AddControl<platform::GroupBox>(this, [](platform::GroupBox& g) {
        Place(g, "GroupBox1", {798, 43, 280, 104}, 1);
        g.SetCaption("   ");
    });
    m_colorCanvas = &AddControl<platform::Canvas>(
        m_group1, [&swatch](platform::Canvas& c) { swatch(c, "Browser_Color_Canvas", 914, 70); });
    m_colorField = &AddControl<platform::TextField>(
        m_group1,
        [&fieldLook](platform::TextField& f) {
            Place(f, "Browser_Color_EditField", {940, 70, 61, 22}, 1);
            fieldLook(f);
        },
        [&colourField](platform::TextField& f) { colourField(f, Browser::Browser_Color, true); });
    m_group2 = &AddControl<platform::GroupBox>(this, [](platform::GroupBox& g) {
        Place(g, "GroupBox2", {857, 269, 280, 158}, 1);
        g.SetCaption("   ");
    });
    AddControl<platform::Canvas>(
        m_group2, [&swatch](platform::Canvas& c) { swatch(c, "b_text_color_canvas", 991, 292); });
    AddControl<platform::Canvas>(m_group2, [&swatch](platform::Canvas& c) {
        swatch(c, "b_selected_color_canvas", 991, 316);
    });
    AddControl<platform::Canvas>(m_group2, [&swatch](platform::Canvas& c) {
        swatch(c, "b_stripes_color_canvas", 991, 341);
    });
    m_textColorField = &AddControl<platform::TextField>(
        m_group2,
        [&fieldLook](platform::TextField& f) {
            Place(f, "Browser_Text_Color_EditField", {1017, 292, 61, 22}, 1);
            fieldLook(f);
        },
        [&colourField](platform::TextField& f) { colourField(f, Browser::B_Text_Color, false); });
    m_selectedField = &AddControl<platform::TextField>(
        m_group2,
        [&fieldLook](platform::TextField& f) {
            Place(f, "Browser_Selected_Color_EditField", {1017, 316, 61, 22}, 10);
            fieldLook(f);
        },
        [&colourField](platform::TextField& f) {
            colourField(f, Browser::B_Selected_Color, false);
        });
    m_stripesField = &AddControl<platform::TextField>(
        m_group2,
        [&fieldLook](platform::TextField& f) {
            Place(f, "Browser_Stripes_Color_EditField", {1017, 340, 61, 22}, 11);
            fieldLook(f);
        },
        [&colourField](platform::TextField& f) {
            colourField(f, Browser::B_Stripes_Color, false);
        });
}

void Browser_Options_Window::AddBackgroundControls() {
    m_apply = &AddControl<UI_Button>(
        this,
        [](UI_Button& b) {
            Place(b, "Apply_Button", {552, 350, 80, 29}, 6);
            b.SetCaption("Close");
        },
        [this](UI_Button& b) { b.Action = [this] { Close(); }; });
    AddControl<UI_Label>(this, [](UI_Label& l) {
        PlaceKitLabel(l, "UI_Label1", {20, 14, 130, 20}, 9, "Browser Size");
    });
    m_heightField = &AddControl<UI_TextField>(
        this,
        [](UI_TextField& f) {
            Place(f, "Browser_height_Editfield", {243, 43, 65, 31}, 10);
            f.Alignment = 2;
            f.SetEnabled(false);
        },
        [](UI_TextField& f) {
            f.Open = [&f] { f.SetText(FirstElementText(Browser::Browser_Height)); };
        });
    AddControl<UI_Label>(this, [](UI_Label& l) {
        PlaceKitLabel(l, "StaticText9", {177, 43, 64, 31}, 11, "Height:");
    });
    m_widthField = &AddControl<UI_TextField>(
        this,
        [](UI_TextField& f) {
            Place(f, "Browser_width_Editfield", {90, 43, 65, 31}, 12);
            f.Alignment = 2;
            f.SetEnabled(false);
        },
        [](UI_TextField& f) {
            f.Open = [&f] { f.SetText(FirstElementText(Browser::Browser_Width)); };
        });
    AddControl<UI_Label>(this, [](UI_Label& l) {
        PlaceKitLabel(l, "StaticText8", {20, 43, 64, 31}, 13, "Width:");
    });
    m_background = &AddControl<UI_Checkbox>(
        this,
        [](UI_Checkbox& b) {
            PlaceToggle(b, "Browser_Background_Checkbox", {20, 86, 225, 20}, 14,
                        "Browser background");
        },
        [this](UI_Checkbox& b) {
            b.Open = [&b] { b.SetValue(Browser::Browser_Change); };
            b.Action = [this, &b] {
                if (b.Value())
                    return;
                Browser::Browser_Change = false;
                m_colorRadio->SetValue(false);
                m_pictureRadio->SetValue(false);
            };
            b.Close = [&b] { Browser::Browser_Change = b.Value(); };
        });
    const auto radio = [this](UI_RadioButton& r, bool& option) {
        r.Open = [&r, &option] { r.SetValue(option); };
        r.Action = [this] { m_background->SetValue(true); };
        r.Close = [&r, &option] { option = r.Value(); };
    };
    m_pictureRadio = &AddControl<UI_RadioButton>(
        this,
        [](UI_RadioButton& r) {
            PlaceToggle(r, "Picture_Radio", {20, 161, 190, 31}, 15, "Use a picture");
        },
        [&radio](UI_RadioButton& r) { radio(r, Browser::Browser_Picture_Change); });
    m_colorRadio = &AddControl<UI_RadioButton>(
        this,
        [](UI_RadioButton& r) {
            PlaceToggle(r, "Color_radio", {20, 118, 100, 31}, 16, "Use a color");
        },
        [&radio](UI_RadioButton& r) { radio(r, Browser::Browser_Color_change); });
    m_picker1 = &AddControl<UI_ColorPicker>(
        this,
        [](UI_ColorPicker& p) {
            Place(p, "UI_ColorPicker1", {141, 118, 123, 31}, 17);
        },
        [this](UI_ColorPicker& p) {
            p.Open = [&p] { p.SetMyColor(Browser::Browser_Color); };
            p.ColorChange = [this](platform::Color c) {
                Browser::Browser_Color = c;
                m_background->SetValue(true);
            };
        });
    m_force = &AddControl<UI_Checkbox>(
        this,
        [](UI_Checkbox& b) {
            PlaceToggle(b, "CheckBox1", {268, 118, 63, 31}, 18, "Force");
            b.SetHelpTag(kForceHelp);
        },
        [](UI_Checkbox& b) {
            b.Open = [&b] { b.SetValue(Browser::B_Force_Color); };
            b.Close = [&b] { Browser::B_Force_Color = b.Value(); };
        });
    m_pictureButton = &AddControl<UI_Button>(
        this,
        [](UI_Button& b) {
            Place(b, "Browser_Picture_Button", {251, 204, 49, 29}, 19);
            b.SetCaption("...");
        },
        [this](UI_Button& b) {
            b.Open = [&b] {
                b.SetWidth(32);
                b.SetLeft(b.Left() - 3);
            };
            b.Action = [this] {
                platform::FileDialogSpec spec;
                spec.filter = FileTypes1::bmp().Filter();
                spec.filterName = FileTypes1::bmp().Name;
                spec.offerAllFiles = true;
                const auto chosen = platform::CurrentDialogs().GetOpenFile(spec);
                if (!chosen)
                    return;
                m_pictureField->SetText(*chosen);
                m_background->SetValue(true);
            };
        });
    m_pictureField = &AddControl<UI_TextField>(
        this,
        [](UI_TextField& f) {
            Place(f, "Browser_Picture_EditField", {20, 204, 218, 31}, 20);
        },
        [](UI_TextField& f) {
            f.Open = [&f] { f.SetText(Browser::B_Background_Picture); };
            f.Close = [&f] { Browser::B_Background_Picture = f.Text(); };
        });
    m_grid = &AddControl<platform::Canvas>(
        this,
        [](platform::Canvas& c) {
            Place(c, "Browser_Picture_Position_Canvas", {182, 270, 77, 77}, 21);
        },
        [this](platform::Canvas& c) {
            c.Paint = [this](platform::Graphics& g) { PaintGrid(g); };
            c.MouseDown = [&c](int x, int y) {
                Browser::B_Picture_Position = optionrules::GridCellAt(x, y);
                c.Refresh(false);
                return false;
            };
        });
    AddControl<UI_Label>(this, [](UI_Label& l) {
        PlaceKitLabel(l, "StaticText1", {20, 327, 146, 20}, 22, "Picture Position:");
        l.TextAlign = 2;
    });
    m_transparent = &AddControl<UI_Checkbox>(this, [](UI_Checkbox& b) {
        PlaceToggle(b, "Transparent_White_Checkbox", {20, 296, 144, 20}, 23, "Transparent White");
        b.SetEnabled(false);
    });
    const auto exclusive = [](UI_Checkbox& b, bool& option, UI_Checkbox* const& partner) {
        b.Open = [&b, &option] { b.SetValue(option); };
        b.Action = [&b, &partner] {
            if (b.Value())
                partner->SetValue(false);
        };
        b.Close = [&b, &option] { option = b.Value(); };
    };
    m_tile = &AddControl<UI_Checkbox>(
        this,
        [](UI_Checkbox& b) {
            PlaceToggle(b, "tile_picture_checkbox", {20, 267, 144, 20}, 24, "Tile picture");
        },
        [this, &exclusive](UI_Checkbox& b) { exclusive(b, Browser::B_Tile_Picture, m_adapt); });
    m_adapt = &AddControl<UI_Checkbox>(
        this,
        [](UI_Checkbox& b) {
            PlaceToggle(b, "Adapt_picture_checkbox", {20, 238, 146, 20}, 25, "Adapt picture");
        },
        [this, &exclusive](UI_Checkbox& b) { exclusive(b, Browser::B_Adapt_Picture, m_tile); });
}

void Browser_Options_Window::AddTextControls() {
    m_textOptions = &AddControl<UI_Checkbox>(
        this,
        [](UI_Checkbox& b) {
            PlaceToggle(b, "Browser_Options_Checkbox", {380, 86, 225, 20}, 26,
                        "Browser Text Options");
        },
        // Closes before the size field, whose close step may turn the text options on again.
        [](UI_Checkbox& b) { b.Close = [&b] { Browser::Browser_XML_Change = b.Value(); }; });
    AddControl<UI_Label>(this, [](UI_Label& l) {
        PlaceKitLabel(l, "StaticText5", {380, 204, 117, 31}, 27, "Stripes color");
    });
    AddControl<UI_Label>(this, [](UI_Label& l) {
        PlaceKitLabel(l, "StaticText4", {380, 161, 117, 31}, 28, "Selected color");
    });
    AddControl<UI_Label>(this, [](UI_Label& l) {
        PlaceKitLabel(l, "StaticText3", {380, 118, 117, 31}, 29, "Text color");
    });
    const auto textPicker = [this](UI_ColorPicker& p, platform::Color& option) {
        p.Open = [&p, &option] { p.SetMyColor(option); };
        p.ColorChange = [this, &option](platform::Color c) {
            option = c;
            m_textOptions->SetValue(true);
        };
    };
    m_picker2 = &AddControl<UI_ColorPicker>(
        this,
        [](UI_ColorPicker& p) {
            Place(p, "UI_ColorPicker2", {509, 118, 123, 31}, 30);
        },
        [&textPicker](UI_ColorPicker& p) { textPicker(p, Browser::B_Text_Color); });
    m_picker3 = &AddControl<UI_ColorPicker>(
        this,
        [](UI_ColorPicker& p) {
            Place(p, "UI_ColorPicker3", {509, 161, 123, 31}, 31);
        },
        [&textPicker](UI_ColorPicker& p) { textPicker(p, Browser::B_Selected_Color); });
    m_picker4 = &AddControl<UI_ColorPicker>(
        this,
        [](UI_ColorPicker& p) {
            Place(p, "UI_ColorPicker4", {509, 204, 123, 31}, 32);
        },
        [&textPicker](UI_ColorPicker& p) { textPicker(p, Browser::B_Stripes_Color); });
    m_fonts = &AddControl<platform::ComboBox>(
        this,
        [](platform::ComboBox& c) {
            Place(c, "FontMenu_ComboBox", {509, 293, 117, 20}, 33);
            c.SetVisible(false);
            c.SetEnabled(false);
        },
        [this](platform::ComboBox& c) {
            c.Open = [&c] {
                std::vector<std::string> names;
                for (const QString& family : QFontDatabase::families()) {
                    const std::string name = family.toStdString();
                    if (platform::Left(name, 1) != "@")
                        names.push_back(name);
                }
                std::sort(names.begin(), names.end());
                for (const auto& name : names)
                    c.AddRow(name);
                c.SetText(Browser::B_Text_Font);
            };
            c.Change = [this, &c] {
                m_textOptions->SetValue(true);
                m_fontLabel->SetTextFont(c.Text());
                Browser::B_Text_Font = c.Text();
            };
            c.TextChanged = [&c] { Browser::B_Text_Font = c.Text(); };
            c.KeyDown = [this](const std::string&) {
                m_textOptions->SetValue(true);
                return false;
            };
            c.Close = [&c] { Browser::B_Text_Font = c.Text(); };
        });
    m_fontLabel = &AddControl<platform::Label>(this, [](platform::Label& l) {
        Place(l, "StaticText7", {392, 294, 80, 20}, 34);
        l.SetText("Text font");
        l.SetVisible(false);
        l.SetEnabled(false);
    });
    m_size = &AddControl<UI_TextField>(
        this,
        [](UI_TextField& f) {
            Place(f, "B_text_size_editfield", {509, 247, 45, 31}, 36);
            f.Alignment = 2;
        },
        [this](UI_TextField& f) {
            f.Open = [&f] {
                f.SetText(platform::Str(static_cast<long long>(Browser::B_Text_Size)));
            };
            f.KeyDown = [this](const std::string&) {
                // Every key counts, whether or not it changes the text.
                m_textOptions->SetValue(true);
                return false;
            };
            f.Close = [&f] {
                const auto store = optionrules::TextSizeOnClose(f.Text(), Browser::B_Text_Size);
                if (!store.changed)
                    return;
                Browser::B_Text_Size = store.size;
                Browser::Browser_XML_Change = true;
            };
        });
    AddControl<UI_Label>(this, [](UI_Label& l) {
        PlaceKitLabel(l, "StaticText6", {380, 247, 117, 31}, 37, "Text size");
    });
}

void Browser_Options_Window::Event_Open() {
    Position_Picture = platform::Picture::New(m_grid->Width(), m_grid->Height());
    if (!platform::TextEquals(INI_Read_Write::Lang, "English"))
        m_apply->SetCaption(Language::Lng("Apply"));
    Variables::fixWidth(*m_apply, true, 200, 80);
    platform::Window::Event_Open();
}

bool Browser_Options_Window::Event_CancelClose(bool appQuitting) {
    if (optionrules::TextSizeAccepted(m_size->Text()))
        return platform::Window::Event_CancelClose(appQuitting);
    platform::MsgBox(Language::Messages[8]);
    m_size->SetFocus();
    m_size->SelectAll();
    return true;
}

void Browser_Options_Window::PaintGrid(platform::Graphics& g) {
    if (!Position_Picture)
        return;
    platform::Graphics& p = Position_Picture->Graphics();
    p.ForeColor = BackColor();
    p.FillRect(0, 0, Position_Picture->Width(), Position_Picture->Height());
    std::int32_t cell = 1;
    for (const int y : optionrules::kGridSquareEdges) {
        for (const int x : optionrules::kGridSquareEdges) {
            p.ForeColor = cell == Browser::B_Picture_Position ? optionrules::kGridHighlight
                                                              : platform::RGB(255, 255, 255);
            p.FillRect(x, y, optionrules::kGridSquareSize, optionrules::kGridSquareSize);
            ++cell;
        }
    }
    p.ForeColor = platform::RGB(0, 0, 0);
    for (const int y : optionrules::kGridFrameEdges) {
        for (const int x : optionrules::kGridFrameEdges)
            p.DrawRect(x, y, optionrules::kGridFrameSize, optionrules::kGridFrameSize);
    }
    g.DrawPicture(*Position_Picture, 0, 0);
}
