#include "platform/graphics.h"

#include "platform/exceptions.h"
#include "platform/parallel.h"
#include "platform/picture.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace platform {

namespace {

QColor ToQColor(Color c) {
    return QColor(c.r, c.g, c.b);
}

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

/// Qt paints greys on Grayscale8 images through a colour conversion that is off by one for
/// some levels (0x70 lands as 0x71), and masks need exact levels. So a mask is painted as an
/// RGB32 copy of the touched area and written back.
QImage GreyToRgb(const QImage& grey, const QRect& area) {
    QImage rgb(area.size(), QImage::Format_RGB32);
    for (int y = 0; y < area.height(); ++y) {
        const uchar* src = grey.constScanLine(area.top() + y) + area.left();
        auto* dst = reinterpret_cast<QRgb*>(rgb.scanLine(y));
        for (int x = 0; x < area.width(); ++x)
            dst[x] = qRgb(src[x], src[x], src[x]);
    }
    return rgb;
}

void RgbToGrey(const QImage& rgb, QImage& grey, const QPoint& at) {
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* dst = grey.scanLine(at.y() + y) + at.x();
        for (int x = 0; x < rgb.width(); ++x)
            dst[x] = static_cast<uchar>(qGray(src[x]));
    }
}

/// Lines of text as the one line breaker of this file cuts them.
struct TextLine {
    int start;
    int length;
};

std::vector<TextLine> BreakLines(const QFont& font, const QString& text, double wrapWidth) {
    std::vector<TextLine> lines;
    // Paragraphs end at CR LF, CR or LF; within one, words wrap at wrapWidth when given.
    int paragraphStart = 0;
    const int n = static_cast<int>(text.size());
    for (int i = 0; i <= n; ++i) {
        const bool end = i == n;
        if (!end && text[i] != u'\r' && text[i] != u'\n')
            continue;
        const QString paragraph = text.mid(paragraphStart, i - paragraphStart);
        if (wrapWidth <= 0 || paragraph.isEmpty()) {
            lines.push_back({paragraphStart, static_cast<int>(paragraph.size())});
        } else {
            QTextLayout layout(paragraph, font);
            QTextOption option;
            option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
            layout.setTextOption(option);
            layout.beginLayout();
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(wrapWidth);
                lines.push_back({paragraphStart + line.textStart(), line.textLength()});
            }
            layout.endLayout();
        }
        if (end)
            break;
        if (text[i] == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        paragraphStart = i + 1;
    }
    return lines;
}

// The note icon, drawn once in code with anti-aliasing (the shapes of Graphics have none):
// a blue disc with a white "i", on transparent corners.
const Picture& NoteIcon() {
    static const PicturePtr icon = [] {
        const int size = Graphics::kNoteIconSize;
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(QColor(0x1d, 0x4f, 0x91), 1.5));
        p.setBrush(QColor(0x3b, 0x82, 0xd6));
        p.drawEllipse(QRectF(1.5, 1.5, size - 3.0, size - 3.0));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(13.5, 6.5, 5.0, 5.0));  // the dot
        QPainterPath stem;
        stem.addRoundedRect(QRectF(13.5, 13.5, 5.0, 13.0), 1.5, 1.5);
        p.drawPath(stem);
        p.end();
        return std::make_shared<Picture>(image);
    }();
    return *icon;
}

}  // namespace

Graphics::Graphics(Picture& target)
    : m_target(&target)
    , m_origin(0, 0)
    , m_width(target.Width())
    , m_height(target.Height())
    , m_clip(0, 0, target.Width(), target.Height()) {
}

void Graphics::Paint(const std::function<void(QPainter&)>& draw, std::int64_t pixels) {
    if (m_clip.isEmpty())
        return;
    QImage& image = m_target->Image();
    const bool grey = image.format() == QImage::Format_Grayscale8;
    if (!grey && pixels >= kAsidePixels) {
        // A large painting runs aside, while a job's window is served. It paints through a
        // view of the pixels made here (bits() detaches them here, on this thread), so the
        // work aside never touches the picture's own image, which the loop may copy meanwhile.
        uchar* const bits = image.bits();
        QImage view(bits, image.width(), image.height(), image.bytesPerLine(), image.format());
        RunAside([&] {
            QPainter painter(&view);
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
            painter.setClipRect(m_clip);
            painter.translate(m_origin);
            draw(painter);
        });
        return;
    }
    QImage scratch;
    QPaintDevice* device = &image;
    QPoint shift(0, 0);
    if (grey) {
        scratch = GreyToRgb(image, m_clip);
        device = &scratch;
        shift = -m_clip.topLeft();
    }
    {
        QPainter painter(device);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.setClipRect(m_clip.translated(shift));
        painter.translate(m_origin + shift);
        draw(painter);
    }
    if (grey)
        RgbToGrey(scratch, image, m_clip.topLeft());
}

void Graphics::FillRect(int x, int y, int width, int height) {
    if (width <= 0 || height <= 0)
        return;
    const QColor color = ToQColor(ForeColor);
    Paint([&](QPainter& p) { p.fillRect(QRect(x, y, width, height), color); },
          std::int64_t{width} * height);
}

void Graphics::DrawPenRect(QPainter& painter, int x, int y, int width, int height) const {
    const QColor color = ToQColor(ForeColor);
    const int pw = std::min(std::max(PenWidth, 1), width);
    const int ph = std::min(std::max(PenHeight, 1), height);
    painter.fillRect(QRect(x, y, width, ph), color);
    painter.fillRect(QRect(x, y + height - ph, width, ph), color);
    painter.fillRect(QRect(x, y, pw, height), color);
    painter.fillRect(QRect(x + width - pw, y, pw, height), color);
}

void Graphics::DrawRect(int x, int y, int width, int height) {
    if (width <= 0 || height <= 0 || PenWidth <= 0 || PenHeight <= 0)
        return;
    Paint([&](QPainter& p) { DrawPenRect(p, x, y, width, height); });
}

void Graphics::DrawLine(int x1, int y1, int x2, int y2) {
    if (PenWidth <= 0 || PenHeight <= 0)
        return;
    const QColor color = ToQColor(ForeColor);
    const int pw = PenWidth;
    const int ph = PenHeight;
    Paint([&](QPainter& p) {
        if (x1 == x2 || y1 == y2) {
            const int left = std::min(x1, x2);
            const int top = std::min(y1, y2);
            p.fillRect(QRect(left, top, std::abs(x2 - x1) + pw, std::abs(y2 - y1) + ph), color);
            return;
        }
        // Bresenham, with the pen's rectangle hanging right of and below each point.
        const long long dx = std::abs(static_cast<long long>(x2) - x1);
        const long long dy = -std::abs(static_cast<long long>(y2) - y1);
        const int sx = x1 < x2 ? 1 : -1;
        const int sy = y1 < y2 ? 1 : -1;
        long long err = dx + dy;
        int x = x1;
        int y = y1;
        for (;;) {
            p.fillRect(QRect(x, y, pw, ph), color);
            if (x == x2 && y == y2)
                break;
            const long long e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y += sy;
            }
        }
    });
}

void Graphics::FillShape(int x, int y, int width, int height, const Shape& shape) {
    if (width <= 0 || height <= 0)
        return;
    const QColor color = ToQColor(ForeColor);
    Paint([&](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        shape(p, QRectF(x, y, width, height));
    });
}

void Graphics::FillOval(int x, int y, int width, int height) {
    FillShape(x, y, width, height, [](QPainter& p, const QRectF& r) { p.drawEllipse(r); });
}

void Graphics::FillRoundRect(int x, int y, int width, int height, int arcWidth, int arcHeight) {
    FillShape(x, y, width, height, [&](QPainter& p, const QRectF& r) {
        p.drawRoundedRect(r, arcWidth / 2.0, arcHeight / 2.0);
    });
}

void Graphics::DrawPicture(const Picture& picture, int x, int y) {
    DrawPicture(picture, x, y, picture.Width(), picture.Height(), 0, 0, picture.Width(),
                picture.Height());
}

void Graphics::DrawPicture(const Picture& picture, int x, int y, int width, int height) {
    DrawPicture(picture, x, y, width, height, 0, 0, width, height);
}

void Graphics::DrawPicture(const Picture& picture, int destX, int destY, int destWidth,
                           int destHeight, int sourceX, int sourceY, int sourceWidth,
                           int sourceHeight) {
    if (destWidth <= 0 || destHeight <= 0 || sourceWidth <= 0 || sourceHeight <= 0)
        return;
    // Positions come from skins and may lie anywhere in the int range: the visible part and
    // where it lands are worked out in 64 bits, and only what meets this picture reaches Qt,
    // whose own rectangle arithmetic is 32-bit.
    const std::int64_t sx0 = std::max<std::int64_t>(sourceX, 0);
    const std::int64_t sy0 = std::max<std::int64_t>(sourceY, 0);
    const std::int64_t sx1 =
        std::min<std::int64_t>(std::int64_t{sourceX} + sourceWidth, picture.Width());
    const std::int64_t sy1 =
        std::min<std::int64_t>(std::int64_t{sourceY} + sourceHeight, picture.Height());
    if (sx1 <= sx0 || sy1 <= sy0)
        return;
    const QRect visible(static_cast<int>(sx0), static_cast<int>(sy0), static_cast<int>(sx1 - sx0),
                        static_cast<int>(sy1 - sy0));
    const auto missesThis = [this](std::int64_t left, std::int64_t top, std::int64_t right,
                                   std::int64_t bottom) {
        return right <= left || bottom <= top || left >= m_width || top >= m_height || right <= 0 ||
               bottom <= 0;
    };
    const bool opaque = !picture.HasMask() && !picture.HasAlpha();
    const bool whole = visible == QRect(0, 0, picture.Width(), picture.Height());

    if (destWidth == sourceWidth && destHeight == sourceHeight) {
        const std::int64_t atX = std::int64_t{destX} + sx0 - sourceX;
        const std::int64_t atY = std::int64_t{destY} + sy0 - sourceY;
        if (missesThis(atX, atY, atX + visible.width(), atY + visible.height()))
            return;
        // Meeting this picture, the corner lies within (-visible size, this size): an int.
        const QPoint at(static_cast<int>(atX), static_cast<int>(atY));
        if (opaque) {
            // Source mode: an exact copy, whatever the target's format.
            // A reference of this call's own: drawn onto itself, the picture is detached first.
            const QImage source = picture.Image();
            Paint(
                [&](QPainter& p) {
                    p.setCompositionMode(QPainter::CompositionMode_Source);
                    p.drawImage(at, source, visible);
                },
                std::int64_t{visible.width()} * visible.height());
        } else {
            const QImage drawable = picture.DrawableImage(visible);
            Paint([&](QPainter& p) { p.drawImage(at, drawable); },
                  std::int64_t{visible.width()} * visible.height());
        }
        return;
    }

    // The visible part of the source lands on its share of the destination. An offset into the
    // source is at most its width, so each product is at most the destination's size: int64.
    const double fx = static_cast<double>(destWidth) / sourceWidth;
    const double fy = static_cast<double>(destHeight) / sourceHeight;
    const std::int64_t left = destX + std::llround(static_cast<double>(sx0 - sourceX) * fx);
    const std::int64_t top = destY + std::llround(static_cast<double>(sy0 - sourceY) * fy);
    const std::int64_t right = destX + std::llround(static_cast<double>(sx1 - sourceX) * fx);
    const std::int64_t bottom = destY + std::llround(static_cast<double>(sy1 - sourceY) * fy);
    if (missesThis(left, top, right, bottom))
        return;
    if (!PictureSizeRefusal(right - left, bottom - top).empty())
        throw PictureTooLargeException(right - left, bottom - top);
    QImage part;
    if (opaque)
        part = whole ? picture.Image() : picture.Image().copy(visible);
    else
        part = picture.DrawableImage(visible);
    QImage scaled;
    const auto scale = [&] {
        scaled = part.scaled(static_cast<int>(right - left), static_cast<int>(bottom - top),
                             Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    };
    // `part` is this call's own reference to the pixels, so a large scaling can run aside.
    if ((right - left) * (bottom - top) >= kAsidePixels)
        RunAside(scale);
    else
        scale();
    if (scaled.isNull())
        throw RuntimeException("Not enough memory to scale a picture.");
    Paint(
        [&](QPainter& p) {
            if (opaque)
                p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(QPoint(static_cast<int>(left), static_cast<int>(top)), scaled);
        },
        (right - left) * (bottom - top));
}

QFont Graphics::Font() const {
    QFont font;
    const bool standard = TextFont.empty() || TextFont == "System" || TextFont == "Arial";
    font.setFamily(standard ? QStringLiteral("Liberation Sans") : ToQString(TextFont));
    const int pixels = TextSize > 0 ? static_cast<int>(std::lround(TextSize)) : 12;
    font.setPixelSize(std::max(pixels, 1));
    font.setBold(Bold);
    font.setItalic(Italic);
    font.setUnderline(Underline);
    return font;
}

std::string Graphics::ResolvedFontFamily() const {
    return QFontInfo(Font()).family().toStdString();
}

void Graphics::DrawString(std::string_view text, double x, double y, double wrapWidth,
                          bool condense) {
    const QFont font = Font();
    const QString all = ToQString(text);
    const QColor color = ToQColor(ForeColor);
    const QFontMetricsF metrics(font);
    if (condense && wrapWidth > 0) {
        QString line = all;
        line.replace(QLatin1String("\r\n"), QLatin1String(" "));
        line.replace(u'\r', u' ').replace(u'\n', u' ');
        const QString cut = metrics.elidedText(line, Qt::ElideRight, wrapWidth);
        Paint([&](QPainter& p) {
            p.setFont(font);
            p.setPen(color);
            p.drawText(QPointF(x, y), cut);
        });
        return;
    }
    const std::vector<TextLine> lines = BreakLines(font, all, wrapWidth);
    const int lineHeight = TextHeight();
    Paint([&](QPainter& p) {
        p.setFont(font);
        p.setPen(color);
        double baseline = y;
        for (const TextLine& line : lines) {
            p.drawText(QPointF(x, baseline), all.mid(line.start, line.length));
            baseline += lineHeight;
        }
    });
}

double Graphics::StringWidth(std::string_view text) const {
    return QFontMetricsF(Font()).horizontalAdvance(ToQString(text));
}

int Graphics::StringHeight(std::string_view text, double wrapWidth) const {
    const auto lines = BreakLines(Font(), ToQString(text), wrapWidth);
    return static_cast<int>(lines.size()) * TextHeight();
}

int Graphics::TextHeight() const {
    return QFontMetrics(Font()).height();
}

int Graphics::TextAscent() const {
    return QFontMetrics(Font()).ascent();
}

Graphics Graphics::Clip(int x, int y, int width, int height) const {
    Graphics view = *this;
    view.m_origin = m_origin + QPoint(x, y);
    view.m_width = std::max(width, 0);
    view.m_height = std::max(height, 0);
    view.m_clip = m_clip & QRect(view.m_origin, QSize(view.m_width, view.m_height));
    return view;
}

void Graphics::DrawNoteIcon(int x, int y) {
    DrawPicture(NoteIcon(), x, y);
}

int FontCount() {
    return static_cast<int>(QFontDatabase::families().size());
}

std::string Font(int index) {
    const QStringList families = QFontDatabase::families();
    if (index < 0 || index >= families.size())
        throw OutOfBoundsException("Font(" + std::to_string(index) + ")");
    return families.at(index).toStdString();
}

}  // namespace platform
