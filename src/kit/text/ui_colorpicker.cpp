#include "kit/text/ui_colorpicker.h"

#include "app/language.h"
#include "engine/xml/browser_text.h"
#include "kit/text/step_layout.h"
#include "platform/dialogs.h"
#include "platform/graphics.h"

UI_ColorPicker::UI_ColorPicker(QWidget* parent)
    : UI_TextField(parent) {
}

void UI_ColorPicker::SetMyColor(platform::Color c) {
    m_myColor = c;
    SetText(Variables::FormatColor(m_myColor));
    DrawIcon();
}

void UI_ColorPicker::Event_FieldOpen() {
    // The stored layouts give every picker a design-time backdrop that must never show.
    Backdrop = nullptr;
    IconRight = true;
    Open.Raise();
}

void UI_ColorPicker::Event_Action() {
    const std::optional<platform::Color> chosen =
        platform::CurrentDialogs().SelectColor(Language::Lng("Select a Color"), m_myColor);
    if (!chosen)
        return;
    SetMyColor(*chosen);
    SetText(Variables::FormatColor(*chosen));
    ColorChange.Raise(*chosen);
}

void UI_ColorPicker::Event_TextChange() {
    const std::string text = Text();
    if (!text.empty() && text[0] == '#')
        SetText(text.substr(1));  // runs this handler again, nested, until no "#" leads
    // Text that is not six hexadecimal digits keeps the colour it had: the window stores the
    // colour when the field loses the focus, and a half-typed text must not become black.
    if (const auto c = kit::ParseColorDigits(Text()))
        m_myColor = *c;
    DrawIcon();
}

void UI_ColorPicker::DrawIcon() {
    const int h = Height();
    if (h <= 10)
        return;
    const int s = h - 10;
    platform::PicturePtr swatch = platform::Picture::New(s, s);
    platform::Graphics& g = swatch->Graphics();
    if (s > 2) {
        g.ForeColor = platform::RGB(0, 0, 0);
        g.FillRect(1, 1, s - 2, s - 2);
    }
    if (s > 4) {
        g.ForeColor = m_myColor;
        g.FillRect(2, 2, s - 4, s - 4);
    }
    Icon = swatch;
    FullRefresh = true;
    Refresh(false);
}
