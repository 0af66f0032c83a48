#pragma once

#include "platform/color.h"
#include "platform/event.h"
#include "platform/widgets/control.h"

#include <QLabel>

#include <string>

namespace platform {

/// The framework's plain text label (not the kit's drawn one): a line or block of text in one
/// font and colour, transparent over its window by default.
///
/// Mouse: MouseDown(x, y) (label coordinates) returns whether the press is taken; a taken press
/// gets MouseDrag and MouseUp, while a press that is not taken goes on to the label's container
/// and window, as the platform passes on a click that a control does not handle. Without a
/// button the pointer gives MouseEnter and MouseExit. Its pointer shape is the control's
/// MouseCursor.
class Label : public QLabel, public Control {
public:
    explicit Label(QWidget* parent = nullptr);
    ~Label() override;

    std::string Text() const { return m_text; }
    /// Line ends of any convention (CR, LF, CR LF) break lines when the label is multi-line.
    void SetText(const std::string& text);
    /// Another name of the text.
    std::string Caption() const { return Text(); }
    void SetCaption(const std::string& text) { SetText(text); }

    Color TextColor() const noexcept { return m_textColor; }
    void SetTextColor(Color color);
    /// "System", "Arial" and "" mean Liberation Sans.
    std::string TextFont() const { return m_textFont; }
    void SetTextFont(const std::string& name);
    /// Pixels; 0 means 12 px.
    double TextSize() const noexcept { return m_textSize; }
    void SetTextSize(double pixels);
    /// Kept for layouts that set it; sizes are always pixels.
    int TextUnit = 0;
    bool Bold() const noexcept { return m_bold; }
    void SetBold(bool bold);
    bool Italic() const noexcept { return m_italic; }
    void SetItalic(bool italic);
    bool Underline() const noexcept { return m_underline; }
    void SetUnderline(bool underline);

    /// 0 (and the framework's default, which is also 0) left, 1 centred, 2 right.
    int TextAlign() const noexcept { return m_textAlign; }
    void SetTextAlign(int align);
    /// Whether the text wraps at the label's width and breaks at line ends.
    bool Multiline() const noexcept { return m_multiline; }
    void SetMultiline(bool multiline);
    /// False fills the label's area with its window's back colour behind the text.
    bool Transparent() const noexcept { return m_transparent; }
    void SetTransparent(bool transparent);
    /// Whether the user may select the text with the mouse.
    bool Selectable() const noexcept { return m_selectable; }
    void SetSelectable(bool selectable);

    /// The window's handlers.
    Event<bool(int x, int y)> MouseDown;
    Event<void(int x, int y)> MouseDrag;
    Event<void(int x, int y)> MouseUp;
    Event<void()> MouseEnter;
    Event<void()> MouseExit;

protected:
    virtual bool Event_MouseDown(int x, int y) { return MouseDown.Raise(x, y); }
    virtual void Event_MouseDrag(int x, int y) { MouseDrag.Raise(x, y); }
    virtual void Event_MouseUp(int x, int y) { MouseUp.Raise(x, y); }
    virtual void Event_MouseEnter() { MouseEnter.Raise(); }
    virtual void Event_MouseExit() { MouseExit.Raise(); }

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void ApplyText();
    void ApplyFont();
    void ApplyAlignment();
    void ApplyColors();

    std::string m_text;
    Color m_textColor{0, 0, 0};
    std::string m_textFont = "System";
    double m_textSize = 0;
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
    int m_textAlign = 0;
    bool m_multiline = false;
    bool m_transparent = true;
    bool m_selectable = false;
    bool m_pressTaken = false;
};

}  // namespace platform
