#include "platform/rgbsurface.h"

#include "platform/exceptions.h"
#include "platform/picture.h"

#include <QImage>

#include <array>
#include <string>
#include <utility>

namespace platform {

namespace {

std::uint8_t GreyOf(Color c) noexcept {
    return static_cast<std::uint8_t>((c.r * 11 + c.g * 16 + c.b * 5) / 32);
}

std::array<std::uint8_t, 256> Table(const std::vector<std::int32_t>& map) {
    if (map.size() != 256)
        throw OutOfBoundsException("a value map has " + std::to_string(map.size()) +
                                   " entries, not 256");
    std::array<std::uint8_t, 256> table{};
    for (std::size_t i = 0; i < 256; ++i)
        table[i] = static_cast<std::uint8_t>(map[i] < 0 ? 0 : map[i] > 255 ? 255 : map[i]);
    return table;
}

/// Span fill over one image: `same(x, y)` tells whether a pixel belongs to the area, `paint`
/// changes it so that it no longer does. Runs are filled whole and their neighbour rows
/// scanned once, so memory stays proportional to the runs, not to the pixels.
template <typename Same, typename Paint>
void SpanFill(int width, int height, int x0, int y0, Same same, Paint paint) {
    std::vector<std::pair<int, int>> stack{{x0, y0}};
    while (!stack.empty()) {
        auto [x, y] = stack.back();
        stack.pop_back();
        if (!same(x, y))
            continue;
        int left = x;
        while (left > 0 && same(left - 1, y))
            --left;
        int right = x;
        while (right + 1 < width && same(right + 1, y))
            ++right;
        for (int i = left; i <= right; ++i)
            paint(i, y);
        for (const int ny : {y - 1, y + 1}) {
            if (ny < 0 || ny >= height)
                continue;
            bool inRun = false;
            for (int i = left; i <= right; ++i) {
                const bool s = same(i, ny);
                if (s && !inRun)
                    stack.emplace_back(i, ny);
                inRun = s;
            }
        }
    }
}

}  // namespace

RGBSurface::RGBSurface(Picture& target)
    : m_target(&target) {
}

int RGBSurface::Width() const noexcept {
    return m_target->Width();
}

int RGBSurface::Height() const noexcept {
    return m_target->Height();
}

Color RGBSurface::Pixel(int x, int y) const noexcept {
    const QImage& image = m_target->Image();
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return Color{};
    if (m_target->IsMask()) {
        const std::uint8_t level = image.constScanLine(y)[x];
        return Color{level, level, level};
    }
    const QRgb p = reinterpret_cast<const QRgb*>(image.constScanLine(y))[x];
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

void RGBSurface::SetPixel(int x, int y, Color c) noexcept {
    QImage& image = m_target->Image();
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return;
    if (m_target->IsMask()) {
        image.scanLine(y)[x] = GreyOf(c);
        return;
    }
    QRgb& p = reinterpret_cast<QRgb*>(image.scanLine(y))[x];
    p = (p & 0xFF000000u) | (static_cast<QRgb>(c.r) << 16) | (static_cast<QRgb>(c.g) << 8) | c.b;
}

std::uint32_t* RGBSurface::Row(int y) {
    QImage& image = m_target->Image();
    if (m_target->IsMask() || y < 0 || y >= image.height())
        throw OutOfBoundsException("row " + std::to_string(y) + " is not a colour row");
    return reinterpret_cast<std::uint32_t*>(image.scanLine(y));
}

const std::uint32_t* RGBSurface::Row(int y) const {
    const QImage& image = m_target->Image();
    if (m_target->IsMask() || y < 0 || y >= image.height())
        throw OutOfBoundsException("row " + std::to_string(y) + " is not a colour row");
    return reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
}

std::uint8_t* RGBSurface::GreyRow(int y) {
    QImage& image = m_target->Image();
    if (!m_target->IsMask() || y < 0 || y >= image.height())
        throw OutOfBoundsException("row " + std::to_string(y) + " is not a mask row");
    return image.scanLine(y);
}

void RGBSurface::FloodFill(int x, int y, Color c) {
    QImage& image = m_target->Image();
    const int width = image.width();
    const int height = image.height();
    if (x < 0 || y < 0 || x >= width || y >= height)
        return;
    if (m_target->IsMask()) {
        const std::uint8_t from = image.constScanLine(y)[x];
        const std::uint8_t to = GreyOf(c);
        if (from == to)
            return;
        SpanFill(
            width, height, x, y, [&](int i, int j) { return image.constScanLine(j)[i] == from; },
            [&](int i, int j) { image.scanLine(j)[i] = to; });
        return;
    }
    const auto row = [&](int j) { return reinterpret_cast<QRgb*>(image.scanLine(j)); };
    const QRgb from = row(y)[x] & 0x00FFFFFFu;
    const QRgb to =
        (static_cast<QRgb>(c.r) << 16) | (static_cast<QRgb>(c.g) << 8) | static_cast<QRgb>(c.b);
    if (from == to)
        return;
    SpanFill(
        width, height, x, y, [&](int i, int j) { return (row(j)[i] & 0x00FFFFFFu) == from; },
        [&](int i, int j) { row(j)[i] = (row(j)[i] & 0xFF000000u) | to; });
}

void RGBSurface::Transform(const std::vector<std::int32_t>& redMap,
                           const std::vector<std::int32_t>& greenMap,
                           const std::vector<std::int32_t>& blueMap) {
    const auto red = Table(redMap);
    const auto green = Table(greenMap);
    const auto blue = Table(blueMap);
    QImage& image = m_target->Image();
    const int width = image.width();
    if (m_target->IsMask()) {
        for (int y = 0; y < image.height(); ++y) {
            std::uint8_t* line = image.scanLine(y);
            for (int x = 0; x < width; ++x)
                line[x] = red[line[x]];
        }
        return;
    }
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb p = line[x];
            line[x] = (p & 0xFF000000u) | (static_cast<QRgb>(red[(p >> 16) & 0xFF]) << 16) |
                      (static_cast<QRgb>(green[(p >> 8) & 0xFF]) << 8) | blue[p & 0xFF];
        }
    }
}

void RGBSurface::Transform(const std::vector<std::int32_t>& map) {
    Transform(map, map, map);
}

}  // namespace platform
