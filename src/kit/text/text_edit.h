#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

/// The editing model of the kit's single-line text field, free of widgets: the text, the
/// caret and selection, what a key does to them, the hit test and the horizontal placement of
/// the text. Positions are boundaries between characters (code points), counted from 0.
namespace kit {

/// The text as code points; invalid UTF-8 bytes become U+FFFD.
std::u32string ToChars(std::string_view utf8);
std::string ToUtf8(const std::u32string& chars);
/// The first `n` characters; empty when n ≤ 0, all when n is past the end.
std::u32string FirstChars(const std::u32string& s, std::int64_t n);
/// What follows the first `p` characters; all when p ≤ 0, empty when p is past the end.
std::u32string CharsFrom(const std::u32string& s, std::int64_t p);
/// `s` written `n` times in a row; empty for n ≤ 0.
std::u32string RepeatChars(const std::u32string& s, std::int32_t n);

/// What a key did: consumed or passed on to the window, whether it ends as a change
/// (re-render, repaint, TextChange), and whether it asks for Action.
struct KeyOutcome {
    bool consumed = false;
    bool changed = false;
    bool action = false;
    friend bool operator==(const KeyOutcome&, const KeyOutcome&) = default;
};

/// Text, caret and selection. SelStart is the caret, or the selection's start; the selection
/// runs SelLength characters from there. The setters clamp: 0 ≤ SelStart ≤ length, and
/// 0 ≤ SelLength ≤ length − SelStart at the moment it is set.
class TextEdit {
public:
    const std::u32string& Chars() const noexcept { return m_text; }
    std::string Text() const { return ToUtf8(m_text); }
    std::int32_t Length() const noexcept { return static_cast<std::int32_t>(m_text.size()); }

    /// Replaces the text, puts the caret at its end and selects nothing.
    void SetText(std::string_view utf8);

    std::int32_t SelStart() const noexcept { return m_selStart; }
    std::int32_t SelLength() const noexcept { return m_selLength; }
    void SetSelStart(std::int64_t v) noexcept;
    void SetSelLength(std::int64_t v) noexcept;

    /// Which end of a selection Shift with an arrow or a drag moves: true the right end.
    bool SelectionToRight = false;

    /// Applies a key text (the framework's one-character codes, or typed text). `shift` is
    /// read by the arrows, `controlOrCommand` by the keys that reach the typing rows.
    /// A read-only field ignores the editing keys but still moves the caret.
    /// An empty key text is not consumed and changes nothing.
    KeyOutcome Key(std::string_view key, bool shift, bool controlOrCommand, bool readOnly);

    /// A click in the text at position `p`: a caret there, the moving end on the left.
    void Click(std::int64_t p) noexcept;
    /// A drag to position `p`; false when it changed nothing at all.
    bool Drag(std::int64_t p) noexcept;
    /// Selects the whole text (start 0, length the text's length).
    void SelectAll() noexcept;

private:
    void Arrow(bool right, bool shift) noexcept;
    void Edit(std::int32_t kind, const std::u32string& typed);
    void MoveEndTo(std::int64_t p, std::int32_t start, std::int32_t length) noexcept;

    std::u32string m_text;
    std::int32_t m_selStart = 0;
    std::int32_t m_selLength = 0;
};

/// Width of a text in pixels, with fraction, in the field's font.
using TextWidth = std::function<double(const std::u32string&)>;

/// The position for a click `x` pixels from the left of the displayed text's unscrolled
/// origin (the text area's left plus the alignment offset). `delta` is the horizontal scroll
/// (0 or negative), `shown` the displayed text (bullets for a password).
/// Up to one pixel short of a character's middle the caret goes before it, from there on
/// after it; while the text is not scrolled the first character has no such bias, a click
/// right of the text gives its length and one left of half the first character gives 0.
std::int32_t CharPosAtX(std::int32_t x, float delta, const std::u32string& shown,
                        const TextWidth& width);

/// Where the text stands in a text area `areaWidth` pixels wide.
struct TextPlacement {
    /// Width of the displayed text left of the caret, truncated.
    std::int32_t caretPos = 0;
    /// Horizontal scroll, 0 or negative; kept from the previous placement in one case.
    float delta = 0;
    /// Offset that realises the alignment (2 centre, 3 right, other left).
    std::int32_t drawX = 0;
};
/// Scrolls so that the caret stays inside the area: a caret beyond the right edge scrolls the
/// text left to put the caret at the edge; once the caret is inside again the text returns
/// to its start (aligned only from the next placement on); a caret exactly at the edge keeps
/// the previous scroll.
TextPlacement PlaceText(std::int32_t areaWidth, double caretWidth, double textWidth,
                        float previousDelta, std::int32_t alignment);

}  // namespace kit
