#pragma once

#include "platform/color.h"
#include "platform/event.h"
#include "platform/widgets/control.h"

#include <QLineEdit>

#include <string>

namespace platform {

/// The framework's one-line text field (the platform's own, not the kit's drawn one).
///
/// TextChange is raised whenever the text really changes, typed or assigned; assigning the
/// text it already holds raises nothing. KeyDown is offered every key first (the framework's
/// one-character codes) and true consumes it. Tab is never taken as text: it moves the focus.
/// Selection positions count characters from 0.
class TextField : public QLineEdit, public Control {
public:
    explicit TextField(QWidget* parent = nullptr);
    ~TextField() override;

    std::string Text() const;
    /// Replaces the text and puts the caret at its end.
    void SetText(const std::string& text);

    /// The most characters the field holds; 0 means no limit. A limit cuts a longer text.
    int LimitText() const noexcept { return m_limit; }
    void SetLimitText(int characters);

    /// 0 (default) and 1 left, 2 centred, 3 right.
    int Alignment() const noexcept { return m_alignment; }
    void SetAlignment(int alignment);

    int SelStart() const;
    void SetSelStart(int start);
    int SelLength() const;
    void SetSelLength(int length);
    std::string SelText() const;
    /// Replaces the selection (or inserts at the caret) with `text`.
    void SetSelText(const std::string& text);
    void SelectAll();

    bool ReadOnly() const { return isReadOnly(); }
    void SetReadOnly(bool readOnly) { setReadOnly(readOnly); }
    bool Border() const { return hasFrame(); }
    void SetBorder(bool border) { setFrame(border); }

    Color TextColor() const noexcept { return m_textColor; }
    void SetTextColor(Color color);
    Color BackColor() const noexcept { return m_backColor; }
    void SetBackColor(Color color);
    /// "System", "Arial" and "" mean Liberation Sans.
    std::string TextFont() const { return m_textFont; }
    void SetTextFont(const std::string& name);
    /// Pixels; 0 means 12 px.
    double TextSize() const noexcept { return m_textSize; }
    void SetTextSize(double pixels);
    bool Bold() const noexcept { return m_bold; }
    void SetBold(bool bold);

    /// The window's handlers.
    Event<void()> TextChange;
    Event<bool(const std::string& key)> KeyDown;
    Event<void()> GotFocus;
    Event<void()> LostFocus;

protected:
    virtual void Event_TextChange() { TextChange.Raise(); }
    virtual bool Event_KeyDown(const std::string& key) { return KeyDown.Raise(key); }
    virtual void Event_GotFocus() { GotFocus.Raise(); }
    virtual void Event_LostFocus() { LostFocus.Raise(); }

    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void ApplyFont();
    void ApplyColors();

    int m_limit = 0;
    int m_alignment = 0;
    Color m_textColor{0, 0, 0};
    Color m_backColor{255, 255, 255};
    std::string m_textFont = "System";
    double m_textSize = 0;
    bool m_bold = false;
    bool m_assigning = false;  // inside our own setter: the setter raises TextChange itself
};

}  // namespace platform
