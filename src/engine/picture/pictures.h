#pragma once

#include "platform/picture.h"

#include <string>

/// The two pictures of a job, beside the job state of the XML side.
namespace Variables {

/// The job's working bitmap: the input bitmap after opening, the composed bitmap after a
/// method, none after the bitmap writer.
inline platform::PicturePtr BMP_picture;
/// The output canvas while a method composes; after the bitmap writer, the output-size part
/// of the written bitmap (for the full-size preview).
inline platform::PicturePtr New_picture;
/// The bitmap file the opener last read, so that the copier copies that very file.
inline std::string OpenedPictureFile;

/// The bitmap step of this job failed: `BMP_picture` holds no finished bitmap, and the writer
/// leaves it unsaved. Set by a failing bitmap builder; cleared when a bitmap is opened.
inline bool ComposeFailed = false;

/// For tests: both pictures none, no opened file, no failure.
void ResetPictures();

}  // namespace Variables
