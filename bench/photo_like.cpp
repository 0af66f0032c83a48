#include "photo_like.h"

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

namespace bench {

namespace {

/// A coarse random grid sampled bilinearly: one octave of value noise.
class Octave {
public:
    Octave(int width, int height, int cell, std::mt19937& random)
        : m_cell(cell)
        , m_columns(width / cell + 2)
        , m_values(static_cast<std::size_t>(m_columns) * (height / cell + 2)) {
        std::uniform_real_distribution<float> value(-1.0f, 1.0f);
        for (float& v : m_values)
            v = value(random);
    }

    float At(int x, int y) const {
        const int cx = x / m_cell;
        const int cy = y / m_cell;
        const float fx = static_cast<float>(x % m_cell) / m_cell;
        const float fy = static_cast<float>(y % m_cell) / m_cell;
        const auto v = [&](int i, int j) {
            return m_values[static_cast<std::size_t>(j) * m_columns + i];
        };
        const float top = v(cx, cy) + (v(cx + 1, cy) - v(cx, cy)) * fx;
        const float bottom = v(cx, cy + 1) + (v(cx + 1, cy + 1) - v(cx, cy + 1)) * fx;
        return top + (bottom - top) * fy;
    }

private:
    int m_cell;
    int m_columns;
    std::vector<float> m_values;
};

}  // namespace

QImage PhotoLike(int width, int height, unsigned seed) {
    // Channels of a photograph move together: a shared brightness at four scales, a colour
    // cast at two coarse ones, and sensor grain.
    std::mt19937 random(seed);
    const int lumaCells[] = {331, 97, 29, 7};
    const float lumaWeights[] = {60.0f, 30.0f, 12.0f, 4.0f};
    const int chromaCells[] = {331, 97};
    const float chromaWeights[] = {35.0f, 10.0f};
    std::vector<Octave> luma;
    for (const int cell : lumaCells)
        luma.emplace_back(width, height, cell, random);
    std::vector<Octave> chroma[3];
    for (auto& octaves : chroma)
        for (const int cell : chromaCells)
            octaves.emplace_back(width, height, cell, random);
    std::uniform_int_distribution<int> grain(-2, 2);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            float base = 128.0f;
            for (std::size_t o = 0; o < 4; ++o)
                base += lumaWeights[o] * luma[o].At(x, y);
            const int shared = grain(random);
            int rgb[3];
            for (int c = 0; c < 3; ++c) {
                float v = base;
                for (std::size_t o = 0; o < 2; ++o)
                    v += chromaWeights[o] * chroma[c][o].At(x, y);
                rgb[c] = std::clamp(static_cast<int>(v) + shared + grain(random) / 2, 0, 255);
            }
            line[x] = qRgb(rgb[0], rgb[1], rgb[2]);
        }
    }
    return image;
}

}  // namespace bench
