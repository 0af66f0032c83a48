#include "support/png_bytes.h"

namespace testsupport {
namespace {

std::uint32_t Crc32(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const unsigned char c : bytes) {
        crc ^= c;
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::string BigEndian(std::uint32_t v) {
    return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
            static_cast<char>(v)};
}

}  // namespace

std::string PngClaiming(std::uint32_t width, std::uint32_t height) {
    const std::string ihdr =
        "IHDR" + BigEndian(width) + BigEndian(height) + std::string("\x08\x02\x00\x00\x00", 5);
    return std::string("\x89PNG\r\n\x1a\n", 8) + BigEndian(13) + ihdr + BigEndian(Crc32(ihdr)) +
           BigEndian(0) + "IDAT" + BigEndian(Crc32("IDAT")) + BigEndian(0) + "IEND" +
           BigEndian(Crc32("IEND"));
}

}  // namespace testsupport
