#include "kit/toggles/ui_label.h"

#include "kit/base/control_drawing.h"
#include "kit/toggles/toggle_layout.h"
#include "platform/graphics.h"

UI_Label::UI_Label(QWidget* parent)
    : platform::Canvas(parent) {
}

void UI_Label::SetText(const std::string& text) {
    m_text = text;
    Refresh(false);
}

void UI_Label::SetScrollPosition(std::int32_t position) {
    m_scrollPosition = position;
    Refresh(false);
}

void UI_Label::SetTextColor(platform::Color color) {
    m_textColor = color;
    Refresh(false);
}

void UI_Label::Event_Open() {
    EraseBackground = false;
    UseFocusRing = false;
    SetTextColor(platform::RGB(0xFF, 0xFF, 0xFF));
    MyStyle.TextShadowDY = 1;
    MyStyle.TextShadowColor = kit::kTextShadowColor;
    platform::Canvas::Event_Open();
}

void UI_Label::Event_Paint(platform::Graphics& g) {
    kit::LabelFace face;
    face.width = Width();
    face.height = Height();
    face.text = m_text;
    face.textAlign = TextAlign;
    face.verticalAlign = VerticalAlign;
    face.multiline = Multiline;
    face.bold = Bold;
    face.italic = Italic;
    face.underline = Underline;
    face.textFont = TextFont;
    face.textSize = TextSize;
    face.textUnit = TextUnit;
    face.textColor = m_textColor;
    face.scrollPosition = m_scrollPosition;
    face.style = MyStyle;
    face.backdrop = kit::BackdropOf(*this, HasBackcolor, Backcolor);
    const platform::PicturePtr picture = kit::ComposeLabel(face, [&](int h, int ascent) {
        if (h == m_lastHeight)
            return;
        m_lastHeight = h;
        ChangeScroll.Raise(kit::LabelScrollSteps(h, ascent, face.height));
        // The window's handler may have moved the text already.
        face.scrollPosition = m_scrollPosition;
    });
    if (picture)
        g.DrawPicture(*picture, 0, 0);
}

void UI_Label::DrawBackground(platform::Graphics& g) {
    kit::DrawControlBackground(g, kit::BackdropOf(*this, HasBackcolor, Backcolor));
}

platform::Color UI_Label::GetWindowColor() const {
    return kit::WindowColorOf(*this);
}
