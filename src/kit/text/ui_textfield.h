#pragma once

#include "kit/text/text_edit.h"
#include "platform/color.h"
#include "platform/event.h"
#include "platform/picture.h"
#include "platform/timer.h"
#include "platform/widgets/canvas.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

/// The look of a text field.
struct UI_TextFieldStyle {
    platform::Color BorderColor;
    std::uint8_t BorderWidth = 0;
    platform::Color ShadowColor;
    /// Stored only; the drawing does not read it.
    std::uint8_t ShadowTransparency = 0;
    std::uint8_t FillKind = 0;
    std::uint8_t FillTexture = 0;
    platform::Color FillColor1;
    platform::Color FillColor2;
    std::uint8_t InnerShade = 0;
    std::uint8_t CornerRadius = 0;
    std::uint8_t TextMargin = 0;
    platform::Color CueTextColor;
    std::uint8_t FocusRingWidth = 0;
    platform::Color FocusColor1;
    platform::Color FocusColor2;
    platform::Color TextColor;
};

/// The kit's single-line text entry. It draws its frame, inner shade, focus ring, icon, text,
/// selection and placeholder into a cached picture that is rebuilt only when its area changes
/// or an edit asks for it; the blinking caret is drawn over that picture.
///
/// The window sees every key and click first (KeyDown, MouseDown; true consumes them). Edits
/// and caret keys raise TextChange, and so does every assignment of Text, also of the text the
/// field holds; Return, Enter and a click on the icon raise Action. Keys typed with Control
/// or Command are left to the window and the menu bar: the field has no shortcuts.
class UI_TextField : public platform::Canvas {
public:
    using Style = UI_TextFieldStyle;

    explicit UI_TextField(QWidget* parent = nullptr);
    ~UI_TextField() override;

    Style MyStyle;
    platform::Color Backcolor{0, 0, 0};
    bool HasBackcolor = false;
    std::string TextFont;
    float TextSize = 0;
    std::int32_t TextUnit = 0;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    platform::PicturePtr Icon;
    std::string CueText;
    bool IconRight = false;
    /// 2 centre, 3 right, any other value left.
    std::int32_t Alignment = 0;
    bool ReadOnly = false;
    /// Drawn and measured as one "•" per character; the keys edit the real text.
    bool Password = false;

    std::string Text() const { return m_edit.Text(); }
    /// Stores the text, puts the caret at its end, repaints and raises TextChange, every time.
    void SetText(std::string_view text);
    std::int32_t SelStart() const noexcept { return m_edit.SelStart(); }
    /// Clamped to the text; no repaint, no event.
    void SetSelStart(std::int32_t v);
    std::int32_t SelLength() const noexcept { return m_edit.SelLength(); }
    void SetSelLength(std::int32_t v);
    platform::Color TextColor() const noexcept { return MyStyle.TextColor; }
    /// Shows at the next re-render; no repaint.
    void SetTextColor(platform::Color c) noexcept { MyStyle.TextColor = c; }

    /// Selects the whole text; the next paint shows it.
    virtual void SelectAll();
    /// The caret position for a click at x (control coordinates); y is not used.
    virtual std::int32_t CharPosAtXY(std::int32_t x, std::int32_t y);

    /// The field's own events (KeyDown, MouseDown, GotFocus, LostFocus and Open are the
    /// canvas's, raised by the field itself).
    platform::Event<void()> Action;
    platform::Event<void()> TextChange;

    /// For tests: whether the caret shows at the next paint, and the blink timer.
    bool CaretShown() const noexcept { return m_showCaret; }
    const platform::Timer* BlinkTimer() const noexcept { return RefreshTimer.get(); }

protected:
    void Event_Open() override;
    void Event_Paint(platform::Graphics& g) override;
    bool Event_MouseDown(int x, int y) override;
    void Event_MouseDrag(int x, int y) override;
    void Event_MouseMove(int x, int y) override;
    bool Event_KeyDown(const std::string& key) override;
    void Event_GotFocus() override;
    void Event_LostFocus() override;
    void Event_DoubleClick(int, int) override {}

    /// The field's Open, Action and TextChange as its class answers them: by default they
    /// reach the window; the colour picker keeps them for itself.
    virtual void Event_FieldOpen() { Open.Raise(); }
    virtual void Event_Action() { Action.Raise(); }
    virtual void Event_TextChange() { TextChange.Raise(); }

    void DrawBackground(platform::Graphics& g);
    platform::Color GetWindowColor() const;
    void DrawTexture(platform::Graphics& g, std::int32_t index);
    static std::u32string Repeat(const std::u32string& s, std::int32_t n);
    static platform::Color InvertColor(platform::Color c);

    /// Whether the field is the focused control of its window.
    bool IsFocused() const;

    bool FullRefresh = false;
    platform::PicturePtr Buffer;
    std::int32_t LastSize = 0;
    std::int32_t StartX = 0;
    std::unique_ptr<platform::Timer> RefreshTimer;

private:
    std::u32string Shown() const;
    bool InIconZone(int x) const;
    void RenderBuffer();
    void TimerAction();
    void SetTextFontOn(platform::Graphics& g, bool withStyle) const;

    kit::TextEdit m_edit;
    float m_delta = 0;
    std::int32_t m_caretPos = 0;
    std::int32_t m_drawX = 0;
    std::int32_t m_lastX = 0;
    bool m_showCaret = false;
    platform::PicturePtr m_shadow;
};
