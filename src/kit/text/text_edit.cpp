#include "kit/text/text_edit.h"

#include "platform/keys.h"

#include <QString>

#include <algorithm>
#include <cmath>

namespace kit {
namespace {

constexpr std::int32_t kBackspace = 0;
constexpr std::int32_t kForwardDelete = 1;
constexpr std::int32_t kTyping = 2;

std::int32_t Clamp(std::int64_t v, std::int64_t low, std::int64_t high) noexcept {
    return static_cast<std::int32_t>(std::max(low, std::min(v, high)));
}

}  // namespace

std::u32string ToChars(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toStdU32String();
}

std::string ToUtf8(const std::u32string& chars) {
    return QString::fromStdU32String(chars).toStdString();
}

std::u32string FirstChars(const std::u32string& s, std::int64_t n) {
    if (n <= 0)
        return {};
    return s.substr(0, static_cast<std::size_t>(std::min<std::int64_t>(n, s.size())));
}

std::u32string CharsFrom(const std::u32string& s, std::int64_t p) {
    if (p <= 0)
        return s;
    if (p >= static_cast<std::int64_t>(s.size()))
        return {};
    return s.substr(static_cast<std::size_t>(p));
}

std::u32string RepeatChars(const std::u32string& s, std::int32_t n) {
    std::u32string out;
    for (std::int32_t i = 0; i < n; ++i)
        out += s;
    return out;
}

void TextEdit::SetText(std::string_view utf8) {
    m_text = ToChars(utf8);
    SetSelStart(Length());
    SetSelLength(0);
}

void TextEdit::SetSelStart(std::int64_t v) noexcept {
    m_selStart = Clamp(v, 0, Length());
}

void TextEdit::SetSelLength(std::int64_t v) noexcept {
    m_selLength = Clamp(v, 0, std::max<std::int64_t>(0, Length() - m_selStart));
}

KeyOutcome TextEdit::Key(std::string_view key, bool shift, bool controlOrCommand, bool readOnly) {
    namespace Code = platform::keycode;
    if (key.empty())
        return {};
    const KeyOutcome changed{true, true, false};
    const KeyOutcome consumed{true, false, false};
    const char k = key[0];
    switch (k) {
        case Code::kBackspace:
        case Code::kDelete:
            if (readOnly)
                return consumed;
            Edit(k == Code::kBackspace ? kBackspace : kForwardDelete, {});
            return changed;
        case Code::kLeft:
        case Code::kRight:
            Arrow(k == Code::kRight, shift);
            return changed;
        case Code::kUp:
        case Code::kDown:
        case Code::kPageUp:
        case Code::kPageDown:
            return consumed;
        case Code::kHome:
            // The selection's length stays: a selection becomes the first characters.
            SetSelStart(0);
            return changed;
        case Code::kEnd:
            SetSelStart(Length());
            SetSelLength(0);
            return changed;
        case Code::kTab:
            return {};
        default:
            break;
    }
    if (key == "\r\n" || key == "\r" || key == "\n" || k == Code::kEnter)
        return {true, false, true};
    // The field has no shortcuts of its own: the window and the menu bar get them.
    if (controlOrCommand || k == Code::kFunctionKey || k == Code::kEscape)
        return {};
    if (readOnly)
        return consumed;
    Edit(kTyping, ToChars(key));
    return changed;
}

void TextEdit::Arrow(bool right, bool shift) noexcept {
    const std::int32_t s = m_selStart;
    const std::int32_t n = m_selLength;
    if (!shift) {
        // With a selection the caret lands one character beside its start, not at an end.
        SetSelStart(right ? s + 1 : s - 1);
        SetSelLength(0);
        return;
    }
    if (!right) {
        if (n == 0) {
            if (s > 0) {
                SetSelStart(s - 1);
                SetSelLength(1);
                SelectionToRight = false;
            }
        } else if (SelectionToRight) {
            SetSelLength(n - 1);
        } else if (s > 0) {
            SetSelStart(s - 1);
            SetSelLength(n + 1);
        }
        return;
    }
    if (n == 0) {
        SelectionToRight = true;
        SetSelLength(1);
    } else if (SelectionToRight) {
        SetSelLength(n + 1);
    } else {
        SetSelStart(s + 1);
        SetSelLength(m_selLength - 1);
    }
}

void TextEdit::Edit(std::int32_t kind, const std::u32string& typed) {
    const std::int32_t s = m_selStart;
    const std::int32_t n = m_selLength;
    if (n > 0) {
        m_text = FirstChars(m_text, s) + typed + CharsFrom(m_text, s + n);
        SetSelLength(0);
        SetSelStart(s);
    } else if (kind == kBackspace) {
        if (s > 0) {
            m_text = FirstChars(m_text, s - 1) + CharsFrom(m_text, s);
            SetSelStart(s - 1);
        }
    } else if (kind == kForwardDelete) {
        m_text = FirstChars(m_text, s) + CharsFrom(m_text, s + 1);
        SetSelStart(s);
    } else {
        m_text = FirstChars(m_text, s) + typed + CharsFrom(m_text, s);
    }
    // The caret follows what was typed, however many characters the key text held.
    if (kind == kTyping)
        SetSelStart(m_selStart + static_cast<std::int64_t>(typed.size()));
}

void TextEdit::Click(std::int64_t p) noexcept {
    SetSelStart(p);
    SetSelLength(0);
    SelectionToRight = false;
}

void TextEdit::MoveEndTo(std::int64_t p, std::int32_t start, std::int32_t length) noexcept {
    if (SelectionToRight) {
        SetSelLength(p - m_selStart);
    } else {
        // A fixed right end left of p collapses the selection to a caret at p.
        SetSelStart(p);
        SetSelLength(start + length - p);
    }
}

bool TextEdit::Drag(std::int64_t p) noexcept {
    const std::int32_t s = m_selStart;
    const std::int32_t n = m_selLength;
    const std::int64_t e = static_cast<std::int64_t>(s) + n;
    if (p > e) {
        if (n == 0)
            SelectionToRight = true;
        MoveEndTo(p, s, n);
    } else if (s < p && p < e) {
        MoveEndTo(p, s, n);
    } else if (p < s) {
        SelectionToRight = false;
        SetSelStart(p);
        SetSelLength(e - p);
    } else if (p == s && SelectionToRight) {
        SetSelLength(0);
        SelectionToRight = false;
    } else if (p == e && !SelectionToRight) {
        SetSelLength(0);
        SetSelStart(p);
    } else {
        return false;
    }
    return true;
}

void TextEdit::SelectAll() noexcept {
    SetSelStart(0);
    SetSelLength(Length());
}

std::int32_t CharPosAtX(std::int32_t x, float delta, const std::u32string& shown,
                        const TextWidth& width) {
    const auto n = static_cast<std::int32_t>(shown.size());
    if (n == 0)
        return 0;
    if (delta == 0) {
        if (x >= width(shown))
            return n;
        if (x < width(shown.substr(0, 1)) / 2)
            return 0;
    }
    const double d = static_cast<double>(x) - delta;
    for (std::int32_t i = 1; i <= n; ++i) {
        const double ci = width(shown.substr(static_cast<std::size_t>(i - 1), 1));
        const double next = i < n ? width(shown.substr(static_cast<std::size_t>(i), 1)) : 0.0;
        const double before = width(FirstChars(shown, i - 1));
        const double upTo = width(FirstChars(shown, i));
        if (d <= before + ci)
            return i;
        if (d <= upTo + next / 2 - 1)
            return i;
        if (d <= upTo)
            return i;
    }
    return n;
}

TextPlacement PlaceText(std::int32_t areaWidth, double caretWidth, double textWidth,
                        float previousDelta, std::int32_t alignment) {
    TextPlacement out;
    out.caretPos = static_cast<std::int32_t>(std::trunc(caretWidth));
    out.delta = previousDelta;
    if (areaWidth < out.caretPos) {
        out.delta = static_cast<float>(areaWidth - out.caretPos);
    } else if (out.caretPos < areaWidth && previousDelta < 0) {
        out.delta = 0;
    } else if (out.caretPos < areaWidth) {
        out.delta = 0;
        if (alignment == 2)
            out.drawX =
                std::max(0, static_cast<std::int32_t>(std::trunc(areaWidth - textWidth)) / 2);
        else if (alignment == 3)
            out.drawX =
                std::max(0, static_cast<std::int32_t>(std::trunc(areaWidth - textWidth - 1)));
    }
    return out;
}

}  // namespace kit
