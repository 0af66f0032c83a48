#include "platform/picture.h"

#include "platform/exceptions.h"
#include "platform/graphics.h"
#include "platform/hugepages.h"
#include "platform/parallel.h"
#include "platform/rgbsurface.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <cassert>
#include <cstdlib>
#include <string>
#include <system_error>
#include <thread>

namespace platform {

std::int64_t MaxPicturePixels() noexcept {
    const char* env = std::getenv("MALVOREN_MAX_PIXELS");
    if (env == nullptr || *env == '\0')
        return kMaxPicturePixels;
    char* end = nullptr;
    const long long value = std::strtoll(env, &end, 10);
    if (end == env || value <= 0 || value >= kMaxPicturePixels)
        return kMaxPicturePixels;
    return value;
}

std::string PictureSizeRefusal(std::int64_t width, std::int64_t height) {
    const std::string size = std::to_string(width) + " x " + std::to_string(height);
    if (width <= 0 || height <= 0)
        return "A picture of " + size + " pixels has no pixels.";
    if (width > kMaxPictureSide || height > kMaxPictureSide)
        return "A picture of " + size + " pixels is too large: at most " +
               std::to_string(kMaxPictureSide) + " pixels a side are handled.";
    const std::int64_t cap = MaxPicturePixels();
    if (width * height > cap)
        return "A picture of " + size + " pixels is too large: at most " + std::to_string(cap) +
               " pixels are handled.";
    return {};
}

PictureTooLargeException::PictureTooLargeException(std::int64_t width, std::int64_t height)
    : RuntimeException(PictureSizeRefusal(width, height))
    , m_width(width)
    , m_height(height) {
}

namespace {

QImage NewImage(int width, int height, QImage::Format format) {
    if (width <= 0 || height <= 0)
        throw OutOfBoundsException("picture size " + std::to_string(width) + " x " +
                                   std::to_string(height) + " has no pixels");
    if (!PictureSizeRefusal(width, height).empty())
        throw PictureTooLargeException(width, height);
    QImage image(width, height, format);
    if (image.isNull())
        throw RuntimeException("Not enough memory for a picture of " + std::to_string(width) +
                               " x " + std::to_string(height) + " pixels.");
    AdviseHugePages(image.bits(), static_cast<std::size_t>(image.sizeInBytes()));
    return image;
}

}  // namespace

Picture::Picture(int width, int height) {
    // Qt leaves new pixels uninitialised; the framework's new pictures were white, and the
    // kit's gloss relies on it.
    const auto make = [&] {
        m_image = NewImage(width, height, QImage::Format_RGB32);
        m_image.fill(0xFFFFFFFFu);
    };
    // Filling a large picture takes a while: a job's window is served meanwhile.
    if (width > 0 && height > 0 && std::int64_t{width} * height >= kAsidePixels)
        RunAside(make);
    else
        make();
}

Picture::Picture(int width, int height, MaskTag)
    : m_image(NewImage(width, height, QImage::Format_Grayscale8)) {
    m_image.fill(0);
}

Picture::Picture(const QImage& image) {
    if (image.isNull())
        throw NilObjectException("no picture");
    if (!PictureSizeRefusal(image.width(), image.height()).empty())
        throw PictureTooLargeException(image.width(), image.height());
    // ARGB32 (not premultiplied) keeps every colour exact under pixel access.
    m_image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                            : QImage::Format_RGB32);
    if (m_image.isNull())
        throw RuntimeException("Not enough memory for a picture.");
}

Picture::~Picture() {
    // Giving a large picture's memory back takes tens of milliseconds: a thread with a window
    // to serve leaves it to a thread of its own. A shared image is only let go here.
    if (m_image.isDetached() && std::int64_t{m_image.width()} * m_image.height() >= kAsidePixels &&
        ServesWhileWaiting()) {
        try {
            std::thread([pixels = std::move(m_image)] {}).detach();
        } catch (const std::system_error&) {
        }
    }
}

PicturePtr Picture::New(int width, int height) {
    return std::make_shared<Picture>(width, height);
}

PicturePtr Picture::FromData(std::string_view encoded) {
    QByteArray bytes(encoded.data(), static_cast<qsizetype>(encoded.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!size.isValid() || !PictureSizeRefusal(size.width(), size.height()).empty())
        return nullptr;
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return nullptr;
    return std::make_shared<Picture>(image);
}

Graphics& Picture::Graphics() {
    if (!m_graphics)
        m_graphics = std::make_unique<platform::Graphics>(*this);
    return *m_graphics;
}

RGBSurface& Picture::RGBSurface() {
    if (!m_surface)
        m_surface = std::make_unique<platform::RGBSurface>(*this);
    return *m_surface;
}

Picture* Picture::Mask(bool create) {
    if (IsMask())
        return nullptr;
    if (!m_mask && create) {
        auto mask = std::unique_ptr<Picture>(new Picture(Width(), Height(), MaskTag{}));
        if (HasAlpha()) {
            // The alpha moves into the mask, so that one rule (the mask) decides what shows.
            QImage opaque = m_image.convertToFormat(QImage::Format_RGB32);
            if (opaque.isNull())
                throw RuntimeException("Not enough memory for a picture.");
            for (int y = 0; y < Height(); ++y) {
                const auto* src = reinterpret_cast<const QRgb*>(m_image.constScanLine(y));
                uchar* dst = mask->m_image.scanLine(y);
                for (int x = 0; x < Width(); ++x)
                    dst[x] = static_cast<uchar>(255 - qAlpha(src[x]));
            }
            m_image = opaque;
        }
        m_mask = std::move(mask);
    }
    return m_mask.get();
}

PicturePtr Picture::Copy() const {
    auto copy = std::make_shared<Picture>(m_image.copy());
    if (copy->m_image.isNull())
        throw RuntimeException("Not enough memory for a picture.");
    if (m_mask) {
        copy->m_mask = std::unique_ptr<Picture>(new Picture(Width(), Height(), MaskTag{}));
        copy->m_mask->m_image = m_mask->m_image.copy();
        if (copy->m_mask->m_image.isNull())
            throw RuntimeException("Not enough memory for a picture.");
    }
    return copy;
}

QImage Picture::ScaledImage(int width, int height) const {
    assert(!HasMask() && !HasAlpha());
    if (width <= 0 || height <= 0)
        throw OutOfBoundsException("picture size " + std::to_string(width) + " x " +
                                   std::to_string(height) + " has no pixels");
    if (!PictureSizeRefusal(width, height).empty())
        throw PictureTooLargeException(width, height);
    // The smooth scaling that Graphics::DrawPicture uses; drawing its opaque result copies it.
    // A large one runs aside; it scales its own reference to the pixels, whatever the loop
    // does with this picture meanwhile.
    const QImage source = m_image;
    QImage scaled;
    const auto scale = [&] {
        scaled = source.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (!scaled.isNull() && scaled.format() != QImage::Format_RGB32)
            scaled = scaled.convertToFormat(QImage::Format_RGB32);
    };
    if (std::int64_t{width} * height >= kAsidePixels)
        RunAside(scale);
    else
        scale();
    if (scaled.isNull())
        throw RuntimeException("Not enough memory to scale a picture.");
    return scaled;
}

QImage Picture::DrawableImage(const QRect& region) const {
    const bool whole = region == QRect(0, 0, Width(), Height());
    if (!m_mask)
        return whole ? m_image : m_image.copy(region);
    QImage composed = m_image.copy(region).convertToFormat(QImage::Format_ARGB32);
    if (composed.isNull())
        throw RuntimeException("Not enough memory for a picture.");
    for (int y = 0; y < region.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(composed.scanLine(y));
        const uchar* grey = m_mask->m_image.constScanLine(region.top() + y) + region.left();
        for (int x = 0; x < region.width(); ++x)
            row[x] = (row[x] & 0x00FFFFFFu) | (static_cast<QRgb>(255 - grey[x]) << 24);
    }
    return composed;
}

}  // namespace platform
