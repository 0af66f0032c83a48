#pragma once

#include "platform/color.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

/// Field kinds of the kit's packed style records. Every member is a plain byte array, so a
/// record built from them has no padding, its size is the sum of its fields, and its bytes
/// are its storage form. Four-byte numbers are held little-endian whatever the host is.
namespace kit {

/// A colour field: the 32-bit number 0x00RRGGBB.
struct StyleColor {
    std::uint8_t bytes[4];

    std::uint32_t Value() const noexcept;
    void SetValue(std::uint32_t value) noexcept;
    /// The low three bytes as a colour; a non-zero top byte is ignored.
    operator platform::Color() const noexcept;
    StyleColor& operator=(platform::Color c) noexcept;
};

/// An IEEE 754 single-precision field.
struct StyleSingle {
    std::uint8_t bytes[4];

    operator float() const noexcept;
    StyleSingle& operator=(float value) noexcept;
};

/// A font name in a 16-byte field: a length byte, then at most 15 bytes of text, the rest
/// zero. Longer names are cut at 15 bytes, back to the start of a UTF-8 character.
struct StyleText16 {
    std::uint8_t bytes[16];

    std::string Text() const;
    void SetText(std::string_view text) noexcept;
    operator std::string() const { return Text(); }
    StyleText16& operator=(std::string_view text) noexcept {
        SetText(text);
        return *this;
    }
    friend bool operator==(const StyleText16& field, std::string_view text) {
        return field.Text() == text;
    }
};

/// Reverses the four bytes at each of `offsets` in `record`.
void SwapWords(std::uint8_t* record, std::span<const std::size_t> offsets) noexcept;

/// The byte-string form of a record of `size` bytes: the bytes as they are for little-endian
/// order, with the four-byte fields at `offsets` reversed for big-endian order.
std::string RecordString(const std::uint8_t* record, std::size_t size,
                         std::span<const std::size_t> offsets, bool littleEndian);

/// Replaces a record from its byte-string form. A string of another length than the record
/// fills what it has and leaves the rest zero, so a short string never leaves stale bytes.
void SetRecordString(std::uint8_t* record, std::size_t size, std::span<const std::size_t> offsets,
                     std::string_view value, bool littleEndian) noexcept;

}  // namespace kit
