#pragma once

#include "platform/color.h"
#include "platform/event.h"
#include "platform/picture.h"
#include "platform/widgets/canvas.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// The look of a step bar.
struct UI_BreadcrumbsStyle {
    std::uint8_t CornerRadius = 0;
    platform::Color BorderColor;
    std::uint8_t BorderWidth = 0;
    /// Stored only; the drawing does not read them.
    std::uint8_t HasShadow = 0;
    platform::Color ShadowColor;
    std::uint8_t ShadowTransparency = 0;
    std::uint8_t FillKind = 0;
    std::uint8_t FillTexture = 0;
    platform::Color FillColor1;
    platform::Color FillColor2;
    /// 0: the steps share the width equally (the only mode the tool uses).
    std::uint8_t FitToText = 0;
    std::uint8_t TextPadding = 0;
    std::uint8_t ChevronDepth = 0;
    std::string TextFont;
    float TextSize = 0;
    std::uint8_t TextBold = 0;
    std::uint8_t TextItalic = 0;
    std::uint8_t TextUnderline = 0;
    platform::Color TextColor;
    std::string TextSelFont;
    float TextSelSize = 0;
    std::uint8_t TextSelBold = 0;
    std::uint8_t TextSelItalic = 0;
    std::uint8_t TextSelUnderline = 0;
    platform::Color TextSelColor;
    std::uint8_t HasTextShadow = 0;
    platform::Color TextShadowColor;
    std::int8_t TextShadowDY = 0;
    std::int8_t TextSelShadowDY = 0;
    std::uint8_t SelFillKind = 0;
    std::uint8_t SelFillTexture = 0;
    platform::Color SelFillColor1;
    platform::Color SelFillColor2;
    std::uint8_t InnerShade = 0;
};

/// The wizard's step bar: a row of chevron steps, one per caption of Tabs, the one at Value
/// drawn as selected. A click on another step or the left and right arrow keys select a step;
/// every assignment of Value repaints and raises Action, also of the step already selected.
class UI_Breadcrumbs : public platform::Canvas {
public:
    using Style = UI_BreadcrumbsStyle;

    explicit UI_Breadcrumbs(QWidget* parent = nullptr);

    platform::Color BackColor{0, 0, 0};
    bool HasBackColor = false;
    /// The captions, read at every paint; changing them does not repaint.
    std::vector<std::string> Tabs;
    Style MyStyle;

    /// The captions as one text, one per line, any line ending; no repaint, Value kept.
    void SetTabDefinition(std::string_view text);
    std::int32_t Value() const noexcept { return m_value; }
    /// Clamps to the steps, stores, repaints and raises Action(index, caption); with no steps
    /// the caption is empty.
    void SetValue(std::int64_t v);

    /// Each step's width as the last paint laid it out.
    const std::vector<std::int32_t>& Widths() const noexcept { return m_widths; }

    platform::Event<void(std::int32_t index, const std::string& caption)> Action;

protected:
    void Event_Open() override;
    void Event_Paint(platform::Graphics& g) override;
    bool Event_MouseDown(int x, int y) override;
    bool Event_KeyDown(const std::string& key) override;
    void Event_MouseMove(int, int) override {}
    void Event_MouseExit() override {}

    void DrawBackground(platform::Graphics& g);
    platform::Color GetWindowColor() const;
    /// Fill kind 4, greyed while this control or its parent control is disabled.
    void DrawTexture(platform::Graphics& g, std::int32_t index);

private:
    std::int32_t TabFromXY(std::int32_t x, std::int32_t y) const;
    platform::PicturePtr StepPicture(std::int32_t i, std::int32_t n, std::int32_t w, std::int32_t h,
                                     const platform::Picture& outer,
                                     const platform::Picture& inner);

    std::int32_t m_value = 0;
    std::vector<std::int32_t> m_widths;
};
