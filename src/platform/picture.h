#pragma once

#include "platform/exceptions.h"

#include <QImage>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

class Graphics;
class RGBSurface;
class Picture;

/// Pictures are shared the way the framework shared them: a variable may hold none.
using PicturePtr = std::shared_ptr<Picture>;

/// The largest side of any picture the tool reads or makes, in pixels.
inline constexpr int kMaxPictureSide = 16384;
/// The largest pixel count of any picture the tool reads or makes.
inline constexpr std::int64_t kMaxPicturePixels = 100'000'000;

/// The pixel cap in force: kMaxPicturePixels, or MALVOREN_MAX_PIXELS when that is a smaller
/// positive number (the fuzz targets lower it).
std::int64_t MaxPicturePixels() noexcept;

/// Empty when a picture of width × height pixels is within the caps, else the reason in words.
std::string PictureSizeRefusal(std::int64_t width, std::int64_t height);

/// A picture above the caps, refused before any of its pixels is allocated. `what()` is the
/// reason in words, as PictureSizeRefusal gives it.
class PictureTooLargeException : public RuntimeException {
public:
    PictureTooLargeException(std::int64_t width, std::int64_t height);
    std::int64_t Width() const noexcept { return m_width; }
    std::int64_t Height() const noexcept { return m_height; }
    const char* KindName() const noexcept override { return "PictureTooLargeException"; }

private:
    std::int64_t m_width;
    std::int64_t m_height;
};

/// A 32-bit picture: a colour plane and, made on first use, a grey mask in which black (0) is
/// opaque and white (255) transparent. A picture decoded from the program's own data may
/// carry alpha instead of a mask; drawing honours either.
///
/// A picture never moves in memory (its Graphics points at it), so it lives in a PicturePtr.
class Picture {
public:
    /// A new picture of width × height pixels, white. Throws OutOfBoundsException when a side
    /// is not positive, PictureTooLargeException when the size is above the caps (checked
    /// before anything is allocated), RuntimeException when the memory cannot be had.
    Picture(int width, int height);
    /// Adopts a decoded image: kept with alpha when it has an alpha channel, else opaque.
    /// Throws NilObjectException for a null image, PictureTooLargeException above the caps.
    explicit Picture(const QImage& image);
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    /// A new white picture; the same failures as the constructor.
    static PicturePtr New(int width, int height);
    /// Decodes PNG, BMP or JPEG bytes that the program carries itself, alpha kept. None when
    /// the bytes hold no readable picture or one above the caps.
    static PicturePtr FromData(std::string_view encoded);

    int Width() const noexcept { return m_image.width(); }
    int Height() const noexcept { return m_image.height(); }

    /// The drawing surface of this picture; one per picture, so its settings persist.
    platform::Graphics& Graphics();
    /// Pixel access to this picture.
    platform::RGBSurface& RGBSurface();

    /// The grey mask, made entirely black (opaque) when `create` is true and there is none
    /// (a picture with alpha gets 255 − alpha and becomes opaque itself). None when `create`
    /// is false and there is none, and always none for a mask.
    Picture* Mask(bool create = true);
    bool HasMask() const noexcept { return m_mask != nullptr; }
    bool HasAlpha() const noexcept { return m_image.hasAlphaChannel(); }
    bool IsMask() const noexcept { return m_image.format() == QImage::Format_Grayscale8; }

    /// A deep copy, mask included. Throws RuntimeException when memory runs out.
    PicturePtr Copy() const;

    /// This opaque picture scaled to width × height (RGB32): the pixels that drawing it whole,
    /// scaled, onto a picture of that size leaves there. Throws OutOfBoundsException for a
    /// size without pixels, PictureTooLargeException above the caps, RuntimeException when
    /// memory runs out.
    QImage ScaledImage(int width, int height) const;

    /// The colour plane (RGB32, ARGB32 with alpha, Grayscale8 for a mask).
    const QImage& Image() const noexcept { return m_image; }
    QImage& Image() noexcept { return m_image; }

    /// The picture as Qt draws it: the colour plane itself when opaque, else ARGB32 with the
    /// mask's transparency (alpha = 255 − grey) or the picture's own alpha.
    /// `region` must lie inside the picture.
    QImage DrawableImage(const QRect& region) const;

private:
    struct MaskTag {};
    Picture(int width, int height, MaskTag);

    QImage m_image;
    std::unique_ptr<Picture> m_mask;
    std::unique_ptr<platform::Graphics> m_graphics;
    std::unique_ptr<platform::RGBSurface> m_surface;
};

}  // namespace platform
