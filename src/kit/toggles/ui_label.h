#pragma once

#include "kit/toggles/label_paint.h"
#include "platform/event.h"
#include "platform/widgets/canvas.h"

#include <cstdint>
#include <string>

/// The kit's static text: painted over the window's colour and backdrop (or its own
/// background colour), aligned both ways, wrapped at the width on request, with an optional
/// drop shadow, and scrolled up in steps of 5 pixels. Each paint that measures a new text
/// height tells the window, through `ChangeScroll`, how many steps the text can scroll.
class UI_Label : public platform::Canvas {
public:
    using Style = kit::LabelStyle;

    explicit UI_Label(QWidget* parent = nullptr);

    bool HasBackcolor = false;
    platform::Color Backcolor{0, 0, 0};

    /// Setting stores and repaints, also an unchanged text. `Caption` is the same value.
    std::string Text() const { return m_text; }
    void SetText(const std::string& text);
    std::string Caption() const { return Text(); }
    void SetCaption(const std::string& text) { SetText(text); }

    /// Plain fields: they take effect at the next paint.
    std::int32_t TextAlign = 0;
    Style MyStyle;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    std::string TextFont;
    float TextSize = 0;
    int TextUnit = 0;
    bool Multiline = false;
    std::int32_t VerticalAlign = 1;

    /// Steps of 5 pixels by which the text is drawn higher; setting repaints.
    std::int32_t ScrollPosition() const noexcept { return m_scrollPosition; }
    void SetScrollPosition(std::int32_t position);
    platform::Color TextColor() const noexcept { return m_textColor; }
    void SetTextColor(platform::Color color);

    /// Raised by a paint whose measured text height differs from the previous paint's, with
    /// the number of 5-pixel steps the text can scroll.
    platform::Event<void(std::int32_t steps)> ChangeScroll;

protected:
    void Event_Open() override;
    void Event_Paint(platform::Graphics& g) override;
    void Event_DoubleClick(int, int) override {}

    void DrawBackground(platform::Graphics& g);
    platform::Color GetWindowColor() const;

private:
    std::string m_text;
    platform::Color m_textColor{0, 0, 0};
    std::int32_t m_scrollPosition = 0;
    int m_lastHeight = 0;
};
