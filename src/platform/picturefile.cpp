#include "platform/picturefile.h"

#include "platform/atomic_file.h"
#include "platform/exceptions.h"
#include "platform/folderitem.h"
#include "platform/parallel.h"
#include "platform/pngdecoder.h"
#include "platform/pngencoder.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSize>
#include <QString>

#include <algorithm>
#include <cctype>
#include <system_error>

namespace platform {

namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

/// The image opaque: transparent pixels become white, partly transparent ones are blended
/// on white.
QImage FlattenOnWhite(const QImage& image) {
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage flat(image.size(), QImage::Format_RGB32);
    if (flat.isNull())
        return flat;
    flat.fill(0xFFFFFFFFu);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    painter.end();
    return flat;
}

PictureRead Refused(PictureReadProblem problem, std::string refusal) {
    return PictureRead{nullptr, problem, std::move(refusal)};
}

// Only the three formats of skin bitmaps are decoded, whatever else Qt could read.
bool IsSkinBitmapFormat(const QImageReader& reader) {
    const QByteArray format = reader.format().toLower();
    return format == "bmp" || format == "png" || format == "jpeg" || format == "jpg";
}

}  // namespace

std::optional<QSize> PictureFileSize(const std::filesystem::path& path) noexcept {
    try {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec))
            return std::nullopt;
        QImageReader reader(QString::fromStdString(path.string()));
        reader.setAutoTransform(false);
        const QSize size = reader.size();
        if (!size.isValid() || !IsSkinBitmapFormat(reader))
            return std::nullopt;
        return size;
    } catch (...) {
        return std::nullopt;
    }
}

std::optional<PictureFormat> PictureFormatFromName(std::string_view fileName) {
    const auto dot = fileName.rfind('.');
    if (dot == std::string_view::npos)
        return std::nullopt;
    const std::string ext = Lower(fileName.substr(dot + 1));
    if (ext == "bmp")
        return PictureFormat::BMP;
    if (ext == "png")
        return PictureFormat::PNG;
    if (ext == "jpg" || ext == "jpeg")
        return PictureFormat::JPEG;
    return std::nullopt;
}

namespace {

PictureRead ReadHere(const std::filesystem::path& path, PictureAlpha alpha) noexcept {
    try {
        const std::string name = path.string();
        std::error_code ec;
        if (std::filesystem::is_directory(path, ec))
            return Refused(PictureReadProblem::Folder, name + " is a folder, not a picture.");
        if (!std::filesystem::is_regular_file(path, ec))
            return Refused(PictureReadProblem::Missing, name + " does not exist.");
        QImageReader reader(QString::fromStdString(name));
        reader.setAutoTransform(false);
        const QSize size = reader.size();
        if (!size.isValid())
            return Refused(PictureReadProblem::Unreadable, name + " holds no readable picture.");
        if (!IsSkinBitmapFormat(reader))
            return Refused(PictureReadProblem::Unreadable,
                           name + " holds no readable picture: it is not a BMP, PNG or JPEG file.");
        const std::string tooLarge = PictureSizeRefusal(size.width(), size.height());
        if (!tooLarge.empty())
            return Refused(PictureReadProblem::TooLarge, name + ": " + tooLarge);
        // Qt refuses to decode above 128 MB by default, which a 6000 × 6000 skin passes; the
        // size was checked above, so the limit follows the cap (4 bytes a pixel, plus one MB).
        const std::int64_t bytes = MaxPicturePixels() * 4;
        reader.setAllocationLimit(static_cast<int>(bytes / (1024 * 1024) + 1));
        QImage image;
        if (reader.format().toLower() == "png") {
            // The common kind of PNG decodes faster without Qt; any other is Qt's. The file is
            // read whole, so it is refused here above what a picture within the caps needs.
            try {
                const std::string encoded =
                    ReadFileBytes(path, static_cast<std::uintmax_t>(bytes) * 2);
                if (auto decoded = DecodeCommonPng(encoded, MaxPicturePixels()))
                    image = std::move(*decoded);
            } catch (const std::exception&) {
            }
        }
        if (image.isNull() && (!reader.read(&image) || image.isNull()))
            return Refused(PictureReadProblem::Unreadable, name + " holds no readable picture: " +
                                                               reader.errorString().toStdString());
        if (alpha == PictureAlpha::FlattenOnWhite)
            image = FlattenOnWhite(image);
        if (image.isNull())
            return Refused(PictureReadProblem::Unreadable,
                           "Not enough memory to read " + name + ".");
        return PictureRead{std::make_shared<Picture>(image), PictureReadProblem::None, {}};
    } catch (const std::exception& e) {
        return Refused(PictureReadProblem::Unreadable, e.what());
    }
}

std::string EncodeImage(QImage image, PictureFormat format) {
    if (image.format() != QImage::Format_RGB32)
        image = FlattenOnWhite(image);
    if (format == PictureFormat::PNG)
        return EncodePng(image);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format == PictureFormat::BMP ? QByteArray("bmp") : "jpg");
    if (format == PictureFormat::JPEG)
        writer.setQuality(kJpegQuality);
    if (!writer.write(image))
        throw RuntimeException("The picture cannot be encoded: " +
                               writer.errorString().toStdString());
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace

PictureRead ReadPictureFile(const std::filesystem::path& path, PictureAlpha alpha) noexcept {
    // Reading and decoding a skin's bitmap takes a while: a job's window is served meanwhile.
    PictureRead read;
    try {
        RunAside([&] { read = ReadHere(path, alpha); });
    } catch (const std::exception& e) {
        return Refused(PictureReadProblem::Unreadable, e.what());
    }
    return read;
}

PicturePtr OpenAsPicture(const std::filesystem::path& path, PictureAlpha alpha) noexcept {
    return ReadPictureFile(path, alpha).picture;
}

std::string EncodePicture(const Picture& picture, PictureFormat format) {
    return EncodeImage(picture.Image(), format);
}

void SavePicture(const Picture& picture, const std::filesystem::path& path, PictureFormat format) {
    // Encoding and writing take most of a job's time: a job's window is served meanwhile. The
    // work aside holds its own reference to the pixels, whatever the loop does meanwhile.
    const QImage image = picture.Image();
    RunAside([&] {
        if (format != PictureFormat::PNG) {
            WriteFileAtomic(path, EncodeImage(image, format));
            return;
        }
        // Written as it is deflated, so the encoded file is never held whole. A failed encode
        // leaves no file: the temporary one goes with `file`.
        const QImage flat = image.format() == QImage::Format_RGB32 ? image : FlattenOnWhite(image);
        AtomicFile file(path);
        EncodePng(flat, [&](std::string_view bytes) { file.Write(bytes); });
        file.Commit();
    });
}

}  // namespace platform
