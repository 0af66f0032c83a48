#include "kit/buttons/style_record.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace kit {

std::uint32_t StyleColor::Value() const noexcept {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

void StyleColor::SetValue(std::uint32_t value) noexcept {
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

StyleColor::operator platform::Color() const noexcept {
    return platform::Color{bytes[2], bytes[1], bytes[0]};
}

StyleColor& StyleColor::operator=(platform::Color c) noexcept {
    SetValue(static_cast<std::uint32_t>(c.r) << 16 | static_cast<std::uint32_t>(c.g) << 8 | c.b);
    return *this;
}

StyleSingle::operator float() const noexcept {
    std::uint32_t bits =
        static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
        static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    return std::bit_cast<float>(bits);
}

StyleSingle& StyleSingle::operator=(float value) noexcept {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    return *this;
}

std::string StyleText16::Text() const {
    const std::size_t length = std::min<std::size_t>(bytes[0], 15);
    return std::string(reinterpret_cast<const char*>(bytes + 1), length);
}

void StyleText16::SetText(std::string_view text) noexcept {
    std::size_t length = std::min<std::size_t>(text.size(), 15);
    // Never split a UTF-8 character: back up over continuation bytes.
    if (length < text.size())
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
            --length;
    std::memset(bytes, 0, sizeof bytes);
    bytes[0] = static_cast<std::uint8_t>(length);
    std::memcpy(bytes + 1, text.data(), length);
}

void SwapWords(std::uint8_t* record, std::span<const std::size_t> offsets) noexcept {
    for (const std::size_t offset : offsets)
        std::reverse(record + offset, record + offset + 4);
}

std::string RecordString(const std::uint8_t* record, std::size_t size,
                         std::span<const std::size_t> offsets, bool littleEndian) {
    std::string out(reinterpret_cast<const char*>(record), size);
    if (!littleEndian)
        SwapWords(reinterpret_cast<std::uint8_t*>(out.data()), offsets);
    return out;
}

void SetRecordString(std::uint8_t* record, std::size_t size, std::span<const std::size_t> offsets,
                     std::string_view value, bool littleEndian) noexcept {
    std::memset(record, 0, size);
    std::memcpy(record, value.data(), std::min(size, value.size()));
    if (!littleEndian)
        SwapWords(record, offsets);
}

}  // namespace kit
