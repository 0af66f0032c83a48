#pragma once

#include <optional>
#include <string>

/// The skin bitmap between disk and memory: opening, writing, copying.
namespace Variables {

/// Opens the job's bitmap into `BMP_picture`: the file at `path`, or with an empty path the
/// first of the input XML's name with "bmp", "png", "jpg" that exists; when the file so
/// named does not exist, an open-file dialog asks for one (batch mode too). Sets
/// `PictureType` to the last three characters of the file's name and `OpenedPictureFile`.
/// A file without a readable picture leaves `BMP_picture` none and still succeeds; a picture
/// above the size caps is refused with its reason. Every failure (a cancelled dialog, an
/// unusable path, a refused picture) is reported here (job log, message box), makes
/// `Job_Ok` false and gives false, `BMP_picture` keeping what it held.
bool Open_Picture(const std::string& path);

/// The first of the input XML's name with "bmp", "png", "jpg" that exists, else none: the
/// bitmap the opener takes without asking. Throws NilObjectException when the input path is
/// not absolute.
std::optional<std::string> BitmapBesideInput();

/// True when `path` is a file of the input skin at `inputXml`: the skin itself or a bitmap of
/// its name beside it ("bmp", "png", "jpg"), by `SameSkinFile`.
bool IsInputSkinFile(const std::string& path, const std::string& inputXml);

/// True when a bitmap of the output skin's name, of any type the bitmap writers write ("bmp",
/// "png", "jpg", "jpeg"), would be a file of the input skin: an output named so that its
/// bitmap takes the input bitmap's name ("skin.myxml" beside "skin.xml" gives "skin.png").
bool OutputBitmapWouldBeAnInput(const std::string& outputXml, const std::string& inputXml);

/// The output bitmap's path for `type`: `FileName` followed by the type, where the type
/// "peg" (from a ".jpeg" file) stands for "jpeg".
std::string OutputPicturePath(const std::string& type);

/// Writes `BMP_picture` whole under `FileName` + `PictureType` in the format the type names
/// ("bmp", "png", "jpg" or "peg" for ".jpeg", any case), then leaves its output-size part in
/// `New_picture` (none when a picture of the output size cannot be had: above the caps or out
/// of memory) and empties `BMP_picture`. Writes only under a name that this job's XML
/// writer set, and nothing after a failed bitmap step (`ComposeFailed`, already reported);
/// without a name, without a picture, with a type it cannot write, or when the output path is a
/// file of the input skin (its XML, the opened bitmap or a bitmap beside the XML), it reports
/// the failure, makes `Job_Ok` false and gives false, writing nothing. A file that cannot be
/// written (full disk, read-only folder, a folder of the name) is reported the same way, its
/// message naming the file and the system's reason; an earlier file of the name is kept.
/// Once the bitmap is in place, the output skin held beside its target follows it
/// (`PlaceOutputXML`); when that rename fails, it is reported the same way and a bitmap that
/// replaced no earlier file is taken away again. Throws RuntimeException when the picture
/// cannot be encoded.
bool Save_Picture();

/// Copies the bitmap file of this job byte for byte to `FileName` followed by its type,
/// replacing an earlier file: the file the opener read, or else the first of the input
/// XML's name with "bmp", "png", "jpg" that exists. Sets `PictureType` to its type. Copies
/// only under a name that this job's XML writer set; without one, without a file to copy, or
/// when the target is another file of the input skin, it reports the failure and makes
/// `Job_Ok` false; so does a copy that cannot be written or read, which leaves an earlier
/// file of the target's name whole. Once the copy is in place, the held output skin follows
/// it, as in `Save_Picture`.
void CopyPicture();

}  // namespace Variables
