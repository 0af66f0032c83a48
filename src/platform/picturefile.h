#pragma once

#include "platform/picture.h"

#include <QSize>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

enum class PictureFormat { BMP, PNG, JPEG };

/// What reading does with a picture file's transparency.
enum class PictureAlpha {
    /// Skin bitmaps: the alpha is flattened on white, the picture is opaque.
    FlattenOnWhite,
    /// Shipped pictures whose transparency matters.
    Keep,
};

/// Why a picture file gave no picture.
enum class PictureReadProblem { None, Missing, Folder, Unreadable, TooLarge };

/// The JPEG quality (0 to 100) every JPEG is written with.
inline constexpr int kJpegQuality = 90;

/// The format a file name's extension names: "bmp", "png", "jpg" or "jpeg" in any case.
std::optional<PictureFormat> PictureFormatFromName(std::string_view fileName);

/// What reading a picture file gave: the picture, or none and why.
struct PictureRead {
    PicturePtr picture;  ///< none when the file holds no readable picture
    PictureReadProblem problem = PictureReadProblem::None;  ///< the kind of refusal
    std::string refusal;  ///< the refusal in words, naming the file; empty with a picture
};

/// Reads a BMP, PNG or JPEG file (other formats are refused, whatever Qt could decode). The size is
/// read from the header first and a picture above the caps (kMaxPictureSide, MaxPicturePixels()) is
/// refused before it is decoded. A file that holds no readable picture (missing, a folder, empty,
/// garbage, refused) gives no picture, the kind of problem and the reason in words. Never throws:
/// an unreadable file is an answer here, which each caller weighs in its own way.
PictureRead ReadPictureFile(const std::filesystem::path& path,
                            PictureAlpha alpha = PictureAlpha::FlattenOnWhite) noexcept;

/// The picture `ReadPictureFile` reads, for callers that need no reason: none when the file holds
/// no readable picture. Never throws.
PicturePtr OpenAsPicture(const std::filesystem::path& path,
                         PictureAlpha alpha = PictureAlpha::FlattenOnWhite) noexcept;

/// The size a BMP, PNG or JPEG file's header gives, read without decoding the picture; none
/// when the file is missing or holds no picture of these formats. Never throws.
std::optional<QSize> PictureFileSize(const std::filesystem::path& path) noexcept;

/// The picture's colour plane, opaque, encoded: BMP as 24 bits a pixel, PNG as 8-bit RGB,
/// JPEG at kJpegQuality. Throws RuntimeException when encoding fails.
std::string EncodePicture(const Picture& picture, PictureFormat format);

/// Writes the encoded picture through the atomic writer (WriteFileAtomic), so a failure never
/// leaves half a bitmap nor loses an earlier file of the name. Throws FileWriteException (a
/// folder in the way, a missing or read-only folder, a full disk), RuntimeException when
/// encoding fails.
void SavePicture(const Picture& picture, const std::filesystem::path& path, PictureFormat format);

}  // namespace platform
